// The Qt implementation of the platform services used by the running program.
#pragma once

#include "platform/Platform.h"

class QWidget;

class QtPlatform : public Platform
{
public:
    void showError(const QString &text) override;
    void showMessage(const QString &text) override;
    void beep() override;
    void pause(int milliseconds) override;
    void processMessages() override;
    QDateTime localNow() override;
    QString localHostName() override;
    QStringList localAddresses() override;
    void lookUpLocalAddresses(QObject *context, std::function<void(const QStringList &)> done) override;
};
