#include "transport/TcpClientSocket.h"

#include "transport/SocketError.h"

#include <QPointer>
#include <QTcpSocket>

TcpClientSocket::TcpClientSocket(QObject *parent) : QObject(parent) {}

TcpClientSocket::~TcpClientSocket()
{
    detach();
    resetSocket();
}

void TcpClientSocket::detach()
{
    OnConnect = nullptr;
    OnDisconnect = nullptr;
    OnRead = nullptr;
    OnError = nullptr;
    reportError = nullptr;
}

void TcpClientSocket::resetSocket()
{
    if (!m_socket)
        return;
    // No signal of the old socket may reach a handler once it is being discarded.
    m_socket->disconnect(this);
    m_socket->abort();
    m_socket->deleteLater();
    m_socket = nullptr;
}

void TcpClientSocket::fireError(ErrorEvent event, socketerror::Code code)
{
    int errorCode = code.number;
    QPointer<TcpClientSocket> self(this);
    if (OnError)
        OnError(this, event, errorCode);
    if (!self || errorCode == 0)
        return;
    const QString text = QStringLiteral("Socket error %1 (%2) on %3 to %4")
                             .arg(errorCode)
                             .arg(QLatin1String(code.description))
                             .arg(event == eeLookup ? QStringLiteral("lookup") : QStringLiteral("connect"))
                             .arg(QString::fromLatin1(Host.isEmpty() ? Address : Host));
    if (reportError)
        reportError(text);
}

void TcpClientSocket::fireDisconnect()
{
    // The address stays readable during the event; the connection counts as closed after it.
    QPointer<TcpClientSocket> self(this);
    if (OnDisconnect)
        OnDisconnect(this);
    if (self)
        m_connected = false;
}

void TcpClientSocket::setActive(bool active)
{
    if (!active) {
        const bool wasConnected = m_connected;
        m_active = false;
        resetSocket();
        if (wasConnected)
            fireDisconnect();
        return;
    }
    if (m_active && m_connected)
        return;
    // Opening again while an attempt is pending starts a fresh attempt.
    resetSocket();
    m_connected = false;
    m_active = true;
    const QByteArray target = !Host.isEmpty() ? Host : Address;
    if (target.isEmpty()) {
        // Neither host nor address: the attempt fails at once, with an error and then a
        // disconnect event, inside the call.
        m_active = false;
        QPointer<TcpClientSocket> self(this);
        fireError(eeLookup, socketerror::kHostNotFound);
        if (self && OnDisconnect)
            OnDisconnect(this);
        return;
    }

    m_socket = new QTcpSocket(this);
    QTcpSocket *socket = m_socket;
    connect(socket, &QTcpSocket::connected, this, [this, socket] {
        if (socket != m_socket)
            return;
        m_connected = true;
        m_remoteAddress = socket->peerAddress().toString().toLatin1();
        if (OnConnect)
            OnConnect(this);
    });
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
        if (socket == m_socket && OnRead)
            OnRead(this);
    });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
        if (socket != m_socket || !m_connected)
            return;
        m_active = false;
        fireDisconnect();
    });
    connect(socket, &QTcpSocket::errorOccurred, this, [this, socket](QAbstractSocket::SocketError error) {
        if (socket != m_socket)
            return;
        // A peer's close is a disconnect, not an error.
        if (error == QAbstractSocket::RemoteHostClosedError)
            return;
        const bool wasConnected = m_connected;
        const ErrorEvent event = error == QAbstractSocket::HostNotFoundError ? eeLookup
                                 : wasConnected                               ? eeReceive
                                                                              : eeConnect;
        QPointer<TcpClientSocket> self(this);
        fireError(event, socketerror::forSocketError(error));
        if (!self || socket != m_socket)
            return;
        if (!wasConnected) {
            m_active = false;
            // A failed lookup is followed by a disconnect event, as a missing host is.
            if (error == QAbstractSocket::HostNotFoundError && OnDisconnect)
                OnDisconnect(this);
        }
    });
    socket->connectToHost(QString::fromLatin1(target), static_cast<quint16>(Port & 0xFFFF));
}

qint64 TcpClientSocket::sendText(const QByteArray &text)
{
    if (!m_connected || !m_socket)
        return 0;
    return m_socket->write(text);
}

QByteArray TcpClientSocket::receiveText()
{
    return m_socket ? m_socket->readAll() : QByteArray();
}
