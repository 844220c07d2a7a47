#include "CustomerStore.h"

#include "app/AppContext.h"
#include "core/Edition.h"
#include "data/BoolText.h"
#include "data/Database.h"
#include "data/TextSearch.h"
#include "invoice/InvoiceRecords.h"

namespace {

const QString kListColumns = QStringLiteral(
    "intCustomerID, strCustFirstName, strCustLastName, strCustCompany, strCustAddress, strCustCity, strCustState, "
    "strCustZipCode, strCustMainPhone");

// Column order of save()'s binds and find()'s reads, after the id.
const QString kRecordColumns = QStringLiteral(
    "strCustFirstName,strCustLastName,strCustCompany,strCustAddress,strCustCity,strCustState,strCustZipCode,"
    "strCustMainPhone,strCustExtraPhone1,strCustExtraPhone2,strCustExtraPhone1Name,strCustExtraPhone2Name,"
    "intCustDiscount,strCustTaxExmpt,strCustTaxExmpNmbr,strCustPmtTerms,strCustNotes");

QString searchedColumn(CustomerSearch kind)
{
    switch (kind) {
    case CustomerSearch::CompanyName:
        return QStringLiteral("strCustCompany");
    case CustomerSearch::LastName:
        return QStringLiteral("strCustLastName");
    case CustomerSearch::FirstName:
        return QStringLiteral("strCustFirstName");
    case CustomerSearch::PhoneNumber:
        return QStringLiteral("strCustMainPhone");
    case CustomerSearch::City:
        return QStringLiteral("strCustCity");
    case CustomerSearch::State:
        return QStringLiteral("strCustState");
    case CustomerSearch::ZipCode:
        return QStringLiteral("strCustZipCode");
    case CustomerSearch::CustomerId:
        return QStringLiteral("CAST(intCustomerID AS TEXT)");
    case CustomerSearch::AllCustomers:
    case CustomerSearch::TaxExempt:
        break;
    }
    return {};
}

void bindRecord(Statement &stmt, const CustomerRecord &c)
{
    stmt.bindAll(c.strCustFirstName, c.strCustLastName, c.strCustCompany, c.strCustAddress, c.strCustCity,
                 c.strCustState, c.strCustZipCode, c.strCustMainPhone, c.strCustExtraPhone1, c.strCustExtraPhone2,
                 c.strCustExtraPhone1Name, c.strCustExtraPhone2Name, c.intCustDiscount, c.strCustTaxExmpt,
                 c.strCustTaxExmpNmbr, c.strCustPmtTerms, c.strCustNotes);
}

QString phoneLine(const QString &name, const QString &number)
{
    return number.isEmpty() ? QString() : name + QStringLiteral(": ") + number;
}

} // namespace

const QStringList &CustomerSearches::names()
{
    static const QStringList names = {
        QStringLiteral("All Customers"), QStringLiteral("Company Name"), QStringLiteral("Last Name"),
        QStringLiteral("First Name"),    QStringLiteral("Phone Number"), QStringLiteral("City"),
        QStringLiteral("State"),         QStringLiteral("Zip Code"),     QStringLiteral("Customer ID Number"),
        QStringLiteral("Tax Exempt"),
    };
    return names;
}

bool CustomerSearches::takesText(CustomerSearch kind)
{
    return kind != CustomerSearch::AllCustomers && kind != CustomerSearch::TaxExempt;
}

CustomerStore::CustomerStore(const AppContext &context)
    : m_context(context)
{
}

QList<CustomerListEntry> CustomerStore::list(CustomerSearch kind, const QString &text) const
{
    const auto db = m_context.openDatabase();
    QString sql = QStringLiteral("SELECT %1 FROM tblCustomers").arg(kListColumns);
    if (kind == CustomerSearch::TaxExempt) {
        sql += QStringLiteral(" WHERE CAST(strCustTaxExmpt AS REAL) <> 0");
    } else if (CustomerSearches::takesText(kind)) {
        TextSearch::registerFold(db->handle());
        sql += QStringLiteral(" WHERE fold(%1) LIKE ? ESCAPE '\\'").arg(searchedColumn(kind));
    }
    sql += QStringLiteral(" ORDER BY intCustomerID");

    Statement query = db->prepare(sql);
    if (CustomerSearches::takesText(kind))
        query.bind(1, TextSearch::prefixPattern(text));
    QList<CustomerListEntry> rows;
    while (query.step()) {
        rows.append({query.int64At(0), query.textAt(1), query.textAt(2), query.textAt(3), query.textAt(4),
                     query.textAt(5), query.textAt(6), query.textAt(7), query.textAt(8)});
    }
    return rows;
}

std::optional<CustomerRecord> CustomerStore::find(qint64 id) const
{
    const auto db = m_context.openDatabase();
    Statement query = db->prepare(
        QStringLiteral("SELECT intCustomerID,%1 FROM tblCustomers WHERE intCustomerID = ?").arg(kRecordColumns));
    query.bind(1, id);
    if (!query.step())
        return std::nullopt;
    CustomerRecord c;
    c.intCustomerID = query.int64At(0);
    c.strCustFirstName = query.textAt(1);
    c.strCustLastName = query.textAt(2);
    c.strCustCompany = query.textAt(3);
    c.strCustAddress = query.textAt(4);
    c.strCustCity = query.textAt(5);
    c.strCustState = query.textAt(6);
    c.strCustZipCode = query.textAt(7);
    c.strCustMainPhone = query.textAt(8);
    c.strCustExtraPhone1 = query.textAt(9);
    c.strCustExtraPhone2 = query.textAt(10);
    c.strCustExtraPhone1Name = query.textAt(11);
    c.strCustExtraPhone2Name = query.textAt(12);
    c.intCustDiscount = query.intAt(13);
    // A damaged flag must not keep the customer from being opened: it reads as not exempt.
    c.strCustTaxExmpt = query.isNullAt(14) ? false : BoolText::parse(query.textAt(14)).value_or(false);
    c.strCustTaxExmpNmbr = query.textAt(15);
    c.strCustPmtTerms = query.textAt(16);
    c.strCustNotes = query.textAt(17);
    return c;
}

void CustomerRecord::trimNames()
{
    for (QString *name : {&strCustFirstName, &strCustLastName, &strCustCompany})
        *name = name->trimmed();
}

bool CustomerRecord::hasName() const
{
    return !strCustFirstName.trimmed().isEmpty() || !strCustLastName.trimmed().isEmpty()
        || !strCustCompany.trimmed().isEmpty();
}

QString CustomerRecord::nameNeeded()
{
    return QStringLiteral("Enter a First Name, Last Name or Company Name for this customer.");
}

qint64 CustomerStore::save(const CustomerRecord &customer)
{
    const auto db = m_context.openDatabase();
    Transaction tx(*db);
    qint64 id = customer.intCustomerID;
    bool stored = false;
    if (id > 0) {
        QStringList assignments;
        for (const QString &column : kRecordColumns.split(QLatin1Char(',')))
            assignments << column + QStringLiteral(" = ?");
        Statement update = db->prepare(QStringLiteral("UPDATE tblCustomers SET %1 WHERE intCustomerID = ?")
                                           .arg(assignments.join(QLatin1Char(','))));
        bindRecord(update, customer);
        update.bind(18, id);
        update.run();
        stored = db->changes() > 0;
    }
    if (!stored) {
        // New, or deleted meanwhile by another copy of the program: store it afresh.
        Statement insert = db->prepare(QStringLiteral("INSERT INTO tblCustomers(%1)VALUES(?%2)")
                                           .arg(kRecordColumns, QStringLiteral(",?").repeated(16)));
        bindRecord(insert, customer);
        insert.run();
        id = db->lastInsertRowId();
    }
    tx.commit();
    return id;
}

void CustomerStore::remove(qint64 id)
{
    const auto db = m_context.openDatabase();
    {
        Transaction tx(*db);
        Statement erase = db->prepare(QStringLiteral("DELETE FROM tblCustomers WHERE intCustomerID = ?"));
        erase.bind(1, id);
        erase.run();
        tx.commit();
    }
    db->compact();
}

void copyCustomerToHeader(const CustomerRecord &c, const Edition &edition, TrecInvHeader &h)
{
    h.strCustCmpnyName = c.strCustCompany;
    h.strCustFullName = c.strCustFirstName.isEmpty() && c.strCustLastName.isEmpty()
        ? QString()
        : c.strCustFirstName + QLatin1Char(' ') + c.strCustLastName;
    h.strCustAddress = c.strCustAddress;
    h.strCustCtyStZp = c.strCustCity + QLatin1Char(' ') + c.strCustState + QLatin1Char(' ') + c.strCustZipCode;
    h.strCustMainPhone = c.strCustMainPhone;
    h.strCustExtraPhone1 = phoneLine(c.strCustExtraPhone1Name, c.strCustExtraPhone1);
    h.strCustExtraPhone2 = phoneLine(c.strCustExtraPhone2Name, c.strCustExtraPhone2);
    h.strCustPymntTerms = c.strCustPmtTerms;
    h.intCustDiscountPercent = c.intCustDiscount;
    h.strCustNotes = c.strCustNotes;
    h.strCustTaxExempt = c.strCustTaxExmpt;
    h.strCustTaxExemptNum = c.strCustTaxExmpNmbr;
    if (!edition.hasFullDocumentFeatures()) {
        h.intCustDiscountPercent = 0;
        h.strCustExtraPhone1.clear();
        h.strCustExtraPhone2.clear();
    }
}
