#include "FakePlatform.h"

#include <QCoreApplication>
#include <QThread>

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
