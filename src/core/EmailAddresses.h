#pragma once

#include <QString>
#include <QStringList>
#include <optional>

/// Customer e-mail addresses: one address, or several separated by commas, each
/// of the usual form name@example.com.
namespace EmailAddresses {

/// The addresses of \a text, trimmed; empty parts left out.
[[nodiscard]] QStringList split(const QString &text);

/// Why \a text cannot be used as addresses ("\"x y@z.com\" has a blank in it"), or
/// nothing when it can. An empty text is no address, and fine.
[[nodiscard]] std::optional<QString> problem(const QString &text);

} // namespace EmailAddresses
