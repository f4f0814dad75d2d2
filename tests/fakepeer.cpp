// A scriptable TCP peer for the tests: listens on an address and port, reports what
// happens on standard output and acts on commands read from standard input.
//
//   fakepeer --listen ADDR:PORT
// Output lines: "listening", "accepted <ip>:<port>", "data <escaped bytes>", "closed".
// Commands: "send <escaped bytes>", "sendbulk <n>" (n bytes of 'x' at once), "close",
// "reset" (abort with RST), "quit". Escapes are \xHH.
#include "LogEscape.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>

#include <cstdio>
#include <sys/socket.h>
#include <unistd.h> // a test tool: plain read(2) and setsockopt(2)

namespace {

void say(const QByteArray &line)
{
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qsizetype at = args.indexOf("--listen");
    const QString listen = at >= 0 && at + 1 < args.size() ? args[at + 1] : QStringLiteral("127.0.0.1:6022");
    const qsizetype colon = listen.lastIndexOf(':');

    QTcpServer server;
    if (!server.listen(QHostAddress(listen.left(colon)), listen.mid(colon + 1).toUShort())) {
        std::fprintf(stderr, "fakepeer: cannot listen on %s\n", qPrintable(listen));
        return 2;
    }
    QList<QTcpSocket *> clients;
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        while (QTcpSocket *socket = server.nextPendingConnection()) {
            clients << socket;
            say("accepted " + socket->peerAddress().toString().toLatin1() + ':' + QByteArray::number(socket->peerPort()));
            QObject::connect(socket, &QTcpSocket::readyRead, [socket] { say("data " + escapeForLog(socket->readAll())); });
            QObject::connect(socket, &QTcpSocket::disconnected, [&clients, socket] {
                clients.removeOne(socket);
                say("closed");
                socket->deleteLater();
            });
        }
    });

    QByteArray pending;
    auto run = [&](const QByteArray &command) {
        const QList<QTcpSocket *> targets = clients;
        if (command.startsWith("send ")) {
            for (QTcpSocket *s : targets)
                s->write(unescapeFromLog(command.mid(5)));
        } else if (command.startsWith("sendbulk ")) {
            for (QTcpSocket *s : targets)
                s->write(QByteArray(command.mid(9).toInt(), 'x'));
        } else if (command == "close") {
            for (QTcpSocket *s : targets)
                s->disconnectFromHost();
        } else if (command == "reset") {
            // Linger zero: the close sends a reset, not an orderly FIN.
            for (QTcpSocket *s : targets) {
                const linger hard{1, 0};
                ::setsockopt(static_cast<int>(s->socketDescriptor()), SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
                s->abort();
            }
        } else if (command == "quit") {
            app.quit();
        }
        say("done " + command.left(20));
    };
    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        // Several commands may arrive in one read.
        char buffer[65536];
        const ssize_t got = ::read(0, buffer, sizeof buffer);
        const QByteArray chunk(buffer, got > 0 ? got : 0);
        if (chunk.isEmpty()) {
            app.quit();
            return;
        }
        pending += chunk;
        qsizetype end;
        while ((end = pending.indexOf('\n')) >= 0) {
            run(pending.left(end));
            pending.remove(0, end + 1);
        }
    });
    say("listening");
    return QCoreApplication::exec();
}
