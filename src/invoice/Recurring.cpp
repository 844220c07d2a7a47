#include "Recurring.h"

#include "DocumentKinds.h"
#include "data/Database.h"
#include "data/DateText.h"
#include "data/StoredForm.h"

namespace Recurring {

QList<int> GetRecurringNumbers(Database &db)
{
    // strRecurring holds boolean text; anything but "0" marks the invoice recurring.
    Statement query = db.prepare(QStringLiteral(
        "SELECT intInvNumber FROM tblInvHeader WHERE strRecurring <> '0' AND UPPER(strInvName) LIKE ?"));
    query.bind(1, DocumentKinds::kInvoice.toUpper() + QLatin1Char('%'));
    QList<int> numbers;
    while (query.step())
        numbers << query.intAt(0);
    return numbers;
}

QString GetLastPrintedText(Database &db, const QLocale &locale)
{
    Statement query = db.prepare(QStringLiteral("SELECT strLastPrintedDate FROM tblRecurring WHERE intRecurringID = 1"));
    query.step();
    const QString stored = query.textAt(0);
    if (stored.isEmpty())
        return QStringLiteral(" Never");
    const std::optional<QDate> date = StoredForm::readDate(stored);
    return date ? DateText::shortDate(*date, locale) : stored;
}

QDate GetLastPrintedDate(Database &db)
{
    Statement query = db.prepare(QStringLiteral("SELECT strLastPrintedDate FROM tblRecurring WHERE intRecurringID = 1"));
    query.step();
    return StoredForm::readDate(query.textAt(0)).value_or(QDate());
}

void pSetLastPrinted(Database &db, QDate today)
{
    const QString date = StoredForm::dateText(today);
    Statement update = db.prepare(QStringLiteral("UPDATE tblRecurring SET strLastPrintedDate = ? WHERE intRecurringID = 1"));
    update.bind(1, date).run();
    // A file whose row went missing would otherwise forget every run.
    if (db.changes() == 0)
        db.prepare(QStringLiteral("INSERT INTO tblRecurring (intRecurringID, strLastPrintedDate) VALUES (1, ?)")).bind(1, date).run();
}

} // namespace Recurring
