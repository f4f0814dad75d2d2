// The widget boundary: the system's texts are code page 1251 bytes, the widgets hold
// Unicode. Every conversion between the two goes through these functions.
#pragma once

#include <QByteArray>
#include <QString>
#include <string>
#include <string_view>

QString textOf(std::string_view bytes);
QString textOf(const QByteArray &bytes);
QByteArray bytesOf(const QString &text);
std::string stdBytesOf(const QString &text);
