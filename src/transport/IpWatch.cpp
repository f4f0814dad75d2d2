#include "transport/IpWatch.h"

#include "platform/AppError.h"
#include "platform/Platform.h"

#include <QSaveFile>
#include <QTimer>

IpWatch::IpWatch(Platform &platform, QString historyFile, QObject *parent)
    : QObject(parent), m_platform(platform), m_historyFile(std::move(historyFile)), m_timer(new QTimer(this))
{
    const QStringList addresses = m_platform.localAddresses();
    if (!addresses.isEmpty())
        record(addresses.first());
    connect(m_timer, &QTimer::timeout, this, &IpWatch::check);
    m_timer->start(kCheckIntervalMs);
}

IpWatch::~IpWatch()
{
    writeHistory();
}

QByteArray IpWatch::currentLocalAddress()
{
    const QStringList addresses = m_platform.localAddresses();
    if (addresses.isEmpty())
        throw AppError(QStringLiteral("List index out of bounds (0)"));
    record(addresses.first());
    return addresses.first().toLatin1();
}

void IpWatch::record(const QString &address)
{
    if (address.isEmpty() || (!m_history.isEmpty() && m_history.back() == address))
        return;
    m_history.append(address);
    while (m_history.size() > kMaxHistory)
        m_history.removeFirst();
}

bool IpWatch::writeHistory() const
{
    if (m_historyFile.isEmpty())
        return false;
    // Written to a temporary file and renamed over the old one: never half-written.
    QSaveFile file(m_historyFile);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    for (const QString &address : m_history)
        file.write(address.toLatin1() + '\n');
    return file.commit();
}

void IpWatch::check()
{
    if (m_lookupPending)
        return;
    m_lookupPending = true;
    m_platform.lookUpLocalAddresses(this, [this](const QStringList &addresses) {
        m_lookupPending = false;
        if (!addresses.isEmpty())
            record(addresses.first());
    });
}
