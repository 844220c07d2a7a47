#pragma once

#include <QString>
#include <QStringList>

class Prompts;

/// Files the user names or picks for the program to write.
namespace FileTargets {

/// \a path with \a suffix (".csv") added when the name has no suffix of its own.
[[nodiscard]] QString withSuffix(const QString &path, const QString &suffix);

/// Asks before any of \a paths that already exists is replaced; a destructive
/// question, so Enter answers No. True when none exists or the user said Yes.
[[nodiscard]] bool mayReplace(Prompts &prompts, const QStringList &paths);

/// The name the user sees in a message: the file name and its folder.
[[nodiscard]] QString shown(const QString &path);

} // namespace FileTargets
