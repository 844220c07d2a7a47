#include "StoredAmountFunction.h"

#include "DbError.h"
#include "StoredForm.h"

#include <sqlite3.h>

namespace {

void storedAmount(sqlite3_context *context, int, sqlite3_value **values)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(values[0]));
    if (!text) {
        sqlite3_result_null(context);
        return;
    }
    const int bytes = sqlite3_value_bytes(values[0]);
    const std::optional<double> amount = StoredForm::readAmount(QString::fromUtf8(text, bytes));
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

} // namespace StoredAmountFunction
