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

    // The customer window puts first name, blank, last name on the document.
    if (db.tableExists(QStringLiteral("tblCustomers"))) {
        db.exec(QStringLiteral(
            "UPDATE tblInvHeader SET intCustomerID = COALESCE((SELECT c.intCustomerID FROM tblCustomers c "
            "WHERE c.strCustCompany = tblInvHeader.strCustCmpnyName "
            "AND CASE WHEN c.strCustFirstName = '' AND c.strCustLastName = '' THEN '' "
            "ELSE c.strCustFirstName || ' ' || c.strCustLastName END = tblInvHeader.strCustFullName "
            "ORDER BY c.intCustomerID LIMIT 1), 0) WHERE intCustomerID = 0"));
    }

    db.exec(QStringLiteral("UPDATE tblInvHeader SET intJobID = intInvNumber WHERE intJobID = 0"));
    // strFromInvNameNumber names the document a credit or notice was made from ("Invoice 512").
    db.exec(QStringLiteral(
        "UPDATE tblInvHeader SET intJobID = (SELECT s.intJobID FROM tblInvHeader s WHERE "
        "tblInvHeader.strFromInvNameNumber = s.strInvName || ' ' || s.intInvNumber) "
        "WHERE strFromInvNameNumber <> '' AND EXISTS (SELECT 1 FROM tblInvHeader s WHERE "
        "tblInvHeader.strFromInvNameNumber = s.strInvName || ' ' || s.intInvNumber)"));
}

} // namespace PaymentsStep
