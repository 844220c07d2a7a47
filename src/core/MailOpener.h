#pragma once

#include <QString>
#include <QStringList>

/// What is handed to the desktop's mail opener. Every value is given so that it
/// cannot be taken for an option, whatever the user typed.
namespace MailOpener {

/// "mailto:" and the addresses, percent-encoded (commas between several kept).
[[nodiscard]] QString mailtoAddress(const QString &addresses);

/// The opener's arguments: the subject after its option, the attachment as an
/// absolute path, and the recipient (when there is one) as a mailto: address.
[[nodiscard]] QStringList arguments(const QString &to, const QString &subject, const QString &attachment);

} // namespace MailOpener
