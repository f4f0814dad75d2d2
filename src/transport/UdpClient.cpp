#include "transport/UdpClient.h"

#include "platform/AppError.h"
#include "transport/Ipv4Text.h"
#include "transport/SocketError.h"

#include <QHostInfo>
#include <QUdpSocket>

#include <cerrno>

UdpClient::UdpClient(QObject *parent) : QObject(parent) {}

UdpClient::~UdpClient() = default;

void UdpClient::setActive(bool active)
{
    if (active == isActive())
        return;
    if (!active) {
        m_socket.reset();
        return;
    }
    auto socket = std::make_unique<QUdpSocket>();
    // Not bound to a chosen address or port: the system picks an ephemeral port.
    if (!socket->bind(QHostAddress(QHostAddress::AnyIPv4), 0))
        throw AppError(QString::fromLatin1(socketerror::kCannotAllocate));
    socketerror::disableBroadcast(socket->socketDescriptor());
    m_socket = std::move(socket);
}

quint16 UdpClient::localPort() const
{
    return m_socket ? m_socket->localPort() : 0;
}

QHostAddress UdpClient::resolve() const
{
    if (const auto address = parseDottedDecimal(m_host))
        return QHostAddress(*address);
    const QHostInfo info = QHostInfo::fromName(QString::fromLatin1(m_host));
    if (info.error() == QHostInfo::NoError) {
        for (const QHostAddress &address : info.addresses()) {
            if (address.protocol() == QAbstractSocket::IPv4Protocol)
                return address;
        }
    }
    throw AppError(socketerror::text(socketerror::kHostNotFound));
}

void UdpClient::send(const QByteArray &text)
{
    const QHostAddress destination = resolve();
    setActive(true);
    if (text.size() > 65507)
        throw AppError(QString::fromLatin1(socketerror::kPackageTooBig));
    errno = 0;
    const qint64 sent = m_socket->writeDatagram(text, destination, static_cast<quint16>(m_port & 0xFFFF));
    const int sendErrno = errno;
    if (sent == text.size())
        return;
    if (sent >= 0)
        throw AppError(QString::fromLatin1(socketerror::kNotAllBytesSent));
    const QAbstractSocket::SocketError error = m_socket->error();
    if (error == QAbstractSocket::DatagramTooLargeError)
        throw AppError(QString::fromLatin1(socketerror::kPackageTooBig));
    // Qt reports a refused broadcast only as a generic network error.
    if (error == QAbstractSocket::NetworkError
        && (sendErrno == EACCES || socketerror::isBroadcastDestination(destination)))
        throw AppError(socketerror::text(socketerror::kAccessDenied));
    throw AppError(socketerror::text(error));
}
