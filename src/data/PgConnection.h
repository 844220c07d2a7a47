#pragma once

#include "OfficeServer.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

struct pg_conn;
struct pg_result;

/// One connection to the office server (the client library's), for one operation.
/// Copies share it; it closes when the last goes, so a statement may outlive the
/// Database it came from, as it may on the file.
class PgConnection
{
public:
    PgConnection(const OfficeServer::Settings &settings, bool readOnly);

    /// A parameter as the server receives it: text, typed or left to the statement.
    struct Value
    {
        std::optional<QByteArray> text;
        unsigned int type = 0;
    };

    /// Runs one statement of the server's dialect; throws DbError carrying
    /// \a shownSql. The result belongs to the caller (PQclear).
    pg_result *run(const QString &sql, const std::vector<Value> &values, const QString &shownSql);
    /// Runs one statement of the server's dialect that returns nothing of interest.
    void runPlain(const QString &sql);

    void begin();
    void commit();
    void rollback() noexcept;
    [[nodiscard]] bool inTransaction() const;

    [[nodiscard]] int changes() const { return m_state->changes; }
    [[nodiscard]] qint64 lastInsertRowId();
    [[nodiscard]] QString errorMessage() const;
    /// A column's name as the stores spell it (the server keeps it in lower case).
    [[nodiscard]] QString spelling(const QString &lowerName);

    /// From now on, commits of the company's changes by any connection are told to this
    /// one (changesArrived()).
    void listenForChanges();
    /// The socket the server's messages arrive on.
    [[nodiscard]] int socketDescriptor() const;
    /// Reads what arrived; whether a commit was told of. Throws DbError when the
    /// connection is lost.
    [[nodiscard]] bool changesArrived();

    [[nodiscard]] bool tableExists(const QString &table);
    [[nodiscard]] bool columnExists(const QString &table, const QString &column);

private:
    struct State
    {
        ~State();
        pg_conn *conn = nullptr;
        int changes = 0;
        std::optional<QHash<QString, QString>> spellings;
    };
    std::shared_ptr<State> m_state;
};
