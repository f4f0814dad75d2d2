#include "FakePlatform.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>

void FakePlatform::processMessages()
{
    ++processed;
    QCoreApplication::processEvents();
}

void FakePlatform::pause(int milliseconds)
{
    pauses << milliseconds;
    if (realPause)
        QThread::msleep(static_cast<unsigned long>(milliseconds));
}

void FakePlatform::lookUpLocalAddresses(QObject *context, std::function<void(const QStringList &)> done)
{
    QTimer::singleShot(0, context, [done = std::move(done), list = addresses] { done(list); });
}
