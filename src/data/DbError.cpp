#include "DbError.h"

#include "core/Prompts.h"

#include <sqlite3.h>

namespace {

bool busyCode(int code)
{
    const int primary = code & 0xff;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

} // namespace

DbError::DbError(int code, const QString &message, const QString &statement)
    : std::runtime_error(message.toStdString())
    , m_code(code)
    , m_message(message)
    , m_statement(statement)
{
    if (busyCode(code)) {
        m_detail = message;
        m_message = QStringLiteral("The company database is in use by another program. Try again in a moment.");
    }
}

bool DbError::isBusy() const
{
    return busyCode(m_code);
}

StoredValueError::StoredValueError(const QString &message)
    : DbError(SQLITE_MISMATCH, message)
{
}

StoredValueError conversionError(const QString &what)
{
    return StoredValueError(what);
}

bool runReportingDbError(Prompts &prompts, const std::function<void()> &work)
{
    try {
        work();
        return true;
    } catch (const DbError &error) {
        prompts.showError(error.message(), error.detail());
        return false;
    }
}
