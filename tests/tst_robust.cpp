// What a peer or a user can throw at the window: a flood of random datagrams of every
// length, markup in received and typed text, and an exit that cannot write its file.
#include "NetTest.h"
#include "WindowFixture.h"

#include "TextCodec.h"
#include "platform/QtPlatform.h"
#include "transport/IpWatch.h"
#include "transport/UdpListener.h"

#include <QMessageBox>
#include <QNetworkDatagram>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QTimer>
#include <QUdpSocket>
#include <QtTest>

namespace {

const QByteArray kMarkup = "<b>x</b><img src=x>";

// Random bytes with the characters that matter to the decoder and the views made common.
QByteArray randomPayload(QRandomGenerator &random, qsizetype size)
{
    static const char special[] = {'\0', '\r', '\n', '\xFF', '<', '#', '>', '.', '\xA0'};
    QByteArray payload(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i) {
        const quint32 r = random.generate();
        payload[i] = (r & 3) == 0 ? special[(r >> 2) % sizeof special] : static_cast<char>(r >> 8);
    }
    return payload;
}

// What a plain-text view reads back of a line appended to it: line breaks as '\n' and
// the no-break space as a space.
QString asShown(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QChar(0xA0), QLatin1Char(' '));
    return text;
}

} // namespace

class RobustTest : public QObject
{
    Q_OBJECT
    WindowFixture w;

private slots:
    void init()
    {
        w.platform = FakePlatform();
        w.platform.addresses = {"127.0.0.1"};
    }
    void cleanup() { w.destroy(); }

    void floodOfRandomDatagrams()
    {
        REQUIRE_ISOLATED_NAMESPACE();
        w.create();
        w.programmingMode(true);
        w.ui().CheckBox1->click();
        QVERIFY(w.form->UDPServer->isActive());
        w.ui().Button8->click(); // start from an empty log

        const int count = qEnvironmentVariableIntValue("FLOOD_COUNT") > 0 ? qEnvironmentVariableIntValue("FLOOD_COUNT")
                                                                          : 100000;
        QRandomGenerator random(20261211);
        QUdpSocket peer;
        QVERIFY(peer.bind(QHostAddress::LocalHost, 0));
        QStringList expected;
        int echoes = 0;
        int shown = 0;
        const QHostAddress target("127.0.0.1");
        for (int i = 0; i < count; ++i) {
            // Mostly short, often exactly at the limit, sometimes as long as UDP allows.
            const quint32 pick = random.bounded(16);
            const qsizetype size = pick < 10 ? random.bounded(200)
                                   : pick < 12 ? 8190 + random.bounded(5)
                                               : random.bounded(65508);
            // Content matters only where the window shows it; the rest is filled cheaply.
            const QByteArray payload = size <= UdpListener::kBufferSize
                                           ? randomPayload(random, size)
                                           : QByteArray(size, static_cast<char>(random.generate()));
            QCOMPARE(peer.writeDatagram(payload, target, 6022), qint64(size));
            if (size <= UdpListener::kBufferSize) {
                ++shown;
                expected << asShown(textOf(payload));
            }
            // Paced: the window has read this one before the next goes out.
            QCoreApplication::processEvents();
            QCoreApplication::processEvents();
            while (peer.hasPendingDatagrams()) {
                peer.readDatagram(nullptr, 0);
                ++echoes;
            }
        }
        QTRY_COMPARE_WITH_TIMEOUT(([&] {
                                      while (peer.hasPendingDatagrams()) {
                                          peer.readDatagram(nullptr, 0);
                                          ++echoes;
                                      }
                                      return echoes;
                                  }()),
                                  shown, 5000);
        QCOMPARE(w.platform.beeps, shown);
        QCOMPARE(w.ui().Memo2->toPlainText(), expected.join('\n'));
        QCOMPARE(w.ui().Memo1->toPlainText(), expected.last());
        QCOMPARE(w.platform.errors, QStringList());

        // Still answering: a click runs its handler, a datagram is answered.
        w.ui().Button8->click();
        QCOMPARE(w.ui().Memo2->toPlainText(), QString());
        peer.writeDatagram("after", target, 6022);
        QTRY_VERIFY(peer.hasPendingDatagrams());
        QCOMPARE(peer.receiveDatagram().data(), QByteArray("Replied from testhost to \"after\""));
    }

    void markupShowsLiterally()
    {
        REQUIRE_ISOLATED_NAMESPACE();
        w.create();
        w.ui().CheckBox1->click();
        QUdpSocket peer;
        QVERIFY(peer.bind(QHostAddress::LocalHost, 0));
        peer.writeDatagram(kMarkup, QHostAddress("127.0.0.1"), 6022);
        QTRY_VERIFY(peer.hasPendingDatagrams());
        QCOMPARE(w.ui().Memo1->toPlainText(), QString(kMarkup));
        QCOMPARE(w.ui().Memo2->document()->lastBlock().text(), QString(kMarkup));
        // Every label of the window, the status panels included, is plain text.
        for (QLabel *label : w.form->findChildren<QLabel *>())
            QVERIFY2(label->textFormat() == Qt::PlainText, qPrintable(label->objectName()));
        // A typed field quoted in an error keeps its markup as text.
        w.ui().Edit3->setText(QString(kMarkup));
        QCOMPARE(w.platform.errors.last(), QString("'<b>x</b><img src=x>' is not a valid integer value."));
    }

    void errorBoxesArePlainText()
    {
        // The real error display, closed by a timer as soon as it is up.
        QtPlatform platform;
        QString text;
        Qt::TextFormat format = Qt::AutoText;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        auto closeBox = [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            text = box->text();
            format = box->textFormat();
            icon = box->icon();
            box->accept();
        };
        QTimer::singleShot(100, closeBox);
        platform.showError(QString(kMarkup));
        QCOMPARE(text, QString(kMarkup) + "."); // the display adds the full stop after '>'
        QCOMPARE(format, Qt::PlainText);
        QCOMPARE(icon, QMessageBox::Critical);

        QTimer::singleShot(100, closeBox);
        platform.showMessage(QStringLiteral("    Socked - не подключен"));
        QCOMPARE(text, QStringLiteral("    Socked - не подключен"));
        QCOMPARE(format, Qt::PlainText);
        QCOMPARE(icon, QMessageBox::NoIcon);
    }

    void historyKeepsTheNewestTwentyFive()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("iphist.dat");
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("an older history that must be replaced whole\n");
        }
        {
            FakePlatform platform;
            platform.addresses = {"10.0.0.1"};
            IpWatch watch(platform, path);
            for (int i = 2; i <= 30; ++i)
                watch.record(QStringLiteral("10.0.0.%1").arg(i));
            watch.record("10.0.0.30"); // unchanged: not recorded again
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QStringList expected;
        for (int i = 6; i <= 30; ++i)
            expected << QStringLiteral("10.0.0.%1").arg(i);
        QCOMPARE(QString::fromLatin1(file.readAll()), expected.join('\n') + '\n');
    }

    void exitWithAnUnwritableHistory()
    {
        // The history file's place is a folder: the write fails, the exit goes on.
        QTemporaryDir dir;
        const QString path = dir.filePath("iphist.dat");
        QVERIFY(QDir().mkdir(path));
        auto form = std::make_unique<TForm1>(w.platform, path);
        form->show();
        form.reset();
        QVERIFY(QFileInfo(path).isDir());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
    }
};

QTEST_MAIN(RobustTest)
#include "tst_robust.moc"
