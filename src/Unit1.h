// The main window: its controls come from Unit1.ui; its handlers gate, read fields, call
// the exchange functions and the transports, and apply the results.
#pragma once

#include <QByteArray>
#include <QMainWindow>
#include <QPointer>
#include <QSet>
#include <memory>
#include <optional>
#include <string_view>

#include "transport/TcpClientSocket.h"

class Platform;
class QLineEdit;
class QPlainTextEdit;
class IpWatch;
class UdpBinding;
class UdpClient;
class UdpListener;

namespace Ui {
class TForm1;
}

// Unit-level values of the TCP commands: the name part derived from Edit2, and the named
// client created most recently (guarded: it reads null once that client is freed).
extern QByteArray SubstitutedIP;
extern QPointer<TcpClientSocket> TCPSocketClient;

class TForm1 : public QMainWindow
{
    Q_OBJECT
public:
    // historyFile: where the IP watcher keeps its history at exit ("iphist.dat").
    explicit TForm1(Platform &platform, const QString &historyFile = QStringLiteral("iphist.dat"),
                    QWidget *parent = nullptr);
    ~TForm1() override;

    Ui::TForm1 *ui() const { return m_ui.get(); }

    // Non-visual components.
    UdpClient *UDPClient;
    UdpListener *UDPServer;
    IpWatch *IdIPWatch1;
    TcpClientSocket *Client1;

    // Main window and programming mode.
    void FormCreate(QObject *Sender);
    void FormShow(QObject *Sender);
    void BitBtn1Click(QObject *Sender);
    void Button8Click(QObject *Sender);
    void CheckBox3Click(QObject *Sender);
    void CheckBox2Click(QObject *Sender);
    void CheckBox4Click(QObject *Sender);
    void CheckBox5Click(QObject *Sender);

    // Reply decoder and its diagnostics.
    void Memo1Change(QObject *Sender);
    void Button7Click(QObject *Sender);
    void Button10Click(QObject *Sender);
    void Button9Click(QObject *Sender);

    // Address entry and hex mirrors.
    void Edit9Change(QObject *Sender);
    void Edit20Change(QObject *Sender);
    void Edit23Change(QObject *Sender);
    void Edit27Change(QObject *Sender);

    // Configuration commands.
    void Button4Click(QObject *Sender);
    void Button6Click(QObject *Sender);
    void Button5Click(QObject *Sender);

    // Transport mode, UDP client and listener.
    void RadioButton_UDPClick(QObject *Sender);
    void RadioButtonTCPClick(QObject *Sender);
    void RadioButton_IndyTCPClick(QObject *Sender);
    void Edit2Change(QObject *Sender);
    void Edit3Change(QObject *Sender);
    void CheckBox1Click(QObject *Sender);
    void UDPServerUDPRead(QObject *Sender, const QByteArray &AData, UdpBinding &ABinding);

    // Sending text and TCP client connections.
    void Button1Click(QObject *Sender);
    void Button2Click(QObject *Sender);
    void Button3Click(QObject *Sender);
    void SubstitutionIP();
    void Client1Connect(QObject *Sender, TcpClientSocket *Socket);
    void Client1Disconnect(QObject *Sender, TcpClientSocket *Socket);
    void Client1Read(QObject *Sender, TcpClientSocket *Socket);
    void Client1Error(QObject *Sender, TcpClientSocket *Socket, TcpClientSocket::ErrorEvent ErrorEvent, int &ErrorCode);
    void TCPClient1Connect(QObject *Sender, TcpClientSocket *Socket);
    void TCPClientDisconnect(QObject *Sender, TcpClientSocket *Socket);
    void TCPSocketClientOnRead(QObject *Sender, TcpClientSocket *Socket);
    void TCPClientError(QObject *Sender, TcpClientSocket *Socket, TcpClientSocket::ErrorEvent ErrorEvent, int &ErrorCode);

    // The window's components by name, compared without regard to case.
    TcpClientSocket *findNamedClient(const QString &name) const;
    const QList<TcpClientSocket *> &namedClients() const { return m_namedClients; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    template <typename Handler> void guarded(Handler &&handler);
    void connectHandlers();
    void mirrorAddress(QLineEdit *address, QLineEdit *plain, QLineEdit *padded);
    void setUnlocked(QLineEdit *field, bool unlocked);
    void clearMemo1();
    void addMemo1Line(const QString &line);
    void addMemo2Line(const QString &line);
    void decodeIntoReadBack(std::string_view firstLine);
    void flushReceivedViews();
    qint32 integerOf(QLineEdit *field) const;
    void setStatus(const QString &text);
    void setNamedStatus(const QByteArray &address, const QString &state);
    QString derivedClientName();
    int registryRow(const QString &name) const;
    void enableTransportChoice();
    void disableTransportChoice();
    void nameComponent(TcpClientSocket *client, const QString &name);
    void freeNamedClient(TcpClientSocket *client);
    using NotifyHandler = void (TForm1::*)(QObject *, TcpClientSocket *);
    using ErrorHandler = void (TForm1::*)(QObject *, TcpClientSocket *, TcpClientSocket::ErrorEvent, int &);
    void bindEvents(TcpClientSocket *client, NotifyHandler onConnect, NotifyHandler onDisconnect,
                    NotifyHandler onRead, ErrorHandler onError);

    Platform &m_platform;
    std::unique_ptr<Ui::TForm1> m_ui;
    bool m_shown = false;
    // Datagrams handled in this turn of the event loop and not yet in the views: the views
    // take a whole batch in one update (one append per datagram is far too slow in a flood).
    std::optional<QString> m_pendingMemo1;
    QStringList m_pendingMemo2;
    QSet<QString> m_designNames; // lower case
    QList<TcpClientSocket *> m_namedClients;
};
