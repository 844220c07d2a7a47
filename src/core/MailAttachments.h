#pragma once

#include <QDateTime>
#include <QString>

/// Private folders for the files attached to mails. Each mail gets a new folder
/// in the temporary folder, readable by the user alone, under a name no one can
/// guess; it stays while a mail program may still read the file, and is removed
/// later (at quit or at a later start).
namespace MailAttachments {

/// How long a mail program is given to read an attachment: a message may stay
/// open in it for hours before it is sent.
inline constexpr qint64 kReadingSeconds = 24 * 60 * 60;

/// Makes a new folder for one mail; empty, with \a error set, when it cannot.
[[nodiscard]] QString makeFolder(QString *error);

/// Removes this user's attachment folders made more than kReadingSeconds before
/// \a now. A link, or a folder of another user, is left alone. Returns how many
/// were removed.
int removeOldFolders(const QDateTime &now = QDateTime::currentDateTimeUtc());

} // namespace MailAttachments
