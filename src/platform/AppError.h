// The failure that leaves a handler: it carries the text the user is shown, and the
// window's handler wrapper hands it to the default error display.
#pragma once

#include <QString>
#include <stdexcept>

class AppError : public std::runtime_error
{
public:
    explicit AppError(const QString &text)
        : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString &text() const { return m_text; }

private:
    QString m_text;
};
