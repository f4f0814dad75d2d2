// A stand-in for the device: answers "GO" with its configuration record, keeps the last
// record written to it, and logs every datagram it receives, byte-exact and escaped,
// one per line as "<sender-ip>:<sender-port> <payload>".
//
//   fakedevice [--listen ADDR:PORT] [--reply-port N] [--record TEXT] [--log FILE]
//
// Defaults: listen 0.0.0.0:4000, replies to the requester's address at port 8090.
#include "LogEscape.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QNetworkDatagram>
#include <QUdpSocket>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({"listen", "Address and port to listen on.", "addr:port", "0.0.0.0:4000"});
    parser.addOption({"reply-port", "Port the record is sent to.", "port", "8090"});
    parser.addOption({"record", "The record the device holds at start.", "text",
                      "<1788#1789#C0.A8.77.1#C0.A8.77.8D#C0.A8.77.F0#FF.FF.FF.0#00-AC-6E-24-18-02>"});
    parser.addOption({"log", "File for the datagram log (default: standard output).", "file"});
    parser.process(app);

    const QString listen = parser.value("listen");
    const qsizetype colon = listen.lastIndexOf(':');
    const QHostAddress address(listen.left(colon));
    const quint16 port = listen.mid(colon + 1).toUShort();
    const quint16 replyPort = parser.value("reply-port").toUShort();
    QByteArray record = parser.value("record").toLatin1();

    QFile log;
    if (parser.isSet("log")) {
        log.setFileName(parser.value("log"));
        if (!log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
            std::fprintf(stderr, "fakedevice: cannot open log %s\n", qPrintable(log.fileName()));
            return 2;
        }
    } else {
        log.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered);
    }

    QUdpSocket socket;
    if (address.isNull() || !socket.bind(address, port)) {
        std::fprintf(stderr, "fakedevice: cannot listen on %s: %s\n", qPrintable(listen),
                     qPrintable(socket.errorString()));
        return 2;
    }
    std::fprintf(stderr, "fakedevice: listening on %s\n", qPrintable(listen));

    QObject::connect(&socket, &QUdpSocket::readyRead, [&] {
        while (socket.hasPendingDatagrams()) {
            const QNetworkDatagram datagram = socket.receiveDatagram();
            const QByteArray payload = datagram.data();
            log.write(datagram.senderAddress().toString().toLatin1() + ':'
                      + QByteArray::number(datagram.senderPort()) + ' ' + escapeForLog(payload) + '\n');
            if (payload == "GO")
                socket.writeDatagram(record, datagram.senderAddress(), replyPort);
            else if (payload.startsWith('<') && payload.endsWith('>'))
                record = payload;
        }
    });
    return QCoreApplication::exec();
}
