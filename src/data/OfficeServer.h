#pragma once

#include <QString>
#include <optional>

/// Where a company's data lives when it is kept on an office server instead of in
/// the file: the connection settings, and which database path they stand in for.
/// Opening a Database for that path then reaches the server; nothing above data/
/// needs to know which engine it has.
namespace OfficeServer {

struct Settings
{
    QString host;
    int port = 5432;
    QString database;
    QString user;
    /// Empty: the client library's password file, or none.
    QString password;
    /// The client library's TLS mode ("prefer", "require", "verify-full", ...); empty for its default.
    QString sslMode;
    /// The schema the company's tables live in; empty for the server's default.
    QString schema;

    /// "user@host:port/database", as the user is shown where the data is.
    [[nodiscard]] QString shownName() const;
};

/// Reads "postgresql://user@host:port/database?sslmode=..." (the client library's
/// own form of address). Gives nullopt and says why in \a error when it does not read.
[[nodiscard]] std::optional<Settings> fromAddress(const QString &address, QString &error);

/// From now on, \a databasePath is reached on the server \a settings name.
void attach(const QString &databasePath, const Settings &settings);
/// Back to the file at \a databasePath.
void detach(const QString &databasePath);
/// The server that stands in for \a databasePath, if any.
[[nodiscard]] std::optional<Settings> serving(const QString &databasePath);

} // namespace OfficeServer
