#include "DbError.h"

#include "DamageWatch.h"
#include "core/Prompts.h"

#include <QDir>
#include <QFileInfo>
#include <sqlite3.h>

namespace {

bool busyCode(int code)
{
    const int primary = code & 0xff;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

// Not SQLITE_NOTADB: a file that is no database at all (a foreign file at the path)
// is not a damaged one, and is named as such where files are opened.
bool damageCode(int code)
{
    return (code & 0xff) == SQLITE_CORRUPT;
}

QString shownFolder(const QString &file)
{
    return QDir::toNativeSeparators(QFileInfo(file).absolutePath());
}

} // namespace

DbError DbError::fromEngine(int code, const QString &engineMessage, const QString &statement, const QString &file)
{
    const int primary = code & 0xff;
    QString words;
    if (primary == SQLITE_FULL) {
        words = file.isEmpty()
            ? QStringLiteral("The disk is full. Free some space on it and try again.")
            : QStringLiteral("The disk that holds \"%1\" is full. Free some space on it and try again.")
                  .arg(shownFolder(file));
    } else if (damageCode(code)) {
        words = QStringLiteral("The database file \"%1\" is damaged: part of what it holds can no longer be read.")
                    .arg(QDir::toNativeSeparators(file));
        DamageWatch::instance().noticeDamage(file, engineMessage);
    }
    DbError error(code, engineMessage, statement);
    if (!words.isEmpty()) {
        error.m_detail = engineMessage;
        error.m_message = words;
    }
    return error;
}

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

bool DbError::isDamage() const
{
    return damageCode(m_code);
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
