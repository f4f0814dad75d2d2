// What the window needs from the toolkit and the operating system, behind one interface
// so that tests can replace message boxes, the beep, the clock and host information.
#pragma once

#include <QDateTime>
#include <functional>
#include <QString>
#include <QStringList>

class QObject;

class Platform
{
public:
    virtual ~Platform() = default;

    // The application's default error display: modal box, application title as caption,
    // error icon, OK. The text is shown as given; see errorDisplayText for the full stop.
    virtual void showError(const QString &text) = 0;
    // The system's own message box: the text exactly as written, default caption, OK, no icon.
    virtual void showMessage(const QString &text) = 0;
    virtual void beep() = 0;
    // Blocks the calling thread; the window does not answer meanwhile.
    virtual void pause(int milliseconds) = 0;
    // Lets the window process the events already waiting in its queue.
    virtual void processMessages() = 0;
    virtual QDateTime localNow() = 0;
    virtual QString localHostName() = 0;
    // IPv4 addresses the resolver gives for the local host name, dotted decimal, in its order.
    // Empty when the name does not resolve.
    virtual QStringList localAddresses() = 0;
    // The same list, looked up without blocking; the answer comes through the event loop
    // and is dropped when the context object is gone by then.
    virtual void lookUpLocalAddresses(QObject *context, std::function<void(const QStringList &)> done) = 0;
};

// The default error display adds "." when the text's last character sorts after ".".
QString errorDisplayText(const QString &text);
