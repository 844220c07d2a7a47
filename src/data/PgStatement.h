#pragma once

#include "PgConnection.h"

#include <QStringList>

/// A statement on the office server: its text in the server's dialect, the values
/// bound so far, and the rows of its result once run. The whole result is fetched at
/// the first step; the lists read theirs a block at a time.
struct PgStatement
{
    PgStatement(PgConnection &connection, const QString &sql);
    PgStatement(const PgStatement &) = delete;
    PgStatement &operator=(const PgStatement &) = delete;
    ~PgStatement();

    void bind(int index, PgConnection::Value value);
    [[nodiscard]] bool step();
    void reset();
    /// Runs the statement if it has not run yet (column names need its result).
    void ensureRun();

    [[nodiscard]] bool isNull(int column) const;
    [[nodiscard]] QByteArray value(int column) const;
    [[nodiscard]] bool isNumber(int column) const;
    [[nodiscard]] int columnCount();
    [[nodiscard]] QString columnName(int column);

    PgConnection connection;
    QString shownSql;
    QStringList translated;
    std::vector<PgConnection::Value> values;
    /// The parameter numbers the statement does not use: their values are sent as text.
    std::vector<bool> skipped;
    pg_result *result = nullptr;
    int row = -1;
};
