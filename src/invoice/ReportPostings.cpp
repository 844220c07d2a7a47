#include "ReportPostings.h"

#include "DocumentKinds.h"
#include "data/Database.h"

namespace ReportPostings {

namespace {

QDate postingDate(QDate date)
{
    // The month a sale belongs to cannot be guessed.
    if (!date.isValid())
        throw conversionError(QStringLiteral("The document has no valid date."));
    return date;
}

std::array<double, 8> negated(std::array<double, 8> amounts)
{
    for (double &amount : amounts)
        amount = -amount;
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

void pUpdateReport(Database &db, TrecInvHeader &header, const DocumentTotals &totals, const TrecSavedData &saved)
{
    using namespace DocumentKinds;
    const bool isCredit = is(header.strInvName, kCredit);
    if (isCredit)
        header.strPaidInFull = false;

    // Take out what the saved state posted. A paid invoice turned into a credit keeps
    // its sale: the credit is what reverses it.
    const bool savedPaidInvoice = saved.strPaidInFull && is(saved.strInvName, kInvoice);
    if (is(saved.strInvName, kCredit))
        pAddToReport(db, postingDate(saved.strInvDate), saved.totals.reportAmounts());
    else if (savedPaidInvoice && !isCredit)
        pAddToReport(db, postingDate(saved.strInvDate), negated(saved.totals.reportAmounts()));

    if (isCredit)
        pAddToReport(db, postingDate(header.strInvDate), negated(totals.reportAmounts()));
    else if (header.strPaidInFull && is(header.strInvName, kInvoice))
        pAddToReport(db, postingDate(header.strInvDate), totals.reportAmounts());
}

} // namespace ReportPostings
