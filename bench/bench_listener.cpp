// The listener path under load: the real window offscreen on fake platform services, in
// programming mode with reception on, so every datagram is shown, logged, decoded and
// echoed. Separate flooder processes load it over the loopback; figures go to stdout as
// "name: value unit" lines.
//
//   bench_listener --mode flood   throughput and loss against a bare echo server, tick gaps
//                                 of a 10 ms timer during the flood, loss at a paced rate
//   bench_listener --mode log     cost per line and resident memory as the log grows
//
// Options (all "--name value"): --port 6022, --bare-port 6023, --count 200000, --window 128,
// --max-seconds 15 (per full-rate run), --paced-fraction 0.8, --paced-rate R (absolute,
// overrides the fraction), --paced-seconds 5, --log-lines 10000,100000,1000000,
// --log-max-seconds 110, --tools DIR (where flooder and bare_echo live).
#include "Isolation.h"

#include "FakePlatform.h"
#include "Unit1.h"
#include "transport/UdpListener.h"
#include "ui_Unit1.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QHostAddress>
#include <QLineEdit>
#include <QNetworkInterface>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <vector>

namespace {

struct Options {
    QString mode = QStringLiteral("flood");
    quint16 port = 6022;
    quint16 barePort = 6023;
    long long count = 200000;
    long long window = 128;
    double maxSeconds = 15;
    double pacedFraction = 0.8;
    double pacedRate = 0;
    double pacedSeconds = 5;
    std::vector<long long> logLines = {10000, 100000, 1000000};
    double logMaxSeconds = 110;
    QString tools;
};

[[noreturn]] void fail(const QString &message)
{
    std::fprintf(stderr, "bench_listener: %s\n", qPrintable(message));
    std::exit(1);
}

Options parse(const QStringList &args)
{
    Options o;
    o.tools = QCoreApplication::applicationDirPath();
    for (int i = 1; i < args.size(); i += 2) {
        if (i + 1 >= args.size())
            fail(QStringLiteral("every option takes a value"));
        const QString &name = args[i];
        const QString &value = args[i + 1];
        if (name == QLatin1String("--mode"))
            o.mode = value;
        else if (name == QLatin1String("--port"))
            o.port = static_cast<quint16>(value.toUInt());
        else if (name == QLatin1String("--bare-port"))
            o.barePort = static_cast<quint16>(value.toUInt());
        else if (name == QLatin1String("--count"))
            o.count = value.toLongLong();
        else if (name == QLatin1String("--window"))
            o.window = value.toLongLong();
        else if (name == QLatin1String("--max-seconds"))
            o.maxSeconds = value.toDouble();
        else if (name == QLatin1String("--paced-fraction"))
            o.pacedFraction = value.toDouble();
        else if (name == QLatin1String("--paced-rate"))
            o.pacedRate = value.toDouble();
        else if (name == QLatin1String("--paced-seconds"))
            o.pacedSeconds = value.toDouble();
        else if (name == QLatin1String("--log-lines")) {
            o.logLines.clear();
            for (const QString &part : value.split(QLatin1Char(','), Qt::SkipEmptyParts))
                o.logLines.push_back(part.toLongLong());
            std::sort(o.logLines.begin(), o.logLines.end());
        } else if (name == QLatin1String("--log-max-seconds"))
            o.logMaxSeconds = value.toDouble();
        else if (name == QLatin1String("--tools"))
            o.tools = value;
        else
            fail(QStringLiteral("unknown option %1").arg(name));
    }
    if (o.mode != QLatin1String("flood") && o.mode != QLatin1String("log"))
        fail(QStringLiteral("--mode is flood or log"));
    if (o.logLines.empty() || o.logLines.front() <= 0)
        fail(QStringLiteral("--log-lines needs positive counts"));
    return o;
}

void figure(const QString &name, double value, const char *unit, int decimals = 0)
{
    std::printf("%s: %.*f%s%s\n", qPrintable(name), decimals, value, *unit ? " " : "", unit);
    std::fflush(stdout);
}

void note(const QString &text)
{
    std::fprintf(stderr, "  [%s]\n", qPrintable(text));
}

double rssMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    // A /proc file has no size to read up to: take it whole.
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return -1;
}

QString label(long long lines)
{
    if (lines % 1000000 == 0)
        return QString::number(lines / 1000000) + QLatin1Char('M');
    if (lines % 1000 == 0)
        return QString::number(lines / 1000) + QLatin1Char('k');
    return QString::number(lines);
}

// Lets the event loop run, so the window keeps handling datagrams, until done() holds or
// the time is up.
template <typename Done> bool spinUntil(Done done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

using Figures = std::map<QString, double>;

// Runs one flooder to its end without blocking the event loop and returns its figures.
Figures runFlooder(const Options &o, const QStringList &args, double timeLimit)
{
    QProcess flooder;
    flooder.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QEventLoop loop;
    QObject::connect(&flooder, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&flooder, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &flooder, &QProcess::kill);
    flooder.start(o.tools + QStringLiteral("/flooder"), args);
    guard.start(static_cast<int>((timeLimit + 30) * 1000));
    if (flooder.state() != QProcess::NotRunning)
        loop.exec();
    flooder.waitForFinished(5000);
    if (flooder.exitStatus() != QProcess::NormalExit || flooder.exitCode() != 0)
        fail(QStringLiteral("flooder %1 failed").arg(args.join(QLatin1Char(' '))));
    Figures result;
    for (const QByteArray &line : flooder.readAllStandardOutput().split('\n')) {
        const int colon = line.indexOf(':');
        if (colon > 0)
            result[QString::fromLatin1(line.left(colon))] = line.mid(colon + 1).trimmed().toDouble();
    }
    if (result["bad_echoes"] > 0 || result["stalls"] > 0)
        note(QStringLiteral("%1: %2 stalls, %3 unexpected replies")
                 .arg(args.join(QLatin1Char(' ')))
                 .arg(result["stalls"])
                 .arg(result["bad_echoes"]));
    return result;
}

QStringList fullRate(const Options &o, quint16 port, const char *payload, long long count, double seconds)
{
    return {QStringLiteral("--port"), QString::number(port), QStringLiteral("--payload"), QString::fromLatin1(payload),
            QStringLiteral("--count"), QString::number(count), QStringLiteral("--window"), QString::number(o.window),
            QStringLiteral("--max-seconds"), QString::number(seconds)};
}

// The window under load, as a user leaves it: programming mode on, reception on.
struct Window {
    FakePlatform platform;
    QTemporaryDir dir;
    std::unique_ptr<TForm1> form;

    void open(quint16 port)
    {
        if (!dir.isValid())
            fail(QStringLiteral("no temporary folder for the history file"));
        platform.addresses = {QStringLiteral("127.0.0.1")};
        form = std::make_unique<TForm1>(platform, dir.filePath(QStringLiteral("iphist.dat")));
        form->show();
        QCoreApplication::processEvents();
        Ui::TForm1 &u = *form->ui();
        if (!u.CheckBox3->isChecked())
            u.CheckBox3->click();
        u.Edit3->setText(QString::number(port));
        if (!u.CheckBox1->isChecked())
            u.CheckBox1->click();
        // Every run starts from an empty log, whatever the design puts in it.
        clearLog();
        if (!u.CheckBox3->isChecked() || !form->UDPServer->isActive())
            fail(QStringLiteral("the window did not start listening: %1").arg(platform.errors.join(QStringLiteral("; "))));
    }
    long long logLines() const
    {
        const QTextDocument *log = form->ui()->Memo2->document();
        return log->isEmpty() ? 0 : log->blockCount();
    }
    void clearLog()
    {
        QCoreApplication::processEvents();
        form->ui()->Button8->click();
        QCoreApplication::processEvents();
    }
};

// Gaps between the ticks of a 10 ms timer on the window's thread, while recording.
class TickRecorder
{
public:
    TickRecorder()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            const qint64 now = m_clock.nsecsElapsed();
            if (m_last >= 0)
                m_gapsMs.push_back((now - m_last) / 1e6);
            m_last = now;
        });
    }
    void start()
    {
        m_clock.start();
        m_last = -1;
        m_timer.start();
    }
    void stop() { m_timer.stop(); }
    const std::vector<double> &gaps() const { return m_gapsMs; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = -1;
    std::vector<double> m_gapsMs;
};

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t rank = static_cast<size_t>(std::ceil(p * values.size()));
    return values[std::min(values.size() - 1, rank == 0 ? 0 : rank - 1)];
}

void floodMode(const Options &o)
{
    Window window;
    window.open(o.port);

    // The yardstick first, while the window sits idle.
    QProcess bare;
    bare.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    bare.start(o.tools + QStringLiteral("/bare_echo"),
               {QStringLiteral("--port"), QString::number(o.barePort), QStringLiteral("--lifetime"), QStringLiteral("300")});
    if (!bare.waitForReadyRead(5000) || !bare.readAll().contains("ready"))
        fail(QStringLiteral("bare_echo did not start"));
    const Figures bareRecord = runFlooder(o, fullRate(o, o.barePort, "record", o.count, o.maxSeconds), o.maxSeconds);
    figure(QStringLiteral("bare_echo_dps"), bareRecord.at("dps"), "datagrams/s");
    figure(QStringLiteral("bare_echo_loss"), bareRecord.at("loss"), "datagrams");
    const Figures bareText = runFlooder(o, fullRate(o, o.barePort, "text", o.count, o.maxSeconds), o.maxSeconds);
    figure(QStringLiteral("bare_echo_text_dps"), bareText.at("dps"), "datagrams/s");
    bare.terminate();
    if (!bare.waitForFinished(5000))
        bare.kill();

    // The window at full rate, each run starting from an empty log, a 10 ms timer ticking.
    TickRecorder ticks;
    ticks.start();
    const Figures record = runFlooder(o, fullRate(o, o.port, "record", o.count, o.maxSeconds), o.maxSeconds);
    ticks.stop();
    const long long recordLines = window.logLines();
    window.clearLog();
    ticks.start();
    const Figures text = runFlooder(o, fullRate(o, o.port, "text", o.count, o.maxSeconds), o.maxSeconds);
    ticks.stop();
    const long long textLines = window.logLines();
    window.clearLog();

    figure(QStringLiteral("listener_record_dps"), record.at("dps"), "datagrams/s");
    figure(QStringLiteral("listener_record_loss"), record.at("loss"), "datagrams");
    figure(QStringLiteral("listener_text_dps"), text.at("dps"), "datagrams/s");
    figure(QStringLiteral("listener_text_loss"), text.at("loss"), "datagrams");
    figure(QStringLiteral("listener_vs_bare_ratio"), record.at("dps") / bareRecord.at("dps"), "", 3);
    figure(QStringLiteral("listener_text_vs_bare_ratio"), text.at("dps") / bareText.at("dps"), "", 3);
    figure(QStringLiteral("tick_gap_p99"), percentile(ticks.gaps(), 0.99), "ms", 1);
    figure(QStringLiteral("tick_gap_max"), percentile(ticks.gaps(), 1.0), "ms", 1);
    note(QStringLiteral("record run: %1 sent, %2 lines logged; text run: %3 sent, %4 lines logged; %5 ticks")
             .arg(record.at("sent"))
             .arg(recordLines)
             .arg(text.at("sent"))
             .arg(textLines)
             .arg(ticks.gaps().size()));

    // Open-loop at a share of what the window managed: does it keep up without loss?
    const double rate = o.pacedRate > 0 ? o.pacedRate : o.pacedFraction * record.at("dps");
    const QString name = o.pacedRate > 0 ? QStringLiteral("listener_paced")
                                         : QStringLiteral("listener_paced%1").arg(std::lround(o.pacedFraction * 100));
    const Figures paced = runFlooder(o,
                                     {QStringLiteral("--port"), QString::number(o.port), QStringLiteral("--payload"),
                                      QStringLiteral("record"), QStringLiteral("--count"), QString::number(o.count),
                                      QStringLiteral("--rate"), QString::number(rate), QStringLiteral("--max-seconds"),
                                      QString::number(o.pacedSeconds)},
                                     o.pacedSeconds);
    figure(name + QStringLiteral("_rate"), rate, "datagrams/s");
    figure(name + QStringLiteral("_sent"), paced.at("sent"), "datagrams");
    figure(name + QStringLiteral("_loss"), paced.at("loss"), "datagrams");
    if (!window.platform.errors.isEmpty())
        note(QStringLiteral("the window reported %1 errors, the first: %2")
                 .arg(window.platform.errors.size())
                 .arg(window.platform.errors.first()));
}

void logMode(const Options &o)
{
    Window window;
    window.open(o.port);
    figure(QStringLiteral("log_rss_mb_0"), rssMegabytes(), "MB", 1);

    // A light poll notes when the log first holds a line and when it passes each mark.
    struct Mark {
        long long target;
        long long lines = 0;
        qint64 ns = -1;
        double rssMb = 0;
    };
    std::vector<Mark> marks;
    for (long long lines : o.logLines)
        marks.push_back({lines});
    size_t next = 0;
    QElapsedTimer clock;
    clock.start();
    qint64 firstNs = -1;
    long long firstLines = 0;
    QTimer poll;
    poll.setTimerType(Qt::PreciseTimer);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        const long long lines = window.logLines();
        if (firstNs < 0 && lines > 0) {
            firstNs = clock.nsecsElapsed();
            firstLines = lines;
        }
        while (next < marks.size() && lines >= marks[next].target) {
            marks[next].lines = lines;
            marks[next].ns = clock.nsecsElapsed();
            marks[next].rssMb = rssMegabytes();
            ++next;
        }
    });
    poll.start(5);

    const long long goal = marks.back().target;
    QElapsedTimer budget;
    budget.start();
    for (int round = 0; round < 4 && next < marks.size(); ++round) {
        const double left = o.logMaxSeconds - budget.elapsed() / 1000.0;
        if (left <= 1)
            break;
        // A few more than the goal, so a datagram lost now and then does not leave the last
        // mark waiting for a drain and a top-up.
        const long long count = goal - window.logLines() + std::max<long long>(1000, goal / 100);
        runFlooder(o, fullRate(o, o.port, "record", count, left), left);
        // Whatever the window still has to add to the log gets a moment to land.
        spinUntil([&] { return next >= marks.size(); }, 2000);
    }
    poll.stop();

    long long prevLines = firstLines;
    qint64 prevNs = firstNs;
    for (const Mark &mark : marks) {
        if (mark.ns < 0) {
            note(QStringLiteral("the log reached only %1 lines within %2 s; no figures for %3")
                     .arg(window.logLines())
                     .arg(o.logMaxSeconds)
                     .arg(label(mark.target)));
            break;
        }
        // The cost of each line added since the previous mark, so a log that grows dearer shows.
        const double us = (mark.ns - prevNs) / 1e3 / std::max<long long>(1, mark.lines - prevLines);
        figure(QStringLiteral("log_us_per_line_") + label(mark.target), us, "us", 1);
        figure(QStringLiteral("log_rss_mb_") + label(mark.target), mark.rssMb, "MB", 1);
        prevLines = mark.lines;
        prevNs = mark.ns;
    }
    figure(QStringLiteral("log_lines_reached"), window.logLines(), "lines");
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const Options o = parse(QCoreApplication::arguments());
    if (!inIsolatedNetwork())
        fail(QStringLiteral("refusing to run outside an isolated network namespace with only the loopback "
                            "(use scripts/run-bench.sh)"));
    if (o.mode == QLatin1String("flood"))
        floodMode(o);
    else
        logMode(o);
    return 0;
}
