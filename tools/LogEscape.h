// How the fake device and the fake TCP peer write payloads into their line-based logs:
// printable ASCII as it is, every other byte (and the backslash) as \xHH.
#pragma once

#include <QByteArray>

inline QByteArray escapeForLog(const QByteArray &payload)
{
    QByteArray out;
    out.reserve(payload.size());
    for (const char c : payload) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\')
            out += c;
        else
            out += "\\x" + QByteArray::number(byte, 16).rightJustified(2, '0');
    }
    return out;
}

inline QByteArray unescapeFromLog(const QByteArray &text)
{
    QByteArray out;
    out.reserve(text.size());
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
