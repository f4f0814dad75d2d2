// Floods one UDP port on the loopback with a fixed payload and counts the echoes that come
// back. Prints its figures as "name: value" lines on stdout for the program that started it.
//
//   flooder --port P [--payload record|text] [--count N] [--window W] [--max-seconds S]
//           [--rate R] [--drain-ms D] [--stall-ms T]
//
// Without --rate it keeps at most W datagrams in flight without an echo, so the figure is
// the receiver's throughput rather than how fast a socket buffer overflows. With --rate it
// sends open-loop at R datagrams per second and the loss tells whether the receiver keeps up.
// Both loops stop by themselves after N datagrams or S seconds.
#include "Isolation.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QNetworkInterface>
#include <QUdpSocket>
#include <QVariant>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

const char kRecord[] = "<1788#1789#C0.A8.77.1#C0.A8.77.8D#C0.A8.77.F0#FF.FF.FF.0#00-AC-6E-24-18-02>";

QByteArray textPayload()
{
    // 80 bytes of plain text, the length of a typical typed line.
    QByteArray text("Commissioning bench text line: the quick brown fox jumps over the lazy dog 0123");
    text = text.leftJustified(80, '.', true);
    return text;
}

double seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

struct Options {
    QHostAddress host{QStringLiteral("127.0.0.1")};
    quint16 port = 6022;
    QByteArray payload = kRecord;
    long long count = 200000;
    long long window = 256;
    double maxSeconds = 20;
    double rate = 0;
    int drainMs = 500;
    int stallMs = 200;
};

[[noreturn]] void usage(const char *message)
{
    std::fprintf(stderr, "flooder: %s\n", message);
    std::exit(2);
}

Options parse(const QStringList &args)
{
    Options o;
    for (int i = 1; i < args.size(); ++i) {
        const QString &name = args[i];
        if (i + 1 >= args.size())
            usage("every option takes a value");
        const QString value = args[++i];
        if (name == QLatin1String("--host"))
            o.host = QHostAddress(value);
        else if (name == QLatin1String("--port"))
            o.port = static_cast<quint16>(value.toUInt());
        else if (name == QLatin1String("--payload"))
            o.payload = value == QLatin1String("text") ? textPayload() : QByteArray(kRecord);
        else if (name == QLatin1String("--count"))
            o.count = value.toLongLong();
        else if (name == QLatin1String("--window"))
            o.window = value.toLongLong();
        else if (name == QLatin1String("--max-seconds"))
            o.maxSeconds = value.toDouble();
        else if (name == QLatin1String("--rate"))
            o.rate = value.toDouble();
        else if (name == QLatin1String("--drain-ms"))
            o.drainMs = value.toInt();
        else if (name == QLatin1String("--stall-ms"))
            o.stallMs = value.toInt();
        else
            usage("unknown option");
    }
    if (o.count <= 0 || o.window <= 0 || o.maxSeconds <= 0 || o.port == 0)
        usage("count, window, max-seconds and port must be positive");
    return o;
}

struct Tally {
    long long sent = 0;
    long long echoed = 0;
    long long badEchoes = 0;
    long long stalls = 0;
    long long sendFailures = 0;
    Clock::time_point firstSend;
    Clock::time_point lastEcho;
};

void readEchoes(QUdpSocket &socket, Tally &tally, char *buffer, qint64 size)
{
    while (socket.hasPendingDatagrams()) {
        const qint64 got = socket.readDatagram(buffer, size);
        if (got < 0)
            break;
        ++tally.echoed;
        tally.lastEcho = Clock::now();
        if (got < 12 || std::string(buffer, 12) != "Replied from")
            ++tally.badEchoes;
    }
}

bool sendOne(QUdpSocket &socket, const Options &o, Tally &tally)
{
    if (socket.writeDatagram(o.payload, o.host, o.port) != o.payload.size()) {
        // A full send buffer: nothing left the socket, try again on the next round.
        ++tally.sendFailures;
        return false;
    }
    if (tally.sent++ == 0)
        tally.firstSend = Clock::now();
    return true;
}

void windowed(QUdpSocket &socket, const Options &o, Tally &tally, char *buffer, qint64 size)
{
    const auto start = Clock::now();
    const auto sendUntil = start + std::chrono::duration<double>(o.maxSeconds);
    long long writtenOff = 0; // outstanding datagrams given up for lost after a stall
    auto quietSince = Clock::now();
    for (;;) {
        const auto now = Clock::now();
        const bool sending = tally.sent < o.count && now < sendUntil;
        if (!sending) {
            if (tally.echoed >= tally.sent)
                break;
            if (now - quietSince > std::chrono::milliseconds(o.drainMs))
                break;
        }
        if (writtenOff > tally.sent - tally.echoed)
            writtenOff = tally.sent - tally.echoed;
        while (sending && tally.sent < o.count && tally.sent - tally.echoed - writtenOff < o.window) {
            if (!sendOne(socket, o, tally))
                break;
        }
        const long long before = tally.echoed;
        if (socket.waitForReadyRead(sending ? o.stallMs : 20))
            readEchoes(socket, tally, buffer, size);
        if (tally.echoed != before) {
            quietSince = Clock::now();
        } else if (sending && Clock::now() - quietSince >= std::chrono::milliseconds(o.stallMs)) {
            // Nothing came back for a long while: what is outstanding was dropped somewhere.
            ++tally.stalls;
            writtenOff = tally.sent - tally.echoed;
            quietSince = Clock::now();
        }
    }
}

void paced(QUdpSocket &socket, const Options &o, Tally &tally, char *buffer, qint64 size)
{
    const auto start = Clock::now();
    const long long total = std::min<long long>(o.count, static_cast<long long>(o.rate * o.maxSeconds));
    auto quietSince = start;
    for (;;) {
        const auto now = Clock::now();
        const long long due = std::min<long long>(total, static_cast<long long>(o.rate * seconds(now - start)) + 1);
        while (tally.sent < due) {
            if (!sendOne(socket, o, tally))
                break;
        }
        const long long before = tally.echoed;
        if (socket.waitForReadyRead(1))
            readEchoes(socket, tally, buffer, size);
        if (tally.echoed != before)
            quietSince = Clock::now();
        if (tally.sent >= total) {
            if (tally.echoed >= tally.sent || Clock::now() - quietSince > std::chrono::milliseconds(o.drainMs))
                break;
        }
        // A hard end in case the receiver keeps talking.
        if (Clock::now() - start > std::chrono::duration<double>(o.maxSeconds + 10))
            break;
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const Options o = parse(QCoreApplication::arguments());

    if (o.host.isNull() || !o.host.isLoopback())
        usage("the flood target must be a loopback address");
    if (!inIsolatedNetwork())
        usage("refusing to send outside an isolated network namespace with only the loopback");

    QUdpSocket socket;
    if (!socket.bind(QHostAddress(QStringLiteral("127.0.0.1")), 0))
        usage("cannot bind the sending socket");
    // Room for every echo of a window and more, so the flooder never is the one dropping.
    socket.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 4 << 20);
    socket.setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, 1 << 20);

    QByteArray buffer(65536, '\0');
    Tally tally;
    if (o.rate > 0)
        paced(socket, o, tally, buffer.data(), buffer.size());
    else
        windowed(socket, o, tally, buffer.data(), buffer.size());

    const double elapsed = tally.echoed > 0 ? seconds(tally.lastEcho - tally.firstSend) : 0.0;
    std::printf("sent: %lld\n", tally.sent);
    std::printf("echoed: %lld\n", tally.echoed);
    std::printf("loss: %lld\n", tally.sent - tally.echoed);
    std::printf("elapsed_ms: %.1f\n", elapsed * 1000.0);
    std::printf("dps: %.0f\n", elapsed > 0 ? tally.echoed / elapsed : 0.0);
    std::printf("bad_echoes: %lld\n", tally.badEchoes);
    std::printf("stalls: %lld\n", tally.stalls);
    std::printf("send_failures: %lld\n", tally.sendFailures);
    std::fflush(stdout);
    return 0;
}
