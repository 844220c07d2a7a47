#pragma once

#include <QString>
#include <QUrl>

/// What the program hands to the desktop: files and addresses opened with the
/// platform's handler. Tests install one that only records.
class Shell
{
public:
    virtual ~Shell() = default;
    /// Opens a local file with its default application; false when that failed.
    virtual bool openFile(const QString &path) = 0;
    /// Opens an address in the browser; false when that failed.
    virtual bool openUrl(const QUrl &url) = 0;
    /// How handing a message to the mail program went.
    enum class MailOutcome {
        Opened,
        /// Nothing on this machine opens mail.
        NoMailProgram,
        /// The opener ran but reported a failure (commonly: no mail program set up).
        Failed
    };
    /// Opens a new message in the user's mail program, addressed to \a to (may be
    /// empty; several addresses separated by commas), with \a subject and the file
    /// \a attachment attached.
    virtual MailOutcome composeMail(const QString &to, const QString &subject, const QString &attachment) = 0;
    /// Ends the program (after an installer was started).
    virtual void quit() = 0;
};
