// Reads the fake device's datagram log: one line per datagram, "<ip>:<port> <escaped>".
#pragma once

#include "LogEscape.h"

#include <QByteArray>
#include <QFile>
#include <QList>

struct LoggedDatagram {
    QByteArray sender;  // "ip:port"
    QByteArray payload; // unescaped
};

inline QList<LoggedDatagram> readDeviceLog(const QString &path)
{
    QList<LoggedDatagram> result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    for (QByteArray line : file.readAll().split('\n')) {
        if (line.isEmpty())
            continue;
        const qsizetype space = line.indexOf(' ');
        result.append({line.left(space), unescapeFromLog(line.mid(space + 1))});
    }
    return result;
}
