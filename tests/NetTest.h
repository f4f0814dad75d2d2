// For tests that put packets on the wire: they run only inside the test runner's isolated
// network namespace, and start peers in its second namespace ("dev").
#pragma once

#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QtTest>

inline bool inIsolatedNamespace()
{
    if (qEnvironmentVariable("TEST_NETNS") != QLatin1String("1"))
        return false;
    const QString self = QFile::symLinkTarget(QStringLiteral("/proc/self/ns/net"));
    const QString init = QFile::symLinkTarget(QStringLiteral("/proc/1/ns/net"));
    return !self.isEmpty() && self != init;
}

#define REQUIRE_ISOLATED_NAMESPACE()                                                          \
    do {                                                                                     \
        if (!inIsolatedNamespace())                                                          \
            QFAIL("this test sends packets: run it through scripts/run-tests.sh (make test)"); \
    } while (0)

// Starts a program inside the dev namespace, where the device's and peers' addresses live.
inline void startInDev(QProcess &process, const QString &program, const QStringList &arguments)
{
    const QString dev = qEnvironmentVariable("TEST_DEV_NETNS");
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QStringLiteral("ip"), QStringList{QStringLiteral("netns"), QStringLiteral("exec"), dev, program} + arguments);
}
