#pragma once

class PgConnection;

/// The functions the stores' SQL relies on (PgSql::engineFunctions), kept present in
/// every company on the office server, whichever copy of the program made it.
namespace ServerFunctions {

/// Checks the company in \a connection's schema and (re)makes, under the writers'
/// lock, what is missing or was made by another version. A schema that holds no
/// company of this program is left alone. Throws DbError when a missing function
/// cannot be made; a function of another version that cannot be replaced is kept.
void ensure(PgConnection &connection);

/// Makes them all in \a connection's schema, inside the caller's transaction.
void makeAll(PgConnection &connection);

} // namespace ServerFunctions
