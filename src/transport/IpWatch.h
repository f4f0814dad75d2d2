// The IP watcher: knows this computer's current local address, checks it periodically
// without blocking the window, keeps a short history and writes it to a file at exit.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

class Platform;
class QTimer;

class IpWatch : public QObject
{
    Q_OBJECT
public:
    static constexpr int kMaxHistory = 25;
    static constexpr int kCheckIntervalMs = 1000;

    IpWatch(Platform &platform, QString historyFile, QObject *parent = nullptr);
    // Writes the history file; a failed write is ignored, the exit goes on.
    ~IpWatch() override;

    // Looks the local addresses up anew and answers the first one; throws AppError
    // "List index out of bounds (0)" when the local host has no address.
    QByteArray currentLocalAddress();

    // Oldest first, at most kMaxHistory entries; an address is recorded when it differs
    // from the newest one.
    const QStringList &history() const { return m_history; }
    void record(const QString &address);
    bool writeHistory() const;

private:
    void check();

    Platform &m_platform;
    QString m_historyFile;
    QStringList m_history;
    QTimer *m_timer;
    bool m_lookupPending = false;
};
