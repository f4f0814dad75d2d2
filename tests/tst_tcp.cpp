// TCP client connections: the fixed client and the named per-address clients, their
// state texts, what they send and receive, and clients freed while events are queued.
#include "FakePeer.h"
#include "NetTest.h"
#include "WindowFixture.h"

#include <QTcpServer>
#include <QTextBlock>
#include <QtTest>

namespace {
const QString kDisconnected = QStringLiteral("Отключен \u0422\u0421\u0420");
QString lastLine(QPlainTextEdit *memo) { return memo->document()->lastBlock().text(); }
} // namespace

class TcpTest : public QObject
{
    Q_OBJECT
    WindowFixture w;

    QString status() const { return w.ui().StatusPanel0->text(); }
    bool radiosEnabled() const
    {
        return w.ui().RadioButton_UDP->isEnabled() && w.ui().RadioButtonTCP->isEnabled()
               && w.ui().RadioButton_IndyTCP->isEnabled();
    }
    bool radiosDisabled() const
    {
        return !w.ui().RadioButton_UDP->isEnabled() && !w.ui().RadioButtonTCP->isEnabled()
               && !w.ui().RadioButton_IndyTCP->isEnabled();
    }
    void tcpMode(bool named)
    {
        w.ui().RadioButtonTCP->click();
        if (w.ui().CheckBox6->isChecked() != named)
            w.ui().CheckBox6->click();
    }
    QStringList registry() const
    {
        QStringList names;
        for (int i = 0; i < w.ui().ListBox1->count(); ++i)
            names << w.ui().ListBox1->item(i)->text();
        return names;
    }

private slots:
    void initTestCase() { REQUIRE_ISOLATED_NAMESPACE(); }
    void init()
    {
        w.platform = FakePlatform();
        w.create();
    }
    void cleanup() { w.destroy(); }

    void fixedClientAtTheDefaultDestination()
    {
        FakePeer peer;
        QVERIFY(peer.start("192.168.119.141:6022", true));
        tcpMode(false);
        QVERIFY(w.ui().Button2->isEnabled());
        w.ui().Button2->click();
        QCOMPARE(status(), QString("Ждём"));
        QVERIFY(radiosDisabled());
        QTRY_COMPARE_WITH_TIMEOUT(status(), QString("Подключен"), 5000);

        // A second connect while connected changes nothing.
        w.ui().Button2->click();
        QCOMPARE(status(), QString("Подключен"));

        w.ui().Button1->click();
        QVERIFY(peer.waitFor("data TEST"));
        QCOMPARE(peer.received(), QByteArray("TEST"));

        peer.command("send hello\\x0d\\x0aworld");
        QTRY_COMPARE_WITH_TIMEOUT(w.ui().Memo1->toPlainText(), QString("192.168.119.141hello\nworld"), 5000);
        QCOMPARE(lastLine(w.ui().Memo2), QString("world"));
        QVERIFY(w.ui().Memo2->toPlainText().endsWith("\nhello\nworld"));

        peer.command("close");
        QTRY_COMPARE_WITH_TIMEOUT(status(), kDisconnected, 5000);
        QVERIFY(radiosDisabled());
        w.ui().Button3->click();
        QVERIFY(radiosEnabled());
        QCOMPARE(w.platform.errors, QStringList());
    }

    void fixedClientErrors()
    {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress("127.0.0.1")));
        const quint16 port = closed.serverPort();
        closed.close(); // nothing listens there now: the attempt is refused
        tcpMode(false);
        w.ui().Edit2->setText("127.0.0.1");
        w.ui().Edit3->setText(QString::number(port));
        w.ui().Button2->click();
        QTRY_COMPARE_WITH_TIMEOUT(status(), QString("Ошибка подключения"), 5000);
        QCOMPARE(w.platform.errors, QStringList());

        // A port that is no integer: its error, and the status stays as it was.
        w.ui().Button3->click();
        w.ui().Edit3->setText("60x");
        w.platform.errors.clear();
        w.ui().Button2->click();
        QCOMPARE(w.platform.errors, QStringList{"'60x' is not a valid integer value."});
        QCOMPARE(status(), QString("Ошибка подключения"));
        QVERIFY(radiosEnabled());

        // No address at all fails inside the command: error, then disconnect.
        w.ui().Edit3->setText("6022");
        w.ui().Edit2->setText("");
        w.ui().Button2->click();
        QCOMPARE(status(), kDisconnected);
        QVERIFY(radiosDisabled());
    }

    void namedClientsCarryTheirOwnAddress()
    {
        FakePeer first, second;
        QVERIFY(first.start("127.0.0.1:6022", false));
        QVERIFY(second.start("192.168.119.141:6022", true));
        tcpMode(true);

        w.ui().Edit2->setText("127.0.0.1");
        w.ui().Button2->click();
        QCOMPARE(status(), QString("127.0.0.1 - Ждём"));
        QTRY_COMPARE_WITH_TIMEOUT(status(), QString("127.0.0.1 - Подключен"), 5000);

        w.ui().Edit2->setText("192.168.119.141");
        w.ui().Button2->click();
        QTRY_COMPARE_WITH_TIMEOUT(status(), QString("192.168.119.141 - Подключен"), 5000);
        QCOMPARE(registry(), (QStringList{"Client127_0_0_1", "Client192_168_119_141"}));
        QVERIFY(radiosDisabled());

        // The older client's events still name its own address.
        first.command("send ping");
        QTRY_COMPARE_WITH_TIMEOUT(w.ui().Memo1->toPlainText(), QString("127.0.0.1ping"), 5000);
        QCOMPARE(lastLine(w.ui().Memo2), QString("127.0.0.1ping"));
        first.command("close");
        QTRY_COMPARE_WITH_TIMEOUT(status(), QString("127.0.0.1 - ") + kDisconnected, 5000);

        // Sending goes to the client of the address in Edit2.
        w.ui().Edit1->setText("to-second");
        w.ui().Button1->click();
        QVERIFY(second.waitFor("data to-second"));
        QCOMPARE(first.received(), QByteArray());

        // A second connect to a registered address only says so.
        w.ui().Button2->click();
        QCOMPARE(w.platform.messages, QStringList{"   Такой Socked - уже имеется."});
        QCOMPARE(w.form->namedClients().size(), 2);

        w.ui().Button3->click();
        QCOMPARE(status(), QString("192.168.119.141 - ") + kDisconnected);
        QCOMPARE(registry(), QStringList{"Client127_0_0_1"});
        QCOMPARE(w.form->namedClients().size(), 1);
        QVERIFY(radiosEnabled());
        // The newest client was freed: the guarded reference lets go of it.
        QTRY_VERIFY(TCPSocketClient.isNull());

        // The peer closed the first one: disconnecting frees it all the same, and the
        // address can be connected again.
        w.ui().Edit2->setText("127.0.0.1");
        w.ui().Button3->click();
        QVERIFY(registry().isEmpty());
        QVERIFY(w.form->namedClients().isEmpty());
        w.ui().RadioButtonTCP->click();
        w.ui().Button2->click();
        QCOMPARE(registry(), QStringList{"Client127_0_0_1"});
        QCOMPARE(w.platform.errors, QStringList());
    }

    void namedSetupFailuresKeepNothing_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("error");
        QTest::newRow("hyphen") << "192-168-1-1" << "6022" << "''Client192-168-1-1'' is not a valid component name.";
        QTest::newRow("Cyrillic") << "адрес" << "6022" << "''Clientадрес'' is not a valid component name.";
        QTest::newRow("the fixed client's name") << "1" << "6022" << "A component named Client1 already exists.";
        QTest::newRow("port no integer") << "127.0.0.1" << "x" << "'x' is not a valid integer value.";
    }
    void namedSetupFailuresKeepNothing()
    {
        QFETCH(QString, address);
        QFETCH(QString, port);
        QFETCH(QString, error);
        tcpMode(true);
        w.ui().Edit2->setText(address);
        w.ui().Edit3->setText(port);
        w.platform.errors.clear();
        w.ui().Button2->click();
        QCOMPARE(w.platform.errors, QStringList{error});
        QVERIFY(registry().isEmpty());
        QVERIFY(w.form->namedClients().isEmpty());
        QVERIFY(w.ui().RadioButtonTCP->isEnabled());
        // Once the field is fixed, the same address connects.
        if (port == "x") {
            w.ui().Edit3->setText("6022");
            w.platform.errors.clear();
            w.ui().Button2->click();
            QCOMPARE(w.platform.errors, QStringList());
            QCOMPARE(registry(), QStringList{"Client127_0_0_1"});
        }
    }

    void namesCompareWithoutCaseButTheRegistryWithCase()
    {
        tcpMode(true);
        w.ui().Edit2->setText("abc");
        w.ui().Button2->click();
        w.ui().Edit2->setText("ABC");
        w.ui().Button2->click();
        QCOMPARE(w.platform.messages, QStringList());
        QCOMPARE(w.platform.errors.last(), QString("A component named ClientABC already exists."));
        QCOMPARE(registry(), QStringList{"Clientabc"});
    }

    void emptyAddressFailsInsideTheCommand()
    {
        tcpMode(true);
        w.ui().Edit2->setText("");
        w.ui().Button2->click();
        QCOMPARE(registry(), QStringList{"Client"});
        QCOMPARE(status(), QString(" - ") + kDisconnected);
        QVERIFY(radiosDisabled());
    }

    void sendsThatSendNothing()
    {
        FakePeer peer;
        QVERIFY(peer.start("127.0.0.1:6022", false));
        tcpMode(false);
        w.ui().Edit2->setText("127.0.0.1");
        // Not connected: nothing sent, nothing shown.
        w.ui().Button1->click();
        w.ui().Button2->click();
        QVERIFY(peer.waitFor("accepted"));
        QTRY_COMPARE_WITH_TIMEOUT(status(), QString("Подключен"), 5000);
        // Indy TCP mode has no transport behind it.
        w.ui().Button3->click();
        w.ui().Button2->click(); // still connected: nothing to do
        w.ui().RadioButton_IndyTCP->click();
        w.ui().Button1->click();
        // Named mode with no client of that name.
        w.ui().RadioButtonTCP->click();
        w.ui().CheckBox6->click();
        w.ui().Button1->click();
        QTest::qWait(200);
        peer.poll();
        QCOMPARE(peer.received(), QByteArray());
        QCOMPARE(w.platform.errors, QStringList());
    }

    void disconnectWhileTheAttemptIsPending()
    {
        tcpMode(true);
        // Nobody answers for this address on the wire: the attempt stays pending.
        w.ui().Edit2->setText("192.168.119.200");
        for (int i = 0; i < 20; ++i) {
            w.ui().RadioButtonTCP->click();
            w.ui().Button2->click();
            QCOMPARE(registry(), QStringList{"Client192_168_119_200"});
            w.ui().Button3->click();
            QVERIFY(registry().isEmpty());
            QCOMPARE(w.platform.messages, QStringList());
        }
        QTest::qWait(50);
        QVERIFY(w.form->namedClients().isEmpty());
        QCOMPARE(w.platform.errors, QStringList());
    }

    void peerResetsAndFloods()
    {
        FakePeer peer;
        QVERIFY(peer.start("192.168.119.141:6022", true));
        tcpMode(true);
        for (int cycle = 0; cycle < 200; ++cycle) {
            w.ui().RadioButtonTCP->click();
            w.ui().Button2->click();
            QTRY_COMPARE_WITH_TIMEOUT(status(), QString("192.168.119.141 - Подключен"), 5000);
            // A reset right after a small write, a megabyte at once, a close in the middle of one.
            const bool bulk = cycle % 20 == 1 || cycle % 20 == 2;
            const bool orderly = cycle % 20 == 2;
            peer.command(bulk ? "sendbulk 1000000" : "send x");
            peer.command(orderly ? "close" : "reset");
            QVERIFY(peer.waitFor(orderly ? "done close" : "done reset"));
            peer.lines.clear();
            QTRY_VERIFY_WITH_TIMEOUT(status().endsWith(kDisconnected), 5000);
            w.ui().Button3->click();
            QVERIFY(registry().isEmpty());
        }
        QCOMPARE(w.platform.errors, QStringList());
        QCOMPARE(w.platform.messages, QStringList());
    }
};

QTEST_MAIN(TcpTest)
#include "tst_tcp.moc"
