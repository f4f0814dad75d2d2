// Drives the scriptable TCP peer (tools/fakepeer): started in the dev namespace for the
// program's default destination, or here on loopback.
#pragma once

#include "NetTest.h"

#include <QDeadlineTimer>
#include <QProcess>

struct FakePeer {
    QProcess process;
    QByteArrayList lines;

    bool start(const QString &listen, bool inDev)
    {
        const QString program = qEnvironmentVariable("FAKEPEER");
        if (inDev) {
            startInDev(process, program, {"--listen", listen});
        } else {
            process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            process.start(program, {"--listen", listen});
        }
        return process.waitForStarted() && waitFor("listening");
    }
    ~FakePeer()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }
    void poll()
    {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        process.waitForReadyRead(10);
        while (process.canReadLine())
            lines << process.readLine().trimmed();
    }
    // Waits until a line starting with the prefix has come; keeps the window's events going.
    bool waitFor(const QByteArray &prefix, int ms = 5000)
    {
        QDeadlineTimer deadline(ms);
        while (!deadline.hasExpired()) {
            poll();
            for (const QByteArray &line : lines)
                if (line.startsWith(prefix))
                    return true;
        }
        return false;
    }
    QByteArray received()
    {
        QByteArray all;
        for (const QByteArray &line : lines)
            if (line.startsWith("data "))
                all += line.mid(5);
        return all;
    }
    int count(const QByteArray &prefix) const
    {
        int n = 0;
        for (const QByteArray &line : lines)
            n += line.startsWith(prefix) ? 1 : 0;
        return n;
    }
    void command(const QByteArray &text) { process.write(text + '\n'); }
};
