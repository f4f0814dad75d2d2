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
    // Not the namespace the runner was started in (nor the first process's, where readable),
    // and the runner's dev namespace is there to talk to.
    const QString self = QFile::symLinkTarget(QStringLiteral("/proc/self/ns/net"));
    const QString init = QFile::symLinkTarget(QStringLiteral("/proc/1/ns/net"));
    const QString host = qEnvironmentVariable("TEST_HOST_NETNS");
    return !self.isEmpty() && !host.isEmpty() && !self.endsWith(host) && self != init
           && !qEnvironmentVariable("TEST_DEV_NETNS").isEmpty();
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
