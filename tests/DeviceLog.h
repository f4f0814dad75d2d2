// Reads the fake device's datagram log: one line per datagram, "<ip>:<port> <escaped>".
#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>

struct LoggedDatagram {
    QByteArray sender;  // "ip:port"
    QByteArray payload; // unescaped
};

inline QByteArray unescapeLogged(const QByteArray &text)
{
    QByteArray out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x') {
            out += static_cast<char>(text.mid(i + 2, 2).toInt(nullptr, 16));
            i += 3;
        } else {
            out += text[i];
        }
    }
    return out;
}

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
        result.append({line.left(space), unescapeLogged(line.mid(space + 1))});
    }
    return result;
}
