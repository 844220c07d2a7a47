#include "StoredAmountFunction.h"

#include "DbError.h"
#include "StoredForm.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <sqlite3.h>

namespace {

void storedAmount(sqlite3_context *context, int, sqlite3_value **values)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(values[0]));
    const std::optional<double> amount =
        text ? StoredAmountFunction::read(QByteArrayView(text, sqlite3_value_bytes(values[0]))) : std::nullopt;
    if (amount)
        sqlite3_result_double(context, *amount);
    else
        sqlite3_result_null(context);
}

} // namespace

namespace StoredAmountFunction {

void registerOn(sqlite3 *db)
{
    const int rc = sqlite3_create_function_v2(db, "stored_amount", 1,
                                              SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, nullptr,
                                              storedAmount, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        throw DbError(rc, QString::fromUtf8(sqlite3_errmsg(db)));
}

std::optional<double> read(QByteArrayView utf8)
{
    if (utf8.isNull())
        return std::nullopt;
    const char *text = utf8.data();
    const qsizetype bytes = utf8.size();
    // The usual stored text is read from its bytes, as readAmount reads it, without
    // making a string of it first; every other text goes through readAmount itself.
    const bool plain = bytes > 0 && bytes < 32 && std::all_of(text, text + bytes, [](char c) {
                           return c != 0 && static_cast<unsigned char>(c) < 0x80;
                       });
    if (plain) {
        double value = 0;
        const auto [end, error] = std::from_chars(text, text + bytes, value);
        if (error == std::errc() && end == text + bytes)
            return std::isfinite(value) ? std::optional(value) : std::nullopt;
    }
    return StoredForm::readAmount(QString::fromUtf8(text, bytes));
}

} // namespace StoredAmountFunction
