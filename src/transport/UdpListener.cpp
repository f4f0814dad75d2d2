#include "transport/UdpListener.h"

#include "platform/AppError.h"
#include "transport/Ipv4Text.h"
#include "transport/SocketError.h"

#include <QUdpSocket>
#include <QVariant>

quint16 UdpBinding::localPort() const
{
    return socket ? socket->localPort() : 0;
}

void UdpBinding::sendTo(const QByteArray &data, const QHostAddress &address, quint16 port)
{
    if (!socket)
        throw AppError(socketerror::text(QAbstractSocket::UnsupportedSocketOperationError));
    const qint64 sent = socket->writeDatagram(data, address, port);
    if (sent == data.size())
        return;
    if (sent >= 0)
        throw AppError(QString::fromLatin1(socketerror::kNotAllBytesSent));
    if (socket->error() == QAbstractSocket::DatagramTooLargeError)
        throw AppError(QString::fromLatin1(socketerror::kPackageTooBig));
    throw AppError(socketerror::text(socket->error()));
}

UdpListener::UdpListener(QObject *parent) : QObject(parent)
{
    m_buffer.resize(kBufferSize);
}

UdpListener::~UdpListener()
{
    closeAll();
}

UdpBinding &UdpListener::addBinding(const QByteArray &ip, qint32 port)
{
    for (const auto &binding : m_bindings) {
        if (binding->IP == ip && (binding->Port & 0xFFFF) == (port & 0xFFFF))
            return *binding;
    }
    m_bindings.push_back(std::make_unique<UdpBinding>());
    UdpBinding &binding = *m_bindings.back();
    binding.IP = ip;
    binding.Port = port;
    return binding;
}

void UdpListener::setActive(bool active)
{
    if (active == m_active)
        return;
    if (!active) {
        closeAll();
        m_active = false;
        return;
    }
    for (auto it = m_bindings.begin(); it != m_bindings.end(); ++it) {
        try {
            open(**it);
        } catch (const AppError &) {
            // Nothing of a failed attempt stays open, and the binding that cannot be opened
            // is dropped so that the next attempt, after the user fixed the field, can work.
            closeAll();
            m_bindings.erase(it);
            throw;
        }
    }
    m_active = true;
}

void UdpListener::open(UdpBinding &binding)
{
    binding.socket.reset();
    QHostAddress address(QHostAddress::AnyIPv4);
    if (!binding.IP.isEmpty()) {
        const auto parsed = parseDottedDecimal(binding.IP);
        if (!parsed)
            throw AppError(QStringLiteral("'%1' is not a valid IP address").arg(QString::fromLatin1(binding.IP)));
        address = QHostAddress(*parsed);
    }
    auto socket = std::make_unique<QUdpSocket>();
    if (!socket->bind(address, static_cast<quint16>(binding.Port & 0xFFFF), QAbstractSocket::DontShareAddress)) {
        switch (socket->error()) {
        case QAbstractSocket::AddressInUseError:
            throw AppError(QString::fromLatin1(socketerror::kAddressInUse));
        case QAbstractSocket::SocketResourceError:
            throw AppError(QString::fromLatin1(socketerror::kCannotAllocate));
        default:
            throw AppError(socketerror::text(socket->error()));
        }
    }
    socketerror::disableBroadcast(socket->socketDescriptor());
    // Room for bursts while the window is busy; the system caps it at its own limit.
    socket->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, QVariant(int(kSocketBufferBytes)));
    UdpBinding *target = &binding;
    connect(socket.get(), &QUdpSocket::readyRead, this, [this, target] { readPending(target); });
    binding.socket = std::move(socket);
}

void UdpListener::readPending(UdpBinding *binding)
{
    // A bounded batch per turn keeps the window painting and answering clicks during a
    // flood; the socket notifier fires again while datagrams are waiting.
    for (int n = 0; n < kReadBatch && binding->socket && binding->socket->hasPendingDatagrams(); ++n) {
        QUdpSocket *socket = binding->socket.get();
        const qint64 size = socket->pendingDatagramSize();
        if (size > kBufferSize || size < 0) {
            // Longer than the receive buffer: dropped whole, never shown truncated.
            socket->readDatagram(nullptr, 0);
            continue;
        }
        QHostAddress peer;
        quint16 peerPort = 0;
        const qint64 got = socket->readDatagram(m_buffer.data(), kBufferSize, &peer, &peerPort);
        if (got < 0)
            continue;
        binding->peerAddress = peer;
        binding->peerPort = peerPort;
        if (!m_handler)
            continue;
        try {
            m_handler(QByteArray(m_buffer.constData(), got), *binding);
        } catch (...) {
            // Whatever handling one datagram raises is dropped; the next one is handled.
        }
    }
    if (m_batchDone)
        m_batchDone();
}

void UdpListener::closeAll()
{
    for (auto &binding : m_bindings)
        binding->socket.reset();
}
