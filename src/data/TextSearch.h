#pragma once

#include <QString>

struct sqlite3;

/// Case-insensitive prefix search that treats the user's text as data. SQLite's own
/// LIKE folds ASCII letters only, so both sides go through fold(), which folds every
/// letter the way QString::toCaseFolded() does; "%", "_" and the escape character
/// typed by the user match only themselves.
namespace TextSearch {

/// The escape character the patterns use; write "LIKE ? ESCAPE '\'".
inline constexpr char kEscape = '\\';

/// Registers the SQL function fold(text) on \a db (every Database does so on
/// opening). NULL folds to NULL.
void registerFold(sqlite3 *db);

/// The LIKE pattern that finds texts beginning with \a typed in any letter case.
[[nodiscard]] QString prefixPattern(const QString &typed);

} // namespace TextSearch
