#include "StorageFormUpgrade.h"

#include "Database.h"
#include "StoredForm.h"

#include <functional>
#include <optional>

namespace StorageFormUpgrade {

namespace {

/// The stored form of an old text; empty when it does not read.
using Converter = std::function<std::optional<QString>(const QString &)>;

struct StoredColumn
{
    QString table;
    QString column;
    /// SQL naming the row for the user ("Document 512").
    QString rowName;
    Converter convert;
};

void convertColumn(Database &db, const StoredColumn &stored, SchemaUpgrade::UpgradeReport &report)
{
    if (!db.columnExists(stored.table, stored.column))
        return; // a layout of another edition
    Statement read = db.prepare(QStringLiteral("SELECT rowid, %1, %2 FROM %3 WHERE %1 IS NOT NULL AND %1 <> ''")
                                    .arg(stored.column, stored.rowName, stored.table));
    Statement write = db.prepare(QStringLiteral("UPDATE %1 SET %2 = ? WHERE rowid = ?").arg(stored.table, stored.column));
    while (read.step()) {
        const QString old = read.textAt(1);
        const std::optional<QString> converted = stored.convert(old);
        if (!converted) {
            report.unreadValues << QStringLiteral("%1 (%2): \"%3\"").arg(read.textAt(2), stored.column, old);
            continue;
        }
        if (*converted == old)
            continue;
        write.bindAll(*converted, read.int64At(0));
        write.run();
        write.reset();
    }
}

} // namespace

void pConvertStoredTexts(Database &db, const SchemaUpgrade::UpgradeContext &context,
                         SchemaUpgrade::UpgradeReport &report)
{
    const QLocale locale = context.locale;
    const Converter date = [locale](const QString &text) -> std::optional<QString> {
        if (StoredForm::readDate(text))
            return text;
        // The blank hand-write forms carried the line to write the date on; they have no date.
        if (text == QLatin1String("Date:____/____/________"))
            return QString();
        if (const std::optional<QDate> read = StoredForm::Legacy::readDate(text, locale))
            return StoredForm::dateText(*read);
        return std::nullopt;
    };
    const Converter dateTime = [locale](const QString &text) -> std::optional<QString> {
        if (StoredForm::readDateTime(text))
            return text;
        if (const std::optional<QDateTime> read = StoredForm::Legacy::readDateTime(text, locale))
            return StoredForm::dateTimeText(*read);
        return std::nullopt;
    };
    const auto amount = [](std::function<std::optional<double>(const QString &)> reader) -> Converter {
        return [reader](const QString &text) -> std::optional<QString> {
            if (const std::optional<double> value = reader(text))
                return StoredForm::amountText(*value);
            return std::nullopt;
        };
    };
    const Converter decimal = amount([locale](const QString &text) {
        return StoredForm::Legacy::readDecimal(text, locale);
    });
    const Converter currency = amount([locale](const QString &text) {
        return StoredForm::Legacy::readCurrency(text, locale);
    });
    // Quantities have long been written in C form; only a text that is not one is
    // read as the locale would write it.
    const Converter quantity = amount([locale](const QString &text) {
        if (const std::optional<double> value = StoredForm::readAmount(text))
            return value;
        return StoredForm::Legacy::readDecimal(text, locale);
    });

    const QString document = QStringLiteral("'Document ' || intInvNumber");
    const QString activity = QStringLiteral("'Activity ' || intActMasterID");
    const QList<StoredColumn> columns = {
        {QStringLiteral("tblInvHeader"), QStringLiteral("strInvDate"), document, date},
        {QStringLiteral("tblInvHeader"), QStringLiteral("strInvTotal"), document, currency},
        {QStringLiteral("tblInvData"), QStringLiteral("strExtraChargesLabor"), document, decimal},
        {QStringLiteral("tblInvData"), QStringLiteral("strExtraChargesMaterial"), document, decimal},
        {QStringLiteral("tblInvData"), QStringLiteral("strPrcItmQuantity"), document, quantity},
        {QStringLiteral("tblRecurring"), QStringLiteral("strLastPrintedDate"), QStringLiteral("'Recurring invoices'"),
         date},
        {QStringLiteral("tblPlanner"), QStringLiteral("strActStartDateTime"), activity, dateTime},
        {QStringLiteral("tblPlanner"), QStringLiteral("strActEndDateTime"), activity, dateTime},
    };
    for (const StoredColumn &column : columns)
        convertColumn(db, column, report);
}

} // namespace StorageFormUpgrade
