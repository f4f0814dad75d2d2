#include "transport/Ipv4Text.h"

std::optional<quint32> parseDottedDecimal(const QByteArray &text)
{
    quint32 result = 0;
    int parts = 0;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (parts < 4) {
        if (i >= n || text[i] < '0' || text[i] > '9')
            return std::nullopt;
        quint32 part = 0;
        int digits = 0;
        while (i < n && text[i] >= '0' && text[i] <= '9') {
            part = part * 10 + static_cast<quint32>(text[i] - '0');
            if (++digits > 3 || part > 255)
                return std::nullopt;
            ++i;
        }
        result = (result << 8) | part;
        ++parts;
        if (parts < 4) {
            if (i >= n || text[i] != '.')
                return std::nullopt;
            ++i;
        }
    }
    if (i != n)
        return std::nullopt;
    return result;
}
