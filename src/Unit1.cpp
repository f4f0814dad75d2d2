#include "Unit1.h"

#include "ui_Unit1.h"

#include "TextCodec.h"
#include "exchange/AddressMirrors.h"
#include "exchange/ConfigDecoder.h"
#include "exchange/IntConv.h"
#include "exchange/Records.h"
#include "platform/AppError.h"
#include "platform/Platform.h"
#include "transport/IpWatch.h"
#include "transport/UdpClient.h"
#include "transport/UdpListener.h"

#include <QScreen>
#include <QShowEvent>
#include <QTextBlock>

QByteArray SubstitutedIP;
QPointer<TcpClientSocket> TCPSocketClient;

namespace {

// "ТСР" in the state texts is spelt with the Cyrillic letters.
const QString kWaiting = QStringLiteral("Ждём");
const QString kConnected = QStringLiteral("Подключен");
const QString kDisconnected = QStringLiteral("Отключен \u0422\u0421\u0420");
const QString kConnectError = QStringLiteral("Ошибка подключения");
const QString kAlreadyExists = QStringLiteral("   Такой Socked - уже имеется.");
const QString kNotConnected = QStringLiteral("    Socked - не подключен");

bool isIdentifier(const QString &name)
{
    if (name.isEmpty())
        return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
        if (!letter && !(i > 0 && c >= '0' && c <= '9'))
            return false;
    }
    return true;
}

const QColor clWindow(0xFF, 0xFF, 0xFF);
const QColor cl3DLight(0xE3, 0xE3, 0xE3);

} // namespace

TForm1::TForm1(Platform &platform, const QString &historyFile, QWidget *parent)
    : QMainWindow(parent), m_platform(platform), m_ui(std::make_unique<Ui::TForm1>())
{
    m_ui->setupUi(this);
    m_ui->StatusBar1->addWidget(m_ui->StatusPanel0);
    m_ui->StatusBar1->addWidget(m_ui->StatusPanel1, 1);

    UDPClient = new UdpClient(this);
    UDPServer = new UdpListener(this);
    UDPServer->setHandler([this](const QByteArray &data, UdpBinding &binding) {
        UDPServerUDPRead(UDPServer, data, binding);
    });
    UDPServer->setBatchDone([this] { flushReceivedViews(); });
    IdIPWatch1 = new IpWatch(m_platform, historyFile, this);
    Client1 = new TcpClientSocket(this);
    Client1->Name = QStringLiteral("Client1");
    bindEvents(Client1, &TForm1::Client1Connect, &TForm1::Client1Disconnect, &TForm1::Client1Read,
               &TForm1::Client1Error);
    SubstitutedIP.clear();
    TCPSocketClient = nullptr;

    // Every design name is taken: a run-time client may not be called "Client1" or "Edit2".
    for (const QObject *object : findChildren<QObject *>()) {
        if (!object->objectName().isEmpty())
            m_designNames.insert(object->objectName().toLower());
    }
    for (const char *name : {"Form1", "UDPClient", "UDPAntiFreeze", "Client1", "IdTCPClient1", "UDPServer", "IdIPWatch1"})
        m_designNames.insert(QString::fromLatin1(name).toLower());

    // Handlers are attached after the design values are in place, so loading them runs none.
    connectHandlers();
    guarded([this] { FormCreate(this); });
}

TForm1::~TForm1()
{
    // The controls and components outlive this body: nothing they signal while they are
    // destroyed may reach a handler. Freeing the window frees its clients; an open
    // connection closes without its disconnect event.
    for (QObject *child : findChildren<QObject *>())
        child->disconnect(this);
    UDPServer->setHandler(nullptr);
    UDPServer->setBatchDone(nullptr);
    for (TcpClientSocket *client : m_namedClients)
        client->detach();
    Client1->detach();
    UDPServer->setActive(false);
}

template <typename Handler> void TForm1::guarded(Handler &&handler)
{
    try {
        handler();
    } catch (const AppError &error) {
        m_platform.showError(error.text());
    } catch (const std::exception &error) {
        m_platform.showError(QString::fromLocal8Bit(error.what()));
    }
}

void TForm1::connectHandlers()
{
    Ui::TForm1 &u = *m_ui;
    auto onClick = [this](QAbstractButton *button, void (TForm1::*handler)(QObject *)) {
        connect(button, &QAbstractButton::clicked, this, [this, button, handler] {
            guarded([this, button, handler] { (this->*handler)(button); });
        });
    };
    auto onChange = [this](QLineEdit *edit, void (TForm1::*handler)(QObject *)) {
        connect(edit, &QLineEdit::textChanged, this, [this, edit, handler] {
            guarded([this, edit, handler] { (this->*handler)(edit); });
        });
    };
    // A radio button's handler runs when it becomes selected, not when the selected one is
    // clicked again.
    auto onSelect = [this](QRadioButton *button, void (TForm1::*handler)(QObject *)) {
        connect(button, &QRadioButton::toggled, this, [this, button, handler](bool checked) {
            if (checked)
                guarded([this, button, handler] { (this->*handler)(button); });
        });
    };

    onClick(u.BitBtn1, &TForm1::BitBtn1Click);
    onClick(u.Button8, &TForm1::Button8Click);
    onClick(u.CheckBox3, &TForm1::CheckBox3Click);
    onClick(u.CheckBox2, &TForm1::CheckBox2Click);
    onClick(u.CheckBox4, &TForm1::CheckBox4Click);
    onClick(u.CheckBox5, &TForm1::CheckBox5Click);
    onClick(u.Button7, &TForm1::Button7Click);
    onClick(u.Button10, &TForm1::Button10Click);
    onClick(u.Button9, &TForm1::Button9Click);
    onClick(u.Button4, &TForm1::Button4Click);
    onClick(u.Button6, &TForm1::Button6Click);
    onClick(u.Button5, &TForm1::Button5Click);
    onClick(u.CheckBox1, &TForm1::CheckBox1Click);
    onClick(u.CheckBox6, &TForm1::CheckBox1Click);
    onClick(u.Button1, &TForm1::Button1Click);
    onClick(u.Button2, &TForm1::Button2Click);
    onClick(u.Button3, &TForm1::Button3Click);
    onSelect(u.RadioButton_UDP, &TForm1::RadioButton_UDPClick);
    onSelect(u.RadioButtonTCP, &TForm1::RadioButtonTCPClick);
    onSelect(u.RadioButton_IndyTCP, &TForm1::RadioButton_IndyTCPClick);
    onChange(u.Edit9, &TForm1::Edit9Change);
    onChange(u.Edit20, &TForm1::Edit20Change);
    onChange(u.Edit23, &TForm1::Edit23Change);
    onChange(u.Edit27, &TForm1::Edit27Change);
    onChange(u.Edit2, &TForm1::Edit2Change);
    onChange(u.Edit3, &TForm1::Edit3Change);
    onChange(u.Edit5, &TForm1::Edit3Change);
    connect(u.Memo1, &QPlainTextEdit::textChanged, this, [this] { guarded([this] { Memo1Change(m_ui->Memo1); }); });
}

void TForm1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shown || event->spontaneous())
        return;
    m_shown = true;
    if (const QScreen *screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    guarded([this] { FormShow(this); });
}

// ---- helpers ---------------------------------------------------------------------------

qint32 TForm1::integerOf(QLineEdit *field) const
{
    const std::string text = stdBytesOf(field->text());
    if (const auto value = exchange::parseInteger(text))
        return *value;
    throw AppError(textOf(exchange::invalidIntegerMessage(text)));
}

void TForm1::setStatus(const QString &text)
{
    m_ui->StatusPanel0->setText(text);
}

void TForm1::setNamedStatus(const QByteArray &address, const QString &state)
{
    setStatus(textOf(address) + QStringLiteral(" - ") + state);
}

void TForm1::enableTransportChoice()
{
    m_ui->Panel1->setEnabled(true);
    for (QRadioButton *button : {m_ui->RadioButton_UDP, m_ui->RadioButtonTCP, m_ui->RadioButton_IndyTCP})
        button->setEnabled(true);
}

void TForm1::disableTransportChoice()
{
    for (QRadioButton *button : {m_ui->RadioButton_UDP, m_ui->RadioButtonTCP, m_ui->RadioButton_IndyTCP})
        button->setEnabled(false);
}

void TForm1::bindEvents(TcpClientSocket *client, NotifyHandler onConnect, NotifyHandler onDisconnect,
                        NotifyHandler onRead, ErrorHandler onError)
{
    auto notify = [this](NotifyHandler handler) {
        return [this, handler](TcpClientSocket *sender) {
            guarded([&] { (this->*handler)(sender, sender); });
        };
    };
    client->OnConnect = notify(onConnect);
    client->OnDisconnect = notify(onDisconnect);
    client->OnRead = notify(onRead);
    client->OnError = [this, onError](TcpClientSocket *sender, TcpClientSocket::ErrorEvent event, int &code) {
        guarded([&] { (this->*onError)(sender, sender, event, code); });
    };
    client->reportError = [this](const QString &text) { m_platform.showError(text); };
}

TcpClientSocket *TForm1::findNamedClient(const QString &name) const
{
    for (TcpClientSocket *client : m_namedClients) {
        if (client->Name.compare(name, Qt::CaseInsensitive) == 0)
            return client;
    }
    return nullptr;
}

void TForm1::nameComponent(TcpClientSocket *client, const QString &name)
{
    if (!isIdentifier(name))
        throw AppError(QStringLiteral("''%1'' is not a valid component name").arg(name));
    if (m_designNames.contains(name.toLower()) || findNamedClient(name))
        throw AppError(QStringLiteral("A component named %1 already exists").arg(name));
    client->Name = name;
}

void TForm1::freeNamedClient(TcpClientSocket *client)
{
    m_namedClients.removeOne(client);
    client->detach();
    // Deleted from the event loop: the client may be inside one of its own socket's signals.
    client->deleteLater();
}

void TForm1::setUnlocked(QLineEdit *field, bool unlocked)
{
    field->setEnabled(unlocked);
    QPalette palette = field->palette();
    const QColor &colour = unlocked ? clWindow : cl3DLight;
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Base, colour);
    field->setPalette(palette);
}

void TForm1::clearMemo1()
{
    // Emptying the received-data view is no change: it must not run the decoder.
    const QSignalBlocker blocker(m_ui->Memo1);
    m_ui->Memo1->clear();
}

void TForm1::addMemo1Line(const QString &line)
{
    m_ui->Memo1->appendPlainText(line);
}

void TForm1::addMemo2Line(const QString &line)
{
    m_ui->Memo2->appendPlainText(line);
}

void TForm1::flushReceivedViews()
{
    if (m_pendingMemo1) {
        // The decoder has run for every datagram already.
        const QSignalBlocker blocker(m_ui->Memo1);
        m_ui->Memo1->clear();
        m_ui->Memo1->appendPlainText(*m_pendingMemo1);
        m_pendingMemo1.reset();
    }
    if (!m_pendingMemo2.isEmpty()) {
        m_ui->Memo2->appendPlainText(m_pendingMemo2.join(QLatin1Char('\n')));
        m_pendingMemo2.clear();
    }
}

// ---- main window ----------------------------------------------------------------------

void TForm1::FormCreate(QObject *)
{
    // A host with fewer than two addresses, or whose name does not resolve, leaves the
    // missing labels empty; the rest of the header is still filled.
    m_ui->HostNameLabel->setText(m_platform.localHostName());
    QStringList addresses = m_platform.localAddresses();
    m_ui->HostAddressLabel->setText(addresses.value(0));
    m_ui->PortLabel->setText(QString::number(UDPClient->Port()));
    addresses = m_platform.localAddresses();
    m_ui->DestinationLabel->setText(addresses.value(1));
    m_ui->BufferSizeLabel->setText(QString::number(UDPClient->bufferSize()));
}

void TForm1::BitBtn1Click(QObject *)
{
    close();
}

void TForm1::Button8Click(QObject *)
{
    m_ui->Memo2->clear();
}

// ---- programming mode -----------------------------------------------------------------

void TForm1::CheckBox3Click(QObject *)
{
    const bool on = m_ui->CheckBox3->isChecked();
    Ui::TForm1 &u = *m_ui;
    for (QLineEdit *field : {u.Edit4, u.Edit11, u.Edit8, u.Edit7, u.Edit6, u.Edit12, u.Edit9, u.Edit10, u.Edit18,
                             u.Edit19, u.Edit20, u.Edit23, u.Edit26, u.Edit27})
        setUnlocked(field, on);
}

void TForm1::CheckBox2Click(QObject *)
{
    setUnlocked(m_ui->Edit5, m_ui->CheckBox2->isChecked());
}

void TForm1::CheckBox4Click(QObject *)
{
    setUnlocked(m_ui->Edit13, m_ui->CheckBox4->isChecked());
}

void TForm1::CheckBox5Click(QObject *)
{
    setUnlocked(m_ui->Edit15, m_ui->CheckBox5->isChecked());
}

// ---- reply decoder --------------------------------------------------------------------

void TForm1::Memo1Change(QObject *)
{
    if (!m_ui->CheckBox3->isChecked())
        return;
    decodeIntoReadBack(stdBytesOf(m_ui->Memo1->document()->firstBlock().text()));
}

// One run of the decoder on what is the first line of Memo1 at that moment.
void TForm1::decodeIntoReadBack(std::string_view firstLine)
{
    if (!m_ui->CheckBox3->isChecked())
        return;
    m_platform.beep();
    const exchange::DecodedConfig decoded = exchange::decodeConfigRecord(
        m_ui->CheckBox8->isChecked() ? std::string_view(exchange::kSampleRecord) : exchange::firstLine(firstLine));
    const std::pair<const std::optional<std::string> *, QLineEdit *> targets[] = {
        {&decoded.telemetryPort, m_ui->Edit4}, {&decoded.h323Port, m_ui->Edit11},
        {&decoded.gateway, m_ui->Edit18},      {&decoded.ownAddress, m_ui->Edit8},
        {&decoded.controller, m_ui->Edit19},   {&decoded.netMask, m_ui->Edit26},
    };
    for (const auto &[value, field] : targets) {
        if (value->has_value())
            field->setText(textOf(std::string_view(**value)));
    }
    m_ui->Edit7->setText(textOf(std::string_view(decoded.mac)));
}

void TForm1::Button7Click(QObject *)
{
    clearMemo1();
    addMemo1Line(textOf(std::string_view(exchange::kOlderSample)));
}

void TForm1::Button10Click(QObject *)
{
    m_ui->CheckBox8->setChecked(true);
    addMemo1Line(textOf(std::string_view(exchange::kSampleRecord)));
    addMemo2Line(textOf(std::string_view(exchange::kSampleDecimalLine)));
}

void TForm1::Button9Click(QObject *)
{
    m_platform.beep();
}

// ---- address entry and hex mirrors ----------------------------------------------------

void TForm1::mirrorAddress(QLineEdit *address, QLineEdit *plain, QLineEdit *padded)
{
    const exchange::AddressMirrors result = exchange::convertAddress(stdBytesOf(address->text()));
    switch (result.kind) {
    case exchange::AddressMirrors::Kind::Mirrors:
        plain->setText(textOf(std::string_view(result.plain)));
        padded->setText(textOf(std::string_view(result.padded)));
        break;
    case exchange::AddressMirrors::Kind::NoChange:
        break;
    case exchange::AddressMirrors::Kind::Error:
        throw AppError(textOf(std::string_view(result.error)));
    }
}

void TForm1::Edit9Change(QObject *) { mirrorAddress(m_ui->Edit9, m_ui->Edit16, m_ui->Edit14); }
void TForm1::Edit20Change(QObject *) { mirrorAddress(m_ui->Edit20, m_ui->Edit21, m_ui->Edit22); }
void TForm1::Edit23Change(QObject *) { mirrorAddress(m_ui->Edit23, m_ui->Edit24, m_ui->Edit25); }
void TForm1::Edit27Change(QObject *) { mirrorAddress(m_ui->Edit27, m_ui->Edit28, m_ui->Edit29); }

// ---- configuration commands -----------------------------------------------------------

void TForm1::Button4Click(QObject *)
{
    if (!m_ui->CheckBox3->isChecked())
        return;
    if (m_ui->RadioButton_UDP->isChecked()) {
        UDPClient->setHost(bytesOf(m_ui->Edit13->text()));
        UDPClient->setPort(integerOf(m_ui->Edit5));
        UDPServer->addBinding(bytesOf(m_ui->Edit15->text()));
        UDPServer->addBinding(QByteArray(), integerOf(m_ui->Edit5));
        UDPServer->setActive(true);
    }
    if (m_ui->RadioButton_UDP->isChecked())
        UDPClient->send(QByteArray::fromStdString(exchange::getRequest()));
}

void TForm1::Button6Click(QObject *)
{
    Ui::TForm1 &u = *m_ui;
    const std::pair<QLineEdit *, QLineEdit *> rows[] = {
        {u.Edit4, u.Edit6},   {u.Edit8, u.Edit9},   {u.Edit7, u.Edit10}, {u.Edit11, u.Edit12},
        {u.Edit18, u.Edit20}, {u.Edit26, u.Edit27}, {u.Edit19, u.Edit23},
    };
    // Each address written runs its mirror conversion at once; a conversion that fails
    // reports itself and the copy goes on.
    for (const auto &[from, to] : rows)
        to->setText(from->text());
}

void TForm1::Button5Click(QObject *)
{
    if (!m_ui->CheckBox3->isChecked())
        return;
    clearMemo1();
    if (m_ui->RadioButton_UDP->isChecked()) {
        const exchange::ConfigRecordOutcome outcome = exchange::buildConfigRecord({
            stdBytesOf(m_ui->Edit6->text()), stdBytesOf(m_ui->Edit12->text()), stdBytesOf(m_ui->Edit22->text()),
            stdBytesOf(m_ui->Edit14->text()), stdBytesOf(m_ui->Edit25->text()), stdBytesOf(m_ui->Edit29->text()),
            stdBytesOf(m_ui->Edit10->text()),
        });
        if (!outcome.ok())
            throw AppError(textOf(std::string_view(outcome.error)));
        UDPClient->send(QByteArray::fromStdString(outcome.record));
        m_platform.processMessages();
    }
    if (m_ui->CheckBox7->isChecked()) {
        m_platform.pause(500);
        // One reading of the clock for every field, so the record is consistent at midnight.
        const QDateTime now = m_platform.localNow();
        const QDate date = now.date();
        const QTime time = now.time();
        const std::string record = exchange::timeRecord(
            {date.year(), date.month(), date.day(), date.dayOfWeek(), time.hour(), time.minute(), time.second()});
        UDPClient->send(QByteArray::fromStdString(record));
        m_platform.beep();
    }
}

// ---- transport mode and UDP client ----------------------------------------------------

void TForm1::FormShow(QObject *)
{
    const bool udp = m_ui->RadioButton_UDP->isChecked();
    m_ui->Button2->setEnabled(false);
    m_ui->Button3->setEnabled(false);
    if (udp)
        UDPClient->setActive(true);
    m_ui->CheckBox1->setEnabled(udp);
}

void TForm1::RadioButton_UDPClick(QObject *)
{
    m_ui->Button2->setEnabled(false);
    m_ui->Button3->setEnabled(false);
    UDPClient->setActive(true);
    m_ui->CheckBox1->setEnabled(true);
}

void TForm1::RadioButtonTCPClick(QObject *)
{
    m_ui->Button2->setEnabled(true);
    m_ui->Button3->setEnabled(true);
    UDPClient->setActive(false);
    m_ui->CheckBox1->setEnabled(false);
}

void TForm1::RadioButton_IndyTCPClick(QObject *)
{
    m_ui->CheckBox1->setEnabled(m_ui->RadioButton_UDP->isChecked());
    UDPClient->setActive(false);
}

void TForm1::Edit2Change(QObject *)
{
    UDPClient->setHost(bytesOf(m_ui->Edit2->text()));
}

void TForm1::Edit3Change(QObject *)
{
    // Serves Edit3 and Edit5 alike, and always reads Edit3.
    const QString text = m_ui->Edit3->text();
    if (text.isEmpty())
        return;
    m_ui->PortLabel->setText(text);
    UDPClient->setPort(integerOf(m_ui->Edit3));
}

// ---- UDP listener ---------------------------------------------------------------------

void TForm1::CheckBox1Click(QObject *)
{
    // Serves CheckBox1 and CheckBox6 alike, and always reads CheckBox1.
    if (!m_ui->CheckBox1->isChecked()) {
        UDPServer->setActive(false);
        return;
    }
    UDPServer->addBinding(IdIPWatch1->currentLocalAddress());
    UDPServer->addBinding(QByteArray(), integerOf(m_ui->Edit3));
    UDPServer->setActive(true);
}

void TForm1::UDPServerUDPRead(QObject *, const QByteArray &AData, UdpBinding &ABinding)
{
    // Memo1 is emptied and given the text (one decode of its first line, which is the
    // text's own first line); Memo2 gets the line. The views themselves are updated once
    // per batch by flushReceivedViews, before anything else can look at them.
    const std::string_view bytes(AData.constData(), static_cast<size_t>(AData.size()));
    QString text = textOf(bytes);
    decodeIntoReadBack(bytes);
    m_pendingMemo2.append(text);
    m_pendingMemo1 = std::move(text);
    const std::string reply = exchange::echoReply(stdBytesOf(m_platform.localHostName()), bytes);
    ABinding.sendTo(QByteArray::fromStdString(reply), ABinding.peerAddress, ABinding.peerPort);
}

// ---- sending text ---------------------------------------------------------------------

void TForm1::Button1Click(QObject *)
{
    if (m_ui->RadioButton_UDP->isChecked())
        UDPClient->send(bytesOf(m_ui->Edit1->text()));
    if (m_ui->RadioButtonTCP->isChecked()) {
        if (!m_ui->CheckBox6->isChecked()) {
            Client1->sendText(bytesOf(m_ui->Edit1->text()));
        } else {
            const QString name = derivedClientName();
            const QByteArray text = bytesOf(m_ui->Edit1->text());
            if (TcpClientSocket *client = findNamedClient(name))
                client->sendText(text);
        }
    }
}

void TForm1::SubstitutionIP()
{
    QByteArray text = bytesOf(m_ui->Edit2->text());
    for (char &c : text) {
        if (c == ' ' || c == '_' || c == '.' || c == ',' || c == '!' || c == '?')
            c = '_';
    }
    SubstitutedIP = text;
}

QString TForm1::derivedClientName()
{
    SubstitutionIP();
    return QStringLiteral("Client") + textOf(SubstitutedIP);
}

// The registry compares names exactly, case included.
int TForm1::registryRow(const QString &name) const
{
    for (int i = 0; i < m_ui->ListBox1->count(); ++i) {
        if (m_ui->ListBox1->item(i)->text() == name)
            return i;
    }
    return -1;
}

void TForm1::Button2Click(QObject *)
{
    if (!m_ui->CheckBox6->isChecked()) {
        if (!m_ui->RadioButtonTCP->isChecked() || Client1->connected())
            return;
        // The port is read first: a bad port text leaves the status as it was.
        const qint32 port = integerOf(m_ui->Edit3);
        setStatus(kWaiting);
        Client1->Port = port;
        Client1->Host = bytesOf(m_ui->Edit2->text());
        Client1->setActive(true);
        disableTransportChoice();
        return;
    }

    const QString name = derivedClientName();
    if (registryRow(name) >= 0) {
        m_platform.showMessage(kAlreadyExists);
        return;
    }
    auto *client = new TcpClientSocket(this);
    TCPSocketClient = client;
    try {
        nameComponent(client, name);
        client->Host = bytesOf(m_ui->Edit2->text());
        client->Port = integerOf(m_ui->Edit3);
        client->clientType = TcpClientSocket::ctNonBlocking;
        client->Tag = 0;
        client->Address = bytesOf(m_ui->Edit2->text());
        client->Service.clear();
    } catch (...) {
        // A client that could not be set up is not kept: the address can be tried again.
        delete client;
        throw;
    }
    bindEvents(client, &TForm1::TCPClient1Connect, &TForm1::TCPClientDisconnect, &TForm1::TCPSocketClientOnRead,
               &TForm1::TCPClientError);
    m_namedClients.append(client);
    m_ui->ListBox1->addItem(name);
    if (m_ui->RadioButtonTCP->isChecked()) {
        setNamedStatus(client->Host, kWaiting);
        client->setActive(true);
        disableTransportChoice();
    }
}

void TForm1::Button3Click(QObject *)
{
    if (!m_ui->CheckBox6->isChecked()) {
        Client1->setActive(false);
        enableTransportChoice();
        return;
    }
    const QString name = derivedClientName();
    if (const int row = registryRow(name); row >= 0)
        delete m_ui->ListBox1->takeItem(row);
    // Whatever its state, the client of that name is closed and freed, so the address
    // can be connected again.
    if (QPointer<TcpClientSocket> client = findNamedClient(name)) {
        try {
            client->setActive(false);
            if (client)
                freeNamedClient(client);
        } catch (...) {
            m_platform.showMessage(kNotConnected);
        }
    }
    enableTransportChoice();
}

void TForm1::Client1Connect(QObject *, TcpClientSocket *)
{
    setStatus(kConnected);
}

void TForm1::Client1Disconnect(QObject *, TcpClientSocket *)
{
    setStatus(kDisconnected);
}

void TForm1::Client1Read(QObject *, TcpClientSocket *Socket)
{
    clearMemo1();
    const QByteArray text = Socket->receiveText();
    addMemo1Line(textOf(Client1->Host + text));
    addMemo2Line(textOf(text));
}

void TForm1::Client1Error(QObject *, TcpClientSocket *, TcpClientSocket::ErrorEvent, int &ErrorCode)
{
    setStatus(kConnectError);
    ErrorCode = 0;
}

// The state texts of a named client carry that client's own remote address.
void TForm1::TCPClient1Connect(QObject *, TcpClientSocket *Socket)
{
    setNamedStatus(Socket->remoteAddress(), kConnected);
}

void TForm1::TCPClientDisconnect(QObject *, TcpClientSocket *Socket)
{
    setNamedStatus(Socket->remoteAddress(), kDisconnected);
}

void TForm1::TCPClientError(QObject *, TcpClientSocket *Socket, TcpClientSocket::ErrorEvent, int &ErrorCode)
{
    setNamedStatus(Socket->remoteAddress(), kConnectError);
    ErrorCode = 0;
}

void TForm1::TCPSocketClientOnRead(QObject *, TcpClientSocket *Socket)
{
    clearMemo1();
    const QByteArray text = Socket->receiveText();
    const QString line = textOf(Socket->remoteAddress() + text);
    addMemo1Line(line);
    addMemo2Line(line);
}
