// The UDP listener: an ordered list of bindings (local address and port), opened together
// by activation; each datagram received is handed to one handler on the window's thread.
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <functional>
#include <memory>
#include <vector>

class QUdpSocket;

class UdpBinding
{
public:
    QByteArray IP;           // dotted decimal; empty means all local addresses
    qint32 Port = 0;

    QHostAddress peerAddress; // sender of the datagram being handled
    quint16 peerPort = 0;

    bool isOpen() const { return socket != nullptr; }
    quint16 localPort() const;
    // Sends one datagram from this binding's own socket. Throws AppError.
    void sendTo(const QByteArray &data, const QHostAddress &address, quint16 port);

private:
    friend class UdpListener;
    std::unique_ptr<QUdpSocket> socket;
};

class UdpListener : public QObject
{
    Q_OBJECT
public:
    explicit UdpListener(QObject *parent = nullptr);
    ~UdpListener() override;

    static constexpr qint32 kDefaultPort = 8090;
    static constexpr qint64 kBufferSize = 8192;
    // Datagrams handled per socket before the event loop gets a turn again.
    static constexpr int kReadBatch = 64;
    static constexpr int kSocketBufferBytes = 4 * 1024 * 1024;

    using Handler = std::function<void(const QByteArray &data, UdpBinding &binding)>;
    void setHandler(Handler handler) { m_handler = std::move(handler); }
    // Runs after each batch of datagrams handled in one turn of the event loop, so that
    // views can take the whole batch in one update.
    void setBatchDone(std::function<void()> batchDone) { m_batchDone = std::move(batchDone); }

    // Appends a binding, unless one with the same address and port is listed already:
    // then that one is returned and nothing is added.
    UdpBinding &addBinding(const QByteArray &ip, qint32 port = kDefaultPort);
    const std::vector<std::unique_ptr<UdpBinding>> &bindings() const { return m_bindings; }

    bool isActive() const { return m_active; }
    // Activation opens every binding in list order; a failure closes what this attempt
    // opened, drops the binding that failed and throws AppError. An active listener is
    // left alone. Deactivation closes every socket and keeps the list.
    void setActive(bool active);

private:
    void open(UdpBinding &binding);
    void readPending(UdpBinding *binding);
    void closeAll();

    std::vector<std::unique_ptr<UdpBinding>> m_bindings;
    Handler m_handler;
    std::function<void()> m_batchDone;
    bool m_active = false;
    QByteArray m_buffer;
};
