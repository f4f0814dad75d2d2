// The window without the network: start-up, programming mode, the decoder as the user
// and the diagnostics drive it, the hex mirrors, the copy command and the write
// command's checks before anything is sent.
#include "WindowFixture.h"

#include "transport/UdpClient.h"

#include <QTextBlock>
#include <QtTest>

namespace {
const QColor clWindow(0xFF, 0xFF, 0xFF);
const QColor cl3DLight(0xE3, 0xE3, 0xE3);
const QString kSample = QStringLiteral("<1788#1789#C0.A8.77.1#C0.A8.77.8D#C0.A8.77.F0#FF.FF.FF.0#00-AC-6E-24-18-02>");

QColor colourOf(QLineEdit *edit) { return edit->palette().color(QPalette::Active, QPalette::Base); }
} // namespace

class WindowTest : public QObject
{
    Q_OBJECT
    WindowFixture w;

    QList<QLineEdit *> programmingFields() const
    {
        auto &u = w.ui();
        return {u.Edit4, u.Edit11, u.Edit8, u.Edit7, u.Edit6, u.Edit12, u.Edit9,
                u.Edit10, u.Edit18, u.Edit19, u.Edit20, u.Edit23, u.Edit26, u.Edit27};
    }
    QStringList readBack() const
    {
        auto &u = w.ui();
        return {u.Edit4->text(), u.Edit11->text(), u.Edit18->text(), u.Edit8->text(),
                u.Edit19->text(), u.Edit26->text(), u.Edit7->text()};
    }

private slots:
    void init() { w.platform = FakePlatform(); }
    void cleanup() { w.destroy(); }

    void headerOnHosts_data()
    {
        QTest::addColumn<QStringList>("addresses");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("two addresses") << QStringList{"10.0.0.5", "10.0.0.6", "10.0.0.7"} << "10.0.0.5" << "10.0.0.6";
        QTest::newRow("one address") << QStringList{"10.0.0.5"} << "10.0.0.5" << "";
        QTest::newRow("none, or a name that does not resolve") << QStringList{} << "" << "";
    }
    void headerOnHosts()
    {
        QFETCH(QStringList, addresses);
        QFETCH(QString, first);
        QFETCH(QString, second);
        w.platform.addresses = addresses;
        w.platform.hostName = "bench-pc";
        w.create();
        auto &u = w.ui();
        QCOMPARE(w.platform.errors, QStringList());
        QCOMPARE(u.HostNameLabel->text(), QString("bench-pc"));
        QCOMPARE(u.HostAddressLabel->text(), first);
        QCOMPARE(u.PortLabel->text(), QString("6104"));
        QCOMPARE(u.DestinationLabel->text(), second);
        QCOMPARE(u.BufferSizeLabel->text(), QString("8192"));
    }

    void stateAfterStart()
    {
        w.create();
        auto &u = w.ui();
        QCOMPARE(u.PageControl1->currentWidget(), u.TabSheet2);
        QVERIFY(!u.Button2->isEnabled());
        QVERIFY(!u.Button3->isEnabled());
        QVERIFY(u.CheckBox1->isEnabled());
        QVERIFY(w.form->UDPClient->isActive());
        QCOMPARE(u.Edit3->text(), QString("6022"));
        QCOMPARE(w.form->UDPClient->Port(), 6104);
        QCOMPARE(w.form->UDPClient->Host(), QByteArray("192.168.13.41"));
        QCOMPARE(u.Memo1->toPlainText(), QString("Данные от сервера:"));
        QCOMPARE(u.Memo2->toPlainText(), QString("Данные от сервера:"));
        QCOMPARE(u.StatusPanel0->text(), QString("Отключен TCP"));
        QCOMPARE(w.platform.beeps, 0);
        // Six write fields accept input although painted locked.
        for (QLineEdit *e : programmingFields())
            QCOMPARE(colourOf(e), cl3DLight);
        QList<QLineEdit *> enabled;
        for (QLineEdit *e : programmingFields())
            if (e->isEnabled())
                enabled << e;
        QCOMPARE(enabled, (QList<QLineEdit *>{u.Edit6, u.Edit9, u.Edit10, u.Edit20, u.Edit23, u.Edit27}));
    }

    void programmingModeLocksAndUnlocksTheFourteen()
    {
        w.create();
        w.ui().Edit9->setText("10.1.2.3");
        w.programmingMode(true);
        for (QLineEdit *e : programmingFields()) {
            QVERIFY2(e->isEnabled(), qPrintable(e->objectName()));
            QCOMPARE(colourOf(e), clWindow);
        }
        w.programmingMode(false);
        for (QLineEdit *e : programmingFields()) {
            QVERIFY2(!e->isEnabled(), qPrintable(e->objectName()));
            QCOMPARE(colourOf(e), cl3DLight);
        }
        QCOMPARE(w.ui().Edit9->text(), QString("10.1.2.3"));
        // Mirrors and the unused command port stay locked in every mode.
        QVERIFY(!w.ui().Edit14->isEnabled());
        QVERIFY(!w.ui().Edit17->isEnabled());
    }

    void unlockSwitches()
    {
        w.create();
        auto &u = w.ui();
        const std::pair<QCheckBox *, QLineEdit *> pairs[] = {{u.CheckBox2, u.Edit5}, {u.CheckBox4, u.Edit13}, {u.CheckBox5, u.Edit15}};
        for (auto [box, field] : pairs) {
            QVERIFY(!field->isEnabled());
            box->click();
            QVERIFY(field->isEnabled());
            QCOMPARE(colourOf(field), clWindow);
            box->click();
            QVERIFY(!field->isEnabled());
            QCOMPARE(colourOf(field), cl3DLight);
        }
        QVERIFY(!u.CheckBox3->isChecked());
    }

    void receivedRecordIsDecodedOnceWithOneBeep()
    {
        w.create();
        w.programmingMode(true);
        w.ui().Memo1->clear();
        w.platform.beeps = 0;
        w.ui().Memo1->appendPlainText(kSample + "\r\nsecond line <1#2>");
        QCOMPARE(w.platform.beeps, 1);
        QCOMPARE(readBack(), (QStringList{"6024", "6025", "192.168.119.1", "192.168.119.141", "192.168.119.240",
                                          "255.255.255.0", "00-AC-6E-24-18-02"}));
    }

    void decoderIsSilentOutsideProgrammingMode()
    {
        w.create();
        const QStringList before = readBack();
        w.ui().Memo1->appendPlainText(kSample);
        QCOMPARE(w.platform.beeps, 0);
        QCOMPARE(readBack(), before);
    }

    void typingIntoMemo1DecodesEachKeystroke()
    {
        w.create();
        w.programmingMode(true);
        w.ui().PageControl1->setCurrentWidget(w.ui().TabSheet1);
        w.ui().Memo1->setFocus();
        w.ui().Memo1->moveCursor(QTextCursor::End);
        QTest::keyClicks(w.ui().Memo1, "ab");
        QCOMPARE(w.platform.beeps, 2);
        // The design line has no separators: every field gets the whole first line.
        QCOMPARE(w.ui().Edit7->text(), QString("Данные от сервера:ab"));
        QCOMPARE(w.ui().Edit4->text(), QString("0"));
    }

    void diagnostics()
    {
        w.create();
        w.programmingMode(true);
        w.ui().Button7->click();
        QCOMPARE(w.ui().Memo1->toPlainText(), QString("192.168.1.1#<1788#1789#C0.A8.D.1#7F-DC-6E-24-18-0C>"));
        QCOMPARE(w.platform.beeps, 1);
        QCOMPARE(w.ui().Edit7->text(), QString("7F-DC-6E-24-18-0C"));
        QCOMPARE(w.ui().Edit4->text(), QString("0"));

        w.ui().Button10->click();
        QVERIFY(w.ui().CheckBox8->isChecked());
        QCOMPARE(w.ui().Edit8->text(), QString("192.168.119.141"));
        QCOMPARE(w.ui().Memo2->document()->lastBlock().text(),
                 QString("<6024#6025#192.168.119.1#192.168.119.141#192.168.119.240#255.255.255.0#00-AC-6E-24-18-02>"));
        // From now on every change decodes the sample, whatever Memo1 holds.
        w.ui().Edit8->setText("1.1.1.1");
        w.ui().Memo1->appendPlainText("garbage");
        QCOMPARE(w.ui().Edit8->text(), QString("192.168.119.141"));

        const int beeps = w.platform.beeps;
        w.ui().Button9->click();
        QCOMPARE(w.platform.beeps, beeps + 1);
        w.ui().Button8->click();
        QCOMPARE(w.ui().Memo2->toPlainText(), QString());
        w.ui().Button8->click();
        QCOMPARE(w.platform.errors, QStringList());
    }

    void mirrorsFollowTyping()
    {
        w.create();
        auto &u = w.ui();
        u.Edit9->clear();
        QStringList plain;
        for (const QChar c : QString("192.168.1.10")) {
            QTest::keyClicks(u.Edit9, QString(c));
            plain << u.Edit16->text();
        }
        QCOMPARE(plain, (QStringList{"1.1.1.1", "13.13.13.13", "C0.C0.C0.C0", "C0.C0.C0.C0", "C0.1.1.1", "C0.10.10.10",
                                     "C0.A8.A8.A8", "C0.A8.A8.A8", "C0.A8.1.1", "C0.A8.1.1", "C0.A8.1.1", "C0.A8.1.A"}));
        QCOMPARE(u.Edit14->text(), QString("C0.A8.01.0A"));
        QCOMPARE(w.platform.errors, QStringList());
        // A bad part reports its conversion error once and leaves both mirrors alone.
        QTest::keyClicks(u.Edit9, "x");
        QCOMPARE(w.platform.errors, QStringList{"'10x' is not a valid integer value."});
        QCOMPARE(u.Edit16->text(), QString("C0.A8.1.A"));
        QCOMPARE(u.Edit14->text(), QString("C0.A8.01.0A"));
    }

    void copyCommandReportsEachBadAddressAndCopiesAll()
    {
        w.create();
        auto &u = w.ui();
        u.Edit4->setText("6024");
        u.Edit8->setText("1.2.3.x");
        u.Edit7->setText("MAC");
        u.Edit11->setText("6025");
        u.Edit18->setText("10.0.0.1");
        u.Edit26->setText("y.0.0.0");
        u.Edit19->setText("z");
        u.Button6->click();
        QCOMPARE(w.platform.errors, (QStringList{"'x' is not a valid integer value.", "'y' is not a valid integer value.",
                                                 "'z' is not a valid integer value."}));
        QCOMPARE((QStringList{u.Edit6->text(), u.Edit9->text(), u.Edit10->text(), u.Edit12->text(), u.Edit20->text(),
                              u.Edit27->text(), u.Edit23->text()}),
                 (QStringList{"6024", "1.2.3.x", "MAC", "6025", "10.0.0.1", "y.0.0.0", "z"}));
        QCOMPARE(u.Edit22->text(), QString("0A.00.00.01"));
        QCOMPARE(u.Edit14->text(), QString("0.0.0.0"));
        // Copying again changes nothing and converts nothing.
        w.platform.errors.clear();
        u.Button6->click();
        QCOMPARE(w.platform.errors, QStringList());
    }

    void commandsDoNothingOutsideProgrammingMode()
    {
        w.create();
        w.ui().Button4->click();
        w.ui().Button5->click();
        QCOMPARE(w.form->UDPClient->Host(), QByteArray("192.168.13.41"));
        QCOMPARE(w.ui().Memo1->toPlainText(), QString("Данные от сервера:"));
        QCOMPARE(w.platform.errors, QStringList());
        QCOMPARE(w.platform.beeps, 0);
    }

    void writeCommandStopsAtABadPort()
    {
        w.create();
        w.programmingMode(true);
        w.ui().Edit12->setText("12a");
        w.ui().Button5->click();
        QCOMPARE(w.platform.errors, QStringList{"'12a' is not a valid integer value."});
        QCOMPARE(w.ui().Memo1->toPlainText(), QString());
        QCOMPARE(w.platform.pauses, QList<int>());
        QCOMPARE(w.platform.beeps, 0);
    }

    void historyFileIsWrittenAtExit()
    {
        w.platform.addresses = {"10.9.8.7"};
        w.create();
        const QString path = w.dir.filePath("iphist.dat");
        w.destroy();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("10.9.8.7\n"));
    }
};

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
