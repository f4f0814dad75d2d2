// The UDP client and the listener on the wire, inside the isolated namespace: the client's
// destination and its errors, the listener's bindings, its echo and what it shows.
#include "DeviceLog.h"
#include "NetTest.h"
#include "WindowFixture.h"

#include "platform/AppError.h"
#include "transport/UdpClient.h"
#include "transport/UdpListener.h"

#include <QNetworkDatagram>
#include <QTextBlock>
#include <QUdpSocket>
#include <QtTest>

namespace {

// A peer on this side of the wire, bound to one of the window's own addresses.
struct Peer {
    QUdpSocket socket;
    explicit Peer(const char *address = "127.0.0.1", quint16 port = 0)
    {
        QVERIFY(socket.bind(QHostAddress(QString::fromLatin1(address)), port));
    }
    QList<QNetworkDatagram> received;
    bool waitFor(int count, int ms = 3000)
    {
        QDeadlineTimer deadline(ms);
        while (received.size() < count && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            while (socket.hasPendingDatagrams())
                received << socket.receiveDatagram();
        }
        return received.size() >= count;
    }
    // Drains for a while: nothing more must arrive.
    int settle(int ms = 300)
    {
        waitFor(1 << 30, ms);
        return received.size();
    }
};

QString lastLine(QPlainTextEdit *memo) { return memo->document()->lastBlock().text(); }

} // namespace

class UdpTest : public QObject
{
    Q_OBJECT
    WindowFixture w;
    QTemporaryDir logs;

    void startWindow()
    {
        w.platform = FakePlatform();
        w.platform.hostName = "pc";
        w.platform.addresses = {"192.168.1.2", "127.0.0.1"};
        w.create();
    }
    void receptionOn()
    {
        w.ui().CheckBox1->click();
        QVERIFY(w.ui().CheckBox1->isChecked());
        QCOMPARE(w.platform.errors, QStringList());
        QVERIFY(w.form->UDPServer->isActive());
    }

private slots:
    void initTestCase() { REQUIRE_ISOLATED_NAMESPACE(); }
    void init() { startWindow(); }
    void cleanup() { w.destroy(); }

    void receptionOpensBothBindingsAndEchoesFromTheReceivingPort()
    {
        receptionOn();
        const auto &bindings = w.form->UDPServer->bindings();
        QCOMPARE(bindings.size(), size_t(2));
        QCOMPARE(bindings[0]->IP, QByteArray("192.168.1.2"));
        QCOMPARE(bindings[0]->Port, 8090);
        QCOMPARE(bindings[1]->IP, QByteArray());
        QCOMPARE(bindings[1]->Port, 6022);

        Peer peer("192.168.1.2");
        for (quint16 port : {quint16(8090), quint16(6022)}) {
            peer.received.clear();
            peer.socket.writeDatagram("abc", QHostAddress("192.168.1.2"), port);
            QVERIFY(peer.waitFor(1));
            QCOMPARE(peer.received[0].data(), QByteArray("Replied from pc to \"abc\""));
            QCOMPARE(peer.received[0].senderPort(), int(port));
            QCOMPARE(w.ui().Memo1->toPlainText(), QString("abc"));
            QCOMPARE(lastLine(w.ui().Memo2), QString("abc"));
        }
    }

    void payloadsShownAndAnswered_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QString>("memo1");
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("CR LF inside") << QByteArray("one\r\ntwo") << QString("one\ntwo");
        QTest::newRow("zero byte") << QByteArray("ab\0cd", 5) << QString::fromLatin1("ab\0cd", 5);
        QTest::newRow("cp1251 letters") << QByteArray("\xC4\xE0", 2) << QString("Да");
        QTest::newRow("8192 bytes") << QByteArray(8192, 'x') << QString(8192, 'x');
    }
    void payloadsShownAndAnswered()
    {
        QFETCH(QByteArray, payload);
        QFETCH(QString, memo1);
        receptionOn();
        Peer peer;
        peer.socket.writeDatagram(payload, QHostAddress("127.0.0.1"), 6022);
        QVERIFY(peer.waitFor(1));
        QCOMPARE(peer.received[0].data(), "Replied from pc to \"" + payload + "\"");
        QCOMPARE(w.ui().Memo1->toPlainText(), memo1);
        QVERIFY(w.ui().Memo2->toPlainText().endsWith("\n" + memo1));
    }

    void longerThanTheBufferIsDroppedWhole()
    {
        receptionOn();
        Peer peer;
        peer.socket.writeDatagram(QByteArray(8193, 'y'), QHostAddress("127.0.0.1"), 6022);
        peer.socket.writeDatagram("next", QHostAddress("127.0.0.1"), 6022);
        QVERIFY(peer.waitFor(1));
        QCOMPARE(peer.settle(), 1);
        QCOMPARE(peer.received[0].data(), QByteArray("Replied from pc to \"next\""));
        QVERIFY(!w.ui().Memo2->toPlainText().contains('y'));
    }

    void programmingModeDecodesEveryDatagram()
    {
        w.programmingMode(true);
        receptionOn();
        Peer peer;
        peer.socket.writeDatagram("<1788#1789#C0.A8.77.1#C0.A8.77.8D#C0.A8.77.F0#FF.FF.FF.0#00-AC-6E-24-18-02>",
                                  QHostAddress("127.0.0.1"), 6022);
        QVERIFY(peer.waitFor(1));
        QCOMPARE(w.ui().Edit8->text(), QString("192.168.119.141"));
        QCOMPARE(w.platform.beeps, 1);
    }

    void aBurstIsShownWholeAndDecodedDatagramByDatagram()
    {
        w.programmingMode(true);
        receptionOn();
        Peer peer;
        const int count = 300;
        for (int i = 0; i < count; ++i) {
            const QByteArray payload = i == count - 2 ? QByteArray("<10#20#1.2.3.4#5.6.7.8#9.A.B.C#D.E.F.10#MAC-") + QByteArray::number(i) + ">"
                                                      : "line " + QByteArray::number(i) + "\r\nsecond";
            peer.socket.writeDatagram(payload, QHostAddress("127.0.0.1"), 6022);
            // Bursts of 50: each arrives within one turn, and none overflows the socket buffer.
            if (i % 50 == 49)
                QVERIFY(peer.waitFor(i + 1, 5000));
        }
        QVERIFY(peer.waitFor(count, 5000));
        QCOMPARE(w.platform.beeps, count);
        // The record decoded on its own; the last datagram then changed only the MAC field.
        QCOMPARE(w.ui().Edit4->text(), QString("16"));
        QCOMPARE(w.ui().Edit26->text(), QString("13.14.15.16"));
        QCOMPARE(w.ui().Edit7->text(), QString("line %1").arg(count - 1));
        QCOMPARE(w.ui().Memo1->toPlainText(), QString("line %1\nsecond").arg(count - 1));
        const QStringList log = w.ui().Memo2->toPlainText().split('\n');
        QCOMPARE(log.size(), 1 + 2 * count - 1);
        QCOMPARE(log[1], QString("line 0"));
        QCOMPARE(log[2], QString("second"));
        QCOMPARE(log[2 * (count - 2) + 1], QString("<10#20#1.2.3.4#5.6.7.8#9.A.B.C#D.E.F.10#MAC-%1>").arg(count - 2));
        QCOMPARE(log.last(), QString("second"));
    }

    void listenerKeepsAnsweringInTcpMode()
    {
        receptionOn();
        w.ui().RadioButtonTCP->click();
        QVERIFY(!w.ui().CheckBox1->isEnabled());
        QVERIFY(w.ui().CheckBox1->isChecked());
        QVERIFY(!w.form->UDPClient->isActive());
        Peer peer;
        peer.socket.writeDatagram("t", QHostAddress("127.0.0.1"), 6022);
        QVERIFY(peer.waitFor(1));
        w.ui().RadioButton_UDP->click();
        QVERIFY(w.ui().CheckBox1->isEnabled());
        QVERIFY(w.form->UDPClient->isActive());
    }

    void receptionCanBeSwitchedOffAndOnAgain()
    {
        receptionOn();
        w.ui().CheckBox1->click();
        QVERIFY(!w.form->UDPServer->isActive());
        receptionOn();
        QCOMPARE(w.form->UDPServer->bindings().size(), size_t(2));
        Peer peer;
        peer.socket.writeDatagram("again", QHostAddress("127.0.0.1"), 6022);
        QVERIFY(peer.waitFor(1));
    }

    void aFailedBindIsDroppedSoTheUserCanRetry()
    {
        QUdpSocket squatter;
        QVERIFY(squatter.bind(QHostAddress::AnyIPv4, 6022));
        w.ui().CheckBox1->click();
        QCOMPARE(w.platform.errors, QStringList{"Could not bind socket. Address and port are already in use."});
        QVERIFY(!w.form->UDPServer->isActive());
        QCOMPARE(w.form->UDPServer->bindings().size(), size_t(1));
        // Nothing of the failed attempt stays bound: binding A's port is free again.
        QUdpSocket probe;
        QVERIFY(probe.bind(QHostAddress("192.168.1.2"), 8090));
        probe.close();

        squatter.close();
        w.platform.errors.clear();
        w.ui().CheckBox1->click(); // off
        receptionOn();
        QCOMPARE(w.form->UDPServer->bindings().size(), size_t(2));
    }

    void bindingErrors_data()
    {
        QTest::addColumn<QString>("clientIp");
        QTest::addColumn<QString>("error");
        QTest::newRow("not this machine's") << "192.168.1.77" << "Socket Error # 10049\r\nCannot assign requested address.";
        QTest::newRow("no IP address") << "1" << "'1' is not a valid IP address";
    }
    void bindingErrors()
    {
        QFETCH(QString, clientIp);
        QFETCH(QString, error);
        w.programmingMode(true);
        w.ui().Edit15->setText(clientIp);
        w.ui().Edit13->setText("127.0.0.1");
        w.ui().Button4->click();
        QCOMPARE(w.platform.errors, QStringList{errorDisplayText(error)});
        QVERIFY(!w.form->UDPServer->isActive());
        // Fixing the field makes the next get command work.
        w.platform.errors.clear();
        w.ui().Edit15->setText("192.168.1.2");
        w.ui().Button4->click();
        QCOMPARE(w.platform.errors, QStringList());
        QVERIFY(w.form->UDPServer->isActive());
        QCOMPARE(w.form->UDPServer->bindings().size(), size_t(2));
    }

    void getCommandTwiceAddsNoDuplicates()
    {
        // The device lives on the other side of the wire, at the default 192.168.1.1:4000.
        const QString log = logs.filePath("device.log");
        QProcess device;
        startInDev(device, qEnvironmentVariable("FAKEDEVICE"), {"--listen", "192.168.1.1:4000", "--log", log});
        QVERIFY(device.waitForStarted());
        QTest::qWait(300);
        w.programmingMode(true);
        w.ui().Button4->click();
        w.ui().Button4->click();
        QCOMPARE(w.platform.errors, QStringList());
        QCOMPARE(w.form->UDPServer->bindings().size(), size_t(2));
        QTRY_VERIFY_WITH_TIMEOUT(readDeviceLog(log).size() >= 4, 3000); // two GO, two echoes of its record
        QByteArrayList gos;
        for (const LoggedDatagram &d : readDeviceLog(log))
            if (d.payload == "GO")
                gos << d.sender;
        QCOMPARE(gos.size(), 2);
        device.kill();
        device.waitForFinished();
        // The get command activated the listener with CheckBox1 unticked: CheckBox6 switches it off.
        w.ui().CheckBox6->click();
        QVERIFY(!w.form->UDPServer->isActive());
    }

    void getCommandWithABadPortSendsNothing()
    {
        w.programmingMode(true);
        w.ui().Edit13->setText("127.0.0.1");
        w.ui().Edit5->setText("40x0");
        w.platform.errors.clear(); // Edit5's own change reads Edit3 and reports nothing
        w.ui().Button4->click();
        QCOMPARE(w.platform.errors, QStringList{"'40x0' is not a valid integer value."});
        QCOMPARE(w.form->UDPClient->Host(), QByteArray("127.0.0.1"));
        QVERIFY(w.form->UDPServer->bindings().empty());
    }

    void startDestinationIsTheClientsOwn()
    {
        const QString log = logs.filePath("host13.log");
        QProcess host;
        startInDev(host, qEnvironmentVariable("FAKEDEVICE"), {"--listen", "192.168.13.41:6104", "--log", log});
        QVERIFY(host.waitForStarted());
        QTest::qWait(300);
        w.ui().Button1->click();
        w.ui().Edit1->setText("");
        w.ui().Button1->click();
        QTRY_COMPARE_WITH_TIMEOUT(readDeviceLog(log).size(), 2, 3000);
        QCOMPARE(readDeviceLog(log)[0].payload, QByteArray("TEST"));
        QCOMPARE(readDeviceLog(log)[1].payload, QByteArray());
        QCOMPARE(w.platform.errors, QStringList());
        host.kill();
        host.waitForFinished();
    }

    void portFollowsEdit3()
    {
        auto &u = w.ui();
        u.Edit3->clear();
        QList<qint32> ports;
        QStringList labels;
        for (const char *c : {"7", "0", "0", "0"}) {
            QTest::keyClicks(u.Edit3, c);
            ports << w.form->UDPClient->Port();
            labels << u.PortLabel->text();
        }
        QCOMPARE(ports, (QList<qint32>{7, 70, 700, 7000}));
        QCOMPARE(labels, (QStringList{"7", "70", "700", "7000"}));
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(u.Edit3, Qt::Key_Backspace);
        QCOMPARE(w.form->UDPClient->Port(), 7);
        QCOMPARE(u.PortLabel->text(), QString("7"));
        QCOMPARE(w.platform.errors, QStringList());

        u.Edit3->setText("60");
        QTest::keyClicks(u.Edit3, "a");
        QCOMPARE(w.platform.errors, QStringList{"'60a' is not a valid integer value."});
        QCOMPARE(u.PortLabel->text(), QString("60a"));
        QCOMPARE(w.form->UDPClient->Port(), 60);

        // Edit5 writes Edit3's port, whatever it holds itself.
        u.Edit3->setText("6022");
        w.form->UDPClient->setPort(4000);
        u.Edit5->setText("5555");
        QCOMPARE(w.form->UDPClient->Port(), 6022);
    }

    void portUsesItsLow16Bits()
    {
        Peer peer("127.0.0.1", 4464);
        w.ui().Edit2->setText("127.0.0.1");
        w.ui().Edit3->setText("70000");
        w.ui().Button1->click();
        QVERIFY(peer.waitFor(1));
        QCOMPARE(peer.received[0].data(), QByteArray("TEST"));
    }

    void sendErrors_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("error");
        QTest::newRow("unknown name") << "no-such-host.invalid" << "Socket Error # 11001\r\nHost not found.";
        QTest::newRow("limited broadcast") << "255.255.255.255" << "Socket Error # 10013\r\nAccess denied.";
        QTest::newRow("subnet broadcast") << "192.168.1.255" << "Socket Error # 10013\r\nAccess denied.";
    }
    void sendErrors()
    {
        QFETCH(QString, host);
        QFETCH(QString, error);
        Peer listener("0.0.0.0", 6104);
        w.ui().Edit2->setText(host);
        w.ui().Button1->click();
        QCOMPARE(w.platform.errors, QStringList{error});
        QCOMPARE(listener.settle(200), 0);
    }

    void tooLargeForADatagram()
    {
        // Longer than any edit takes, so straight through the client.
        w.form->UDPClient->setHost("127.0.0.1");
        try {
            w.form->UDPClient->send(QByteArray(70000, 'z'));
            QFAIL("sent a datagram larger than UDP allows");
        } catch (const AppError &error) {
            QCOMPARE(error.text(), QString("Package Size Too Big."));
        }
    }
};

QTEST_MAIN(UdpTest)
#include "tst_udp.moc"
