#include "ReportPostings.h"

#include "DocumentKinds.h"
#include "data/Database.h"
#include "data/DateText.h"

namespace ReportPostings {

namespace {

QDate postingDate(const QString &text, const QLocale &locale)
{
    const QDate date = DateText::parseShortDate(text, locale);
    if (!date.isValid())
        throw conversionError(QStringLiteral("'%1' is not a valid date").arg(text));
    return date;
}

bool posts(const QString &kind, bool paidInFull)
{
    using namespace DocumentKinds;
    return (is(kind, kInvoice) && paidInFull) || is(kind, kCredit);
}

/// The amounts a document of \a kind posts (credits negatively), times \a direction
/// (+1 to post, -1 to take the posting out again).
std::array<double, 8> signedAmounts(const QString &kind, const DocumentTotals &totals, int direction)
{
    const int sign = DocumentKinds::is(kind, DocumentKinds::kCredit) ? -direction : direction;
    std::array<double, 8> amounts = totals.reportAmounts();
    for (double &amount : amounts)
        amount *= sign;
    return amounts;
}

} // namespace

void pAddToReport(Database &db, QDate date, const std::array<double, 8> &amounts)
{
    Statement find = db.prepare(QStringLiteral(
        "SELECT intReportID FROM tblReport WHERE intReportYear = ? AND intReportMonth = ?"));
    find.bindAll(date.year(), date.month());
    find.step();
    const qint64 id = find.int64At(0);
    if (id != 0) {
        Statement update = db.prepare(QStringLiteral(
            "UPDATE tblReport SET dbLbrTax1Total = dbLbrTax1Total + ?, dbLbrTax2Total = dbLbrTax2Total + ?, "
            "dbLbrTax3Total = dbLbrTax3Total + ?, dbMatTax1Total = dbMatTax1Total + ?, "
            "dbMatTax2Total = dbMatTax2Total + ?, dbMatTax3Total = dbMatTax3Total + ?, "
            "dbLbrTotal = dbLbrTotal + ?, dbMatTotal = dbMatTotal + ? WHERE intReportID = ?"));
        for (int i = 0; i < 8; ++i)
            update.bind(i + 1, amounts[std::size_t(i)]);
        update.bind(9, id);
        update.run();
        return;
    }
    Statement insert = db.prepare(QStringLiteral(
        "INSERT INTO tblReport(intReportYear,intReportMonth,dbLbrTax1Total,dbLbrTax2Total,dbLbrTax3Total,"
        "dbMatTax1Total,dbMatTax2Total,dbMatTax3Total,dbLbrTotal,dbMatTotal)VALUES(?,?,?,?,?,?,?,?,?,?)"));
    insert.bindAll(date.year(), date.month());
    for (int i = 0; i < 8; ++i)
        insert.bind(i + 3, amounts[std::size_t(i)]);
    insert.run();
}

void pUpdateReport(Database &db, TrecInvHeader &header, const DocumentTotals &totals, const TrecSavedData &saved,
                   const QLocale &locale)
{
    using namespace DocumentKinds;
    if (is(header.strInvName, kCredit))
        header.strPaidInFull = false;

    // Judge the saved state by its own kind: a paid invoice that became an estimate
    // must leave the report, and an estimate that was never posted must not be undone.
    if (posts(saved.strInvName, saved.strPaidInFull))
        pAddToReport(db, postingDate(saved.strInvDate, locale), signedAmounts(saved.strInvName, saved.totals, -1));
    if (posts(header.strInvName, header.strPaidInFull))
        pAddToReport(db, postingDate(header.strInvDate, locale), signedAmounts(header.strInvName, totals, 1));
}

} // namespace ReportPostings
