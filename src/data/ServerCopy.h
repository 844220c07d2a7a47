#pragma once

#include <QString>

class Database;

/// Moving a company from its file onto the office server.
namespace ServerCopy {

/// Whether \a server holds any table (a company, or anything else) besides the
/// engine's own settings.
[[nodiscard]] bool holdsTables(Database &server);

/// Copies every table, row and index of the company file at \a file into \a server,
/// in one transaction: the server database holds the whole company or, on any
/// failure, nothing. Refuses (DbError) a server database that is not empty.
void copyFileToServer(const QString &file, Database &server);

} // namespace ServerCopy
