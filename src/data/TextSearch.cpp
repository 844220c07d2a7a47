#include "TextSearch.h"

#include "DbError.h"

#include <sqlite3.h>

namespace {

void foldFunction(sqlite3_context *context, int, sqlite3_value **arguments)
{
    sqlite3_value *value = arguments[0];
    if (sqlite3_value_type(value) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(value));
    const int bytes = sqlite3_value_bytes(value);

    // Most stored text is ASCII; fold it without building a QString.
    bool ascii = true;
    for (int i = 0; i < bytes && ascii; ++i)
        ascii = static_cast<unsigned char>(text[i]) < 0x80;
    if (ascii) {
        QByteArray folded(text, bytes);
        for (char &c : folded) {
            if (c >= 'A' && c <= 'Z')
                c = char(c - 'A' + 'a');
        }
        sqlite3_result_text(context, folded.constData(), int(folded.size()), SQLITE_TRANSIENT);
        return;
    }
    const QByteArray folded = QString::fromUtf8(text, bytes).toCaseFolded().toUtf8();
    sqlite3_result_text(context, folded.constData(), int(folded.size()), SQLITE_TRANSIENT);
}

} // namespace

namespace TextSearch {

void registerFold(sqlite3 *db)
{
    const int rc = sqlite3_create_function_v2(db, "fold", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS,
                                              nullptr, foldFunction, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        throw DbError(rc, QString::fromUtf8(sqlite3_errmsg(db)));
}

QString prefixPattern(const QString &typed)
{
    QString pattern;
    pattern.reserve(typed.size() + 2);
    for (const QChar c : typed.toCaseFolded()) {
        if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char(kEscape))
            pattern += QLatin1Char(kEscape);
        pattern += c;
    }
    pattern += QLatin1Char('%');
    return pattern;
}

} // namespace TextSearch
