#include "CustomerStore.h"

#include "data/DataContext.h"
#include "core/Edition.h"
#include "data/BoolText.h"
#include "data/Database.h"
#include "data/SqlColumns.h"
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
    "intCustDiscount,strCustTaxExmpt,strCustTaxExmpNmbr,strCustPmtTerms,strCustNotes,strCustEmail");

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
                 c.strCustTaxExmpNmbr, c.strCustPmtTerms, c.strCustNotes, c.strCustEmail);
}

CustomerRecord readRecord(const Statement &query)
{
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
    c.strCustEmail = query.textAt(18);
    c.intRowVersion = query.int64At(19);
    return c;
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

CustomerStore::CustomerStore(const DataContext &context)
    : m_context(context)
{
}

CustomerListEntry CustomerListEntry::fromTexts(const QStringList &t)
{
    return {t.value(0).toLongLong(), t.value(1), t.value(2), t.value(3), t.value(4),
            t.value(5),              t.value(6), t.value(7), t.value(8)};
}

QueryWindow::Query CustomerStore::query(CustomerSearch kind, const QString &text)
{
    QueryWindow::Query q{kListColumns, QStringLiteral("tblCustomers"), {}, {}, QStringLiteral("intCustomerID")};
    if (kind == CustomerSearch::TaxExempt) {
        q.where = QStringLiteral("CAST(strCustTaxExmpt AS REAL) <> 0");
    } else if (CustomerSearches::takesText(kind)) {
        q.where = QStringLiteral("fold(%1) LIKE ? ESCAPE '\\'").arg(searchedColumn(kind));
        q.values << TextSearch::prefixPattern(text);
    }
    return q;
}

QList<CustomerListEntry> CustomerStore::list(CustomerSearch kind, const QString &text) const
{
    const QueryWindow::Query q = query(kind, text);
    const auto db = m_context.openDatabase();
    QString sql = QStringLiteral("SELECT %1 FROM %2").arg(q.columns, q.from);
    if (!q.where.isEmpty())
        sql += QStringLiteral(" WHERE ") + q.where;
    Statement statement = db->prepare(sql + QStringLiteral(" ORDER BY ") + q.key);
    for (int i = 0; i < q.values.size(); ++i)
        statement.bind(i + 1, q.values.at(i));
    QList<CustomerListEntry> rows;
    while (statement.step()) {
        rows.append({statement.int64At(0), statement.textAt(1), statement.textAt(2), statement.textAt(3),
                     statement.textAt(4), statement.textAt(5), statement.textAt(6), statement.textAt(7),
                     statement.textAt(8)});
    }
    return rows;
}

std::shared_ptr<QueryWindow> CustomerStore::open(CustomerSearch kind, const QString &text) const
{
    return std::make_shared<QueryWindow>([&context = m_context] { return context.openDatabase(); }, query(kind, text));
}

std::optional<CustomerRecord> CustomerStore::find(qint64 id) const
{
    const auto db = m_context.openDatabase();
    Statement query = db->prepare(
        QStringLiteral("SELECT intCustomerID,%1,intRowVersion FROM tblCustomers WHERE intCustomerID = ?").arg(kRecordColumns));
    query.bind(1, id);
    if (!query.step())
        return std::nullopt;
    return readRecord(query);
}

void CustomerRecord::trimNames()
{
    for (QString *name : {&strCustFirstName, &strCustLastName, &strCustCompany})
        *name = name->trimmed();
}

QString CustomerRecord::caption() const
{
    const QString name = (strCustFirstName + QLatin1Char(' ') + strCustLastName).trimmed();
    const QString shown = strCustCompany.isEmpty() ? name
        : name.isEmpty()                           ? strCustCompany
                                                   : QStringLiteral("%1 (%2)").arg(name, strCustCompany);
    return QStringLiteral("The customer \"%1\"").arg(shown);
}

QStringList CustomerRecord::differencesFrom(const CustomerRecord &other) const
{
    const auto shown = [](const QString &text) { return text.isEmpty() ? QStringLiteral("empty") : text; };
    const std::pair<const char *, QString CustomerRecord::*> texts[] = {
        {"First name", &CustomerRecord::strCustFirstName},
        {"Last name", &CustomerRecord::strCustLastName},
        {"Company", &CustomerRecord::strCustCompany},
        {"Address", &CustomerRecord::strCustAddress},
        {"City", &CustomerRecord::strCustCity},
        {"State", &CustomerRecord::strCustState},
        {"Zip code", &CustomerRecord::strCustZipCode},
        {"Main phone", &CustomerRecord::strCustMainPhone},
        {"Extra phone 1", &CustomerRecord::strCustExtraPhone1},
        {"Extra phone 2", &CustomerRecord::strCustExtraPhone2},
        {"Extra phone 1 name", &CustomerRecord::strCustExtraPhone1Name},
        {"Extra phone 2 name", &CustomerRecord::strCustExtraPhone2Name},
        {"Tax exempt number", &CustomerRecord::strCustTaxExmpNmbr},
        {"Payment terms", &CustomerRecord::strCustPmtTerms},
        {"Notes", &CustomerRecord::strCustNotes},
        {"E-mail", &CustomerRecord::strCustEmail},
    };
    QStringList differences;
    for (const auto &[caption, field] : texts) {
        if (this->*field != other.*field)
            differences << QStringLiteral("%1: %2").arg(QLatin1String(caption), shown(other.*field));
    }
    if (intCustDiscount != other.intCustDiscount)
        differences << QStringLiteral("Discount: %1").arg(other.intCustDiscount);
    if (strCustTaxExmpt != other.strCustTaxExmpt)
        differences << QStringLiteral("Tax exempt: %1").arg(other.strCustTaxExmpt ? "Yes" : "No");
    return differences;
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
    if (id > 0) {
        RowVersions::expect(*db, QStringLiteral("tblCustomers"), QStringLiteral("intCustomerID"), id,
                            customer.intRowVersion, customer.caption());
        (void)updateRow(*db, customer);
    } else {
        id = insertRow(*db, customer);
    }
    tx.commit();
    return id;
}

RowVersions::SaveOutcome CustomerStore::saveOrAsk(CustomerRecord &customer, Prompts &prompts)
{
    RowVersions::Access<CustomerRecord> access;
    access.save = [this, &customer](const CustomerRecord &mine) { customer.intCustomerID = save(mine); };
    access.findTheirs = [this, id = customer.intCustomerID] { return find(id); };
    access.lost = [](const CustomerRecord &mine, const CustomerRecord &theirs) { return mine.differencesFrom(theirs); };
    access.makeNew = [](CustomerRecord &mine) { mine.intCustomerID = 0; };
    access.adoptVersion = [](CustomerRecord &mine, const CustomerRecord &theirs) {
        mine.intRowVersion = theirs.intRowVersion;
    };
    return RowVersions::saveOrAsk(prompts, customer.caption(), customer, access);
}

qint64 CustomerStore::insertRow(Database &db, const CustomerRecord &customer)
{
    Statement insert = db.prepare(QStringLiteral("INSERT INTO tblCustomers%1")
                                      .arg(SqlColumns::insertList(kRecordColumns.split(QLatin1Char(',')))));
    bindRecord(insert, customer);
    insert.run();
    return db.lastInsertRowId();
}

bool CustomerStore::updateRow(Database &db, const CustomerRecord &customer)
{
    const QStringList columns = kRecordColumns.split(QLatin1Char(','));
    Statement update = db.prepare(QStringLiteral("UPDATE tblCustomers SET %1, intRowVersion = intRowVersion + 1 "
                                                 "WHERE intCustomerID = ?")
                                      .arg(SqlColumns::assignments(columns)));
    bindRecord(update, customer);
    update.bind(int(columns.size()) + 1, customer.intCustomerID);
    update.run();
    return db.changes() > 0;
}

QList<CustomerRecord> CustomerStore::readAll(Database &db)
{
    Statement query = db.prepare(
        QStringLiteral("SELECT intCustomerID,%1,intRowVersion FROM tblCustomers ORDER BY intCustomerID").arg(kRecordColumns));
    QList<CustomerRecord> customers;
    while (query.step())
        customers.append(readRecord(query));
    return customers;
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
    h.intCustomerID = c.intCustomerID;
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
