// The socket failures the user sees, in the numbering and wording the tool has always
// shown ("Socket Error # 10049\r\nCannot assign requested address.").
#pragma once

#include <QAbstractSocket>
#include <QString>

class QHostAddress;

namespace socketerror {

struct Code {
    int number;
    const char *description;
};

Code forSocketError(QAbstractSocket::SocketError error);
QString text(Code code);                   // "Socket Error # %d\r\n%s"
QString text(QAbstractSocket::SocketError error);

inline constexpr Code kHostNotFound{11001, "Host not found."};
inline constexpr Code kAccessDenied{10013, "Access denied."};
inline constexpr Code kAddressNotAvailable{10049, "Cannot assign requested address."};

inline const char kAddressInUse[] = "Could not bind socket. Address and port are already in use.";
inline const char kPackageTooBig[] = "Package Size Too Big.";
inline const char kNotAllBytesSent[] = "Not all bytes sent.";
inline const char kCannotAllocate[] = "Cannot allocate socket.";

// Switches SO_BROADCAST off on a socket Qt has opened (Qt always switches it on).
bool disableBroadcast(qintptr descriptor);
// Whether sending to this address would be a broadcast from this machine.
bool isBroadcastDestination(const QHostAddress &address);

} // namespace socketerror
