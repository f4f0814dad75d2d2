// Dotted-decimal IPv4 addresses as the tool accepts them: exactly four decimal parts of
// 0 to 255. Qt's own parser also takes "1" and octal "010.1.1.1", which are not addresses here.
#pragma once

#include <QByteArray>
#include <optional>

std::optional<quint32> parseDottedDecimal(const QByteArray &text);
