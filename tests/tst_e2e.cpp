// One configuration cycle against the fake device at the program's default addresses:
// the window on the "pc" side (192.168.1.2), the device on the "dev" side (192.168.1.1:4000).
#include "DeviceLog.h"
#include "NetTest.h"
#include "WindowFixture.h"

#include <QElapsedTimer>
#include <QtTest>

class EndToEndTest : public QObject
{
    Q_OBJECT
    WindowFixture w;
    QTemporaryDir dir;
    QProcess device;
    QString log;

private slots:
    void initTestCase()
    {
        REQUIRE_ISOLATED_NAMESPACE();
        log = dir.filePath("device.log");
        startInDev(device, qEnvironmentVariable("FAKEDEVICE"), {"--listen", "192.168.1.1:4000", "--log", log});
        QVERIFY(device.waitForStarted());
        QTest::qWait(300);
        QCOMPARE(device.state(), QProcess::Running);
    }
    void cleanupTestCase()
    {
        device.kill();
        device.waitForFinished();
    }

    void getCopyWrite()
    {
        w.platform.hostName = "pc";
        w.platform.addresses = {"192.168.1.2"};
        w.platform.realPause = true;
        w.platform.now = QDateTime(QDate(2026, 12, 11), QTime(9, 8, 7)); // a Friday
        w.create();
        auto &u = w.ui();
        w.programmingMode(true);

        u.Button4->click();
        QCOMPARE(w.platform.errors, QStringList());
        QTRY_COMPARE_WITH_TIMEOUT(u.Edit8->text(), QString("192.168.119.141"), 5000);
        QCOMPARE((QStringList{u.Edit4->text(), u.Edit11->text(), u.Edit18->text(), u.Edit19->text(), u.Edit26->text(),
                              u.Edit7->text()}),
                 (QStringList{"6024", "6025", "192.168.119.1", "192.168.119.240", "255.255.255.0", "00-AC-6E-24-18-02"}));

        u.Button6->click();
        QCOMPARE((QStringList{u.Edit6->text(), u.Edit12->text(), u.Edit9->text(), u.Edit20->text(), u.Edit27->text(),
                              u.Edit23->text(), u.Edit10->text()}),
                 (QStringList{"6024", "6025", "192.168.119.141", "192.168.119.1", "255.255.255.0", "192.168.119.240",
                              "00-AC-6E-24-18-02"}));
        QCOMPARE((QStringList{u.Edit14->text(), u.Edit22->text(), u.Edit25->text(), u.Edit29->text()}),
                 (QStringList{"C0.A8.77.8D", "C0.A8.77.01", "C0.A8.77.F0", "FF.FF.FF.00"}));

        const int beeps = w.platform.beeps;
        QElapsedTimer clock;
        clock.start();
        u.Button5->click();
        const qint64 took = clock.elapsed();
        QCOMPARE(w.platform.errors, QStringList());
        QCOMPARE(w.platform.pauses, QList<int>{500});
        QCOMPARE(w.platform.beeps, beeps + 1);
        QVERIFY2(took >= 500, "the time record follows the configuration after the pause");

        const QByteArray written = "<1788#1789#C0.A8.77.01#C0.A8.77.8D#C0.A8.77.F0#FF.FF.FF.00#00-AC-6E-24-18-02>";
        const QByteArray time = "USTTIME<26*12*11*05*09*08*07>";
        QByteArrayList payloads;
        QTRY_VERIFY_WITH_TIMEOUT(([&] {
                                     payloads.clear();
                                     for (const LoggedDatagram &d : readDeviceLog(log))
                                         payloads << d.payload;
                                     return payloads.contains(time);
                                 }()),
                                 5000);
        QCOMPARE(time.size(), 29);
        QVERIFY(payloads.contains("GO"));
        const QByteArray echo = "Replied from pc to \"<1788#1789#C0.A8.77.1#C0.A8.77.8D#C0.A8.77.F0#FF.FF.FF.0#00-AC-6E-24-18-02>\"";
        QVERIFY2(payloads.contains(echo), payloads.join('\n').constData());
        QCOMPARE(payloads.indexOf(written) + 1, payloads.indexOf(time));
        // Every datagram the window sent came from the pc side.
        for (const LoggedDatagram &d : readDeviceLog(log))
            QVERIFY(d.sender.startsWith("192.168.1.2:"));
        w.destroy();
    }
};

QTEST_MAIN(EndToEndTest)
#include "tst_e2e.moc"
