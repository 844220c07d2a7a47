#pragma once

#include "OfficeServer.h"

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
/// The same onto the database \a server names, reached for this copy only.
void copyFileToServer(const QString &file, const OfficeServer::Settings &server);

/// Replaces the company on \a server by the one in the file at \a file, in one
/// transaction: on any failure the server keeps the company it had.
void replaceServerFromFile(const QString &file, Database &server);

/// Writes the company on \a server into the empty file \a file (opened to be made)
/// with its tables as they are on the server: every table, column and row, the schema
/// level among them, so the copy restores anywhere and upgrades there as any older
/// file does. Inside the caller's transaction on \a server when one is open.
void copyServerToFile(Database &server, Database &file);

} // namespace ServerCopy
