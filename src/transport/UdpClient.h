// The UDP client every datagram of the tool leaves through: a host (address or name),
// a port, and a send that puts one text on the wire as exactly one datagram.
#pragma once

#include <QByteArray>
#include <QObject>
#include <memory>

class QHostAddress;
class QUdpSocket;

class UdpClient : public QObject
{
    Q_OBJECT
public:
    explicit UdpClient(QObject *parent = nullptr);
    ~UdpClient() override;

    static constexpr int kBufferSize = 8192;

    QByteArray Host() const { return m_host; }
    void setHost(const QByteArray &host) { m_host = host; }
    qint32 Port() const { return m_port; }
    void setPort(qint32 port) { m_port = port; }
    int bufferSize() const { return kBufferSize; }

    bool isActive() const { return m_socket != nullptr; }
    // Opening an open client and closing a closed one do nothing. Throws AppError.
    void setActive(bool active);

    // Resolves Host (a dotted-decimal address is used as it is, a name is looked up at every
    // send), opens the client when closed, and sends the bytes as one datagram to the low
    // 16 bits of Port. Throws AppError with the text the user sees.
    void send(const QByteArray &text);

    // The local port the socket got from the system; 0 while closed.
    quint16 localPort() const;

private:
    QHostAddress resolve() const;

    QByteArray m_host = "192.168.13.41";
    qint32 m_port = 6104;
    std::unique_ptr<QUdpSocket> m_socket;
};
