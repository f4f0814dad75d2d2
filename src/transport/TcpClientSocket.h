// A non-blocking TCP client component: settings, open and close through Active, the
// socket's send and receive, and four events (connect, disconnect, read, error) that a
// window handler answers. An error handler that sets ErrorCode to 0 has dealt with the
// error; otherwise the component reports it as an exception through its error reporter.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>

class QTcpSocket;
namespace socketerror {
struct Code;
}

class TcpClientSocket : public QObject
{
    Q_OBJECT
public:
    enum ClientType { ctNonBlocking, ctBlocking };
    enum ErrorEvent { eeGeneral, eeSend, eeReceive, eeConnect, eeDisconnect, eeAccept, eeLookup };

    using NotifyEvent = std::function<void(TcpClientSocket *sender)>;
    using ErrorHandler = std::function<void(TcpClientSocket *sender, ErrorEvent event, int &errorCode)>;

    explicit TcpClientSocket(QObject *parent = nullptr);
    ~TcpClientSocket() override; // closes an open connection without a disconnect event

    QString Name;
    QByteArray Host;
    QByteArray Address;
    qint32 Port = 0;
    ClientType clientType = ctNonBlocking;
    int Tag = 0;
    QByteArray Service;

    NotifyEvent OnConnect;
    NotifyEvent OnDisconnect;
    NotifyEvent OnRead;
    ErrorHandler OnError;
    // Where an error no handler dealt with goes (the window's default error display).
    std::function<void(const QString &text)> reportError;

    bool Active() const { return m_active; }
    // true opens (Host, else Address, at the low 16 bits of Port); false closes whatever
    // the state, aborting a pending attempt; closing a connection runs the disconnect event.
    void setActive(bool active);

    bool connected() const { return m_connected; }
    // Sends the bytes as they are; nothing when not connected. Returns what the socket took.
    qint64 sendText(const QByteArray &text);
    // Every byte waiting, as one text.
    QByteArray receiveText();
    // Dotted decimal while connected (also during its own disconnect event), else empty.
    QByteArray remoteAddress() const { return m_connected ? m_remoteAddress : QByteArray(); }

    // Drops every event handler: a component being freed reports nothing more.
    void detach();

private:
    void fireError(ErrorEvent event, socketerror::Code code);
    void fireDisconnect();
    void resetSocket();

    QTcpSocket *m_socket = nullptr;
    bool m_active = false;
    bool m_connected = false;
    QByteArray m_remoteAddress;
};
