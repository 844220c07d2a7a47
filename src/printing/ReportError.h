#pragma once

#include <QString>
#include <stdexcept>

/// A print, preview or PDF that cannot be made (a logo that cannot be read, a file
/// that cannot be written). The message is written for the user.
class ReportError : public std::runtime_error
{
public:
    explicit ReportError(const QString &message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    {
    }

    [[nodiscard]] const QString &message() const { return m_message; }

private:
    QString m_message;
};

/// A print or PDF the user stopped while it ran: nothing more goes to the printer and
/// no file is written. Not an error to report.
struct JobCancelled
{
};
