#include "transport/SocketError.h"

#include <QHostAddress>
#include <QNetworkInterface>

#ifdef Q_OS_WIN
#include <winsock2.h>
#else
#include <sys/socket.h>
#endif

namespace socketerror {

Code forSocketError(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError: return {10061, "Connection refused."};
    case QAbstractSocket::RemoteHostClosedError: return {10054, "Connection reset by peer."};
    case QAbstractSocket::HostNotFoundError: return kHostNotFound;
    case QAbstractSocket::SocketAccessError: return kAccessDenied;
    case QAbstractSocket::SocketResourceError: return {10055, "No buffer space available."};
    case QAbstractSocket::SocketTimeoutError: return {10060, "Connection timed out."};
    case QAbstractSocket::DatagramTooLargeError: return {10040, "Message too long."};
    case QAbstractSocket::NetworkError: return {10050, "Network is down."};
    case QAbstractSocket::AddressInUseError: return {10048, "Address already in use."};
    case QAbstractSocket::SocketAddressNotAvailableError: return kAddressNotAvailable;
    case QAbstractSocket::UnsupportedSocketOperationError: return {10045, "Operation not supported."};
    case QAbstractSocket::UnfinishedSocketOperationError: return {10036, "Operation now in progress."};
    case QAbstractSocket::TemporaryError: return {10035, "Resource temporarily unavailable."};
    default: return {10022, "Invalid argument."};
    }
}

QString text(Code code)
{
    return QStringLiteral("Socket Error # %1\r\n%2").arg(code.number).arg(QLatin1String(code.description));
}

QString text(QAbstractSocket::SocketError error)
{
    return text(forSocketError(error));
}

bool disableBroadcast(qintptr descriptor)
{
    if (descriptor < 0)
        return false;
#ifdef Q_OS_WIN
    BOOL off = FALSE;
    return ::setsockopt(static_cast<SOCKET>(descriptor), SOL_SOCKET, SO_BROADCAST,
                        reinterpret_cast<const char *>(&off), sizeof off) == 0;
#else
    int off = 0;
    return ::setsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_BROADCAST, &off, sizeof off) == 0;
#endif
}

bool isBroadcastDestination(const QHostAddress &address)
{
    if (address == QHostAddress(QHostAddress::Broadcast))
        return true;
    for (const QNetworkInterface &iface : QNetworkInterface::allInterfaces()) {
        for (const QNetworkAddressEntry &entry : iface.addressEntries()) {
            if (!entry.broadcast().isNull() && entry.broadcast() == address)
                return true;
        }
    }
    return false;
}

} // namespace socketerror
