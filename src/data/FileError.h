#pragma once

#include <QString>
#include <stdexcept>

/// A file that could not be read or written (a picture, a backup copy), with the
/// system's error number when there is one and the reason as the system or the
/// library gave it.
class FileError : public std::runtime_error
{
public:
    explicit FileError(const QString &message, int code = 0)
        : std::runtime_error(message.toStdString())
        , m_code(code)
        , m_message(message)
    {
    }

    [[nodiscard]] int code() const { return m_code; }
    [[nodiscard]] const QString &message() const { return m_message; }

private:
    int m_code;
    QString m_message;
};
