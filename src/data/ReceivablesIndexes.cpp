#include "ReceivablesIndexes.h"

#include "Database.h"

namespace ReceivablesIndexes {

QString customerShown(const QString &alias)
{
    return QStringLiteral("CASE WHEN COALESCE(%1strCustCmpnyName, '') = '' THEN COALESCE(%1strCustFullName, '') "
                          "WHEN COALESCE(%1strCustFullName, '') = '' THEN %1strCustCmpnyName "
                          "ELSE %1strCustCmpnyName || ', ' || %1strCustFullName END")
        .arg(alias);
}

void create(Database &db)
{
    // Oldest due first, a page at a time; totals and searches read this index alone,
    // never the wide rows.
    db.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS idxInvHeaderUnpaidDue ON tblInvHeader(strDueDateStored, "
                           "intInvNumber, strInvName, strInvTotal, strCustCmpnyName, strCustFullName, intCustomerID, "
                           "strFromInvNameNumber) WHERE strPaidInFull = '0' AND strRecurring = '0'"));
    // The same rows by document date, a page at a time.
    db.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS idxInvHeaderUnpaidDate ON tblInvHeader(strInvDate, "
                           "strDueDateStored, intInvNumber, strInvName, strInvTotal, strCustCmpnyName, strCustFullName, "
                           "intCustomerID, strFromInvNameNumber) WHERE strPaidInFull = '0' AND strRecurring = '0'"));
    // The customers owing, each found with one step, and their rows by due date: a
    // search that keeps few customers reads only theirs.
    db.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS idxInvHeaderUnpaidCustomer ON tblInvHeader(%1, "
                           "strDueDateStored, intInvNumber) WHERE strPaidInFull = '0' AND strRecurring = '0'")
                .arg(customerShown(QString())));
    // A past-due notice is found by the invoice it names.
    db.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS idxInvHeaderNoticeLink ON tblInvHeader("
                           "UPPER(strFromInvNameNumber), intInvNumber) WHERE UPPER(strInvName) = 'PAST DUE'"));
}

} // namespace ReceivablesIndexes
