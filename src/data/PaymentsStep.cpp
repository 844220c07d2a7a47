#include "PaymentsStep.h"

#include "Database.h"

namespace PaymentsStep {

namespace {

void addColumnIfMissing(Database &db, const QString &table, const QString &column, const QString &declaration)
{
    if (!db.columnExists(table, column))
        db.exec(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3").arg(table, column, declaration));
}

} // namespace

void addPaymentsAndLinks(Database &db, const SchemaUpgrade::UpgradeContext &, SchemaUpgrade::UpgradeReport &)
{
    db.exec(QStringLiteral(
        "CREATE TABLE IF NOT EXISTS tblPayments(intPaymentID INTEGER PRIMARY KEY,intInvNumber INTEGER NOT NULL,"
        "strPaymentDate TEXT NOT NULL DEFAULT '',dbPaymentAmount REAL NOT NULL DEFAULT 0,"
        "strPaymentMethod TEXT NOT NULL DEFAULT 'other',strPaymentReference TEXT NOT NULL DEFAULT '',"
        "strPaymentNote TEXT NOT NULL DEFAULT '')"));
    db.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS idxPaymentsInvNumber ON tblPayments(intInvNumber)"));

    const QString header = QStringLiteral("tblInvHeader");
    addColumnIfMissing(db, header, QStringLiteral("strDueDate"), QStringLiteral("TEXT NOT NULL DEFAULT ''"));
    addColumnIfMissing(db, header, QStringLiteral("intCustomerID"), QStringLiteral("INTEGER NOT NULL DEFAULT 0"));
    addColumnIfMissing(db, header, QStringLiteral("intJobID"), QStringLiteral("INTEGER NOT NULL DEFAULT 0"));
    db.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS idxInvHeaderJob ON tblInvHeader(intJobID)"));
    db.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS idxInvHeaderCustomer ON tblInvHeader(intCustomerID)"));

    // Dates are in their stored form already (the storage-form step runs first); one
    // that could not be read stays with its document, and its payment gets no date.
    db.exec(QStringLiteral(
        "INSERT INTO tblPayments(intInvNumber,strPaymentDate,dbPaymentAmount,strPaymentMethod,strPaymentNote) "
        "SELECT intInvNumber, CASE WHEN strInvDate GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]' "
        "THEN strInvDate ELSE '' END, dbPaidAmount, 'other', 'Amount paid before payments were recorded' "
        "FROM tblInvHeader h WHERE dbPaidAmount <> 0 "
        "AND NOT EXISTS (SELECT 1 FROM tblPayments p WHERE p.intInvNumber = h.intInvNumber)"));

    // The customer window puts first name, blank, last name on the document. Matched
    // through a small indexed table: a lookup per document in the customer list itself
    // scans every customer without a company for each document without one (hours on
    // a large file).
    if (db.tableExists(QStringLiteral("tblCustomers"))) {
        db.exec(QStringLiteral(
            "CREATE TEMP TABLE upgradeCustomerNames AS SELECT strCustCompany AS company, "
            "CASE WHEN strCustFirstName = '' AND strCustLastName = '' THEN '' "
            "ELSE strCustFirstName || ' ' || strCustLastName END AS fullName, MIN(intCustomerID) AS id "
            "FROM tblCustomers GROUP BY 1, 2; "
            "CREATE INDEX temp.idxUpgradeCustomerNames ON upgradeCustomerNames(company, fullName); "
            "UPDATE tblInvHeader SET intCustomerID = COALESCE((SELECT n.id FROM upgradeCustomerNames n "
            "WHERE n.company = tblInvHeader.strCustCmpnyName AND n.fullName = tblInvHeader.strCustFullName), 0) "
            "WHERE intCustomerID = 0; "
            "DROP TABLE temp.upgradeCustomerNames"));
    }

    // Files this old have no index on the number yet (the index step comes later and
    // must see duplicate numbers first).
    db.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS idxUpgradeInvNumber ON tblInvHeader(intInvNumber)"));

    db.exec(QStringLiteral("UPDATE tblInvHeader SET intJobID = intInvNumber WHERE intJobID = 0"));
    // strFromInvNameNumber names the document a credit or notice was made from ("Invoice 512").
    // The number is the text's last word, so the lookup can use the number's index.
    const QString source = QStringLiteral(
        "FROM tblInvHeader s WHERE s.intInvNumber = CAST(substr(tblInvHeader.strFromInvNameNumber, "
        "length(rtrim(tblInvHeader.strFromInvNameNumber, '0123456789')) + 1) AS INTEGER) "
        "AND tblInvHeader.strFromInvNameNumber = s.strInvName || ' ' || s.intInvNumber");
    db.exec(QStringLiteral("UPDATE tblInvHeader SET intJobID = (SELECT s.intJobID %1) "
                           "WHERE strFromInvNameNumber <> '' AND EXISTS (SELECT 1 %1)")
                .arg(source));

    db.exec(QStringLiteral("DROP INDEX idxUpgradeInvNumber"));
}

} // namespace PaymentsStep
