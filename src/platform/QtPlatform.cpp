#include "platform/QtPlatform.h"

#include <QApplication>
#include <QHostInfo>
#include <QMessageBox>
#include <QThread>

QString errorDisplayText(const QString &text)
{
    if (!text.isEmpty() && text.back() > QLatin1Char('.'))
        return text + QLatin1Char('.');
    return text;
}

void QtPlatform::showError(const QString &text)
{
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), errorDisplayText(text),
                    QMessageBox::Ok, QApplication::activeWindow());
    // Error texts quote what the user typed or a peer sent: never render it as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void QtPlatform::showMessage(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QString(), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void QtPlatform::beep()
{
    QApplication::beep();
}

void QtPlatform::pause(int milliseconds)
{
    QThread::msleep(static_cast<unsigned long>(milliseconds));
}

void QtPlatform::processMessages()
{
    QCoreApplication::processEvents();
}

QDateTime QtPlatform::localNow()
{
    return QDateTime::currentDateTime();
}

QString QtPlatform::localHostName()
{
    return QHostInfo::localHostName();
}

namespace {

QStringList ipv4Addresses(const QHostInfo &info)
{
    QStringList result;
    for (const QHostAddress &address : info.addresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol)
            result << address.toString();
    }
    return result;
}

} // namespace

QStringList QtPlatform::localAddresses()
{
    return ipv4Addresses(QHostInfo::fromName(QHostInfo::localHostName()));
}

void QtPlatform::lookUpLocalAddresses(QObject *context, std::function<void(const QStringList &)> done)
{
    QHostInfo::lookupHost(QHostInfo::localHostName(), context,
                          [done = std::move(done)](const QHostInfo &info) { done(ipv4Addresses(info)); });
}
