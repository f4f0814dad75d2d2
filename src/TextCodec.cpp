#include "TextCodec.h"

#include "exchange/Cp1251.h"

QString textOf(std::string_view bytes)
{
    const std::u16string wide = exchange::cp1251ToUtf16(bytes);
    return QString(reinterpret_cast<const QChar *>(wide.data()), static_cast<qsizetype>(wide.size()));
}

QString textOf(const QByteArray &bytes)
{
    return textOf(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

std::string stdBytesOf(const QString &text)
{
    return exchange::utf16ToCp1251(
        std::u16string_view(reinterpret_cast<const char16_t *>(text.utf16()), static_cast<size_t>(text.size())));
}

QByteArray bytesOf(const QString &text)
{
    const std::string bytes = stdBytesOf(text);
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}
