// The yardstick for the listener figures: a plain QUdpSocket on the loopback that answers
// every datagram with the same reply text the window sends, and does nothing else.
//
//   bare_echo [--port P] [--lifetime S]
//
// Prints "ready" once bound; quits after S seconds at the latest.
#include <QCoreApplication>
#include <QHostAddress>
#include <QTimer>
#include <QUdpSocket>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    quint16 port = 6023;
    int lifetime = 300;
    const QStringList args = QCoreApplication::arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--port"))
            port = static_cast<quint16>(args[i + 1].toUInt());
        else if (args[i] == QLatin1String("--lifetime"))
            lifetime = args[i + 1].toInt();
    }

    QUdpSocket socket;
    if (!socket.bind(QHostAddress(QStringLiteral("127.0.0.1")), port)) {
        std::fprintf(stderr, "bare_echo: cannot bind 127.0.0.1:%u\n", port);
        return 1;
    }
    const QByteArray prefix = QByteArrayLiteral("Replied from testhost to \"");
    QByteArray buffer(8192, '\0');
    QObject::connect(&socket, &QUdpSocket::readyRead, &socket, [&] {
        while (socket.hasPendingDatagrams()) {
            QHostAddress peer;
            quint16 peerPort = 0;
            const qint64 got = socket.readDatagram(buffer.data(), buffer.size(), &peer, &peerPort);
            if (got < 0 || !peer.isLoopback())
                continue;
            QByteArray reply = prefix;
            reply.append(buffer.constData(), got).append('"');
            socket.writeDatagram(reply, peer, peerPort);
        }
    });
    QTimer::singleShot(lifetime * 1000, &application, &QCoreApplication::quit);
    std::printf("ready\n");
    std::fflush(stdout);
    return QCoreApplication::exec();
}
