#include "DbError.h"

#include <sqlite3.h>

DbError::DbError(int code, const QString &message, const QString &statement)
    : std::runtime_error(message.toStdString())
    , m_code(code)
    , m_message(message)
    , m_statement(statement)
{
}

DbError conversionError(const QString &what)
{
    return DbError(SQLITE_MISMATCH, what);
}
