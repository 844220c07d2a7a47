#include "ReceivablesIndexes.h"

#include "Database.h"
#include "core/DocumentKindNames.h"

namespace ReceivablesIndexes {

QString customerShown(const QString &alias)
{
    return QStringLiteral("CASE WHEN COALESCE(%1strCustCmpnyName, '') = '' THEN COALESCE(%1strCustFullName, '') "
                          "WHEN COALESCE(%1strCustFullName, '') = '' THEN %1strCustCmpnyName "
                          "ELSE %1strCustCmpnyName || ', ' || %1strCustFullName END")
        .arg(alias);
}

QString listedKinds(const QString &alias)
{
    // Kind names are the program's own constants, never user text.
    return QStringLiteral("UPPER(%1strInvName) IN ('%2', '%3')")
        .arg(alias, DocumentKinds::kInvoice.toUpper(), DocumentKinds::kPastDue.toUpper());
}

void create(Database &db)
{
    // Oldest due first, a page at a time; totals and searches read this index alone,
    // never the wide rows. Estimates and work orders, most unpaid rows, owe nothing
    // and are left out.
    const QString owed = QStringLiteral("strPaidInFull = '0' AND strRecurring = '0' AND ") + listedKinds(QString());
    db.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS idxInvHeaderOwedDue ON tblInvHeader(strDueDateStored, "
                           "intInvNumber, strInvName, strInvTotal, strCustCmpnyName, strCustFullName, intCustomerID, "
                           "strFromInvNameNumber) WHERE %1")
                .arg(owed));
    // The same rows by document date, a page at a time.
    db.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS idxInvHeaderOwedDate ON tblInvHeader(strInvDate, "
                           "strDueDateStored, intInvNumber, strInvName, strInvTotal, strCustCmpnyName, strCustFullName, "
                           "intCustomerID, strFromInvNameNumber) WHERE %1")
                .arg(owed));
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
