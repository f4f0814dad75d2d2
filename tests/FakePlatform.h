// Platform services for tests: every message box, beep and pause is recorded instead of
// shown, and the clock and host information are whatever the test sets.
#pragma once

#include "platform/Platform.h"

#include <QStringList>

class FakePlatform : public Platform
{
public:
    void showError(const QString &text) override { errors << errorDisplayText(text); }
    void showMessage(const QString &text) override { messages << text; }
    void beep() override { ++beeps; }
    void pause(int milliseconds) override;
    void processMessages() override;
    QDateTime localNow() override { return now; }
    QString localHostName() override { return hostName; }
    QStringList localAddresses() override { return addresses; }
    // Answers from the list, through the event loop: tests never ask a real resolver.
    void lookUpLocalAddresses(QObject *context, std::function<void(const QStringList &)> done) override;

    QStringList errors;
    QStringList messages;
    int beeps = 0;
    QList<int> pauses;
    int processed = 0;
    bool realPause = false; // end-to-end tests let the pause really pass

    QDateTime now = QDateTime(QDate(2024, 3, 15), QTime(14, 7, 9));
    QString hostName = QStringLiteral("testhost");
    QStringList addresses = {QStringLiteral("127.0.0.1"), QStringLiteral("127.0.0.2")};
};
