#pragma once

#include "data/QueryWindow.h"
#include "data/RowConflict.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class DataContext;
class Database;
class Edition;
struct TrecInvHeader;

/// One tblCustomers row.
struct CustomerRecord
{
    /// 0 for a customer not stored yet.
    qint64 intCustomerID = 0;
    QString strCustFirstName;
    QString strCustLastName;
    QString strCustCompany;
    QString strCustAddress;
    QString strCustCity;
    QString strCustState;
    QString strCustZipCode;
    QString strCustMainPhone;
    QString strCustExtraPhone1;
    QString strCustExtraPhone2;
    QString strCustExtraPhone1Name;
    QString strCustExtraPhone2Name;
    int intCustDiscount = 0;
    bool strCustTaxExmpt = false;
    QString strCustTaxExmpNmbr;
    QString strCustPmtTerms;
    QString strCustNotes;
    QString strCustEmail;
    /// The stored row's version when it was read; a save writes only over it.
    qint64 intRowVersion = 0;

    bool operator==(const CustomerRecord &) const = default;

    /// Drops the blanks around the first, last and company names.
    void trimNames();
    /// The customer as the user knows it, for questions.
    [[nodiscard]] QString caption() const;
    /// Each field \a other holds differently, as "Caption: value".
    [[nodiscard]] QStringList differencesFrom(const CustomerRecord &other) const;
    /// Whether a first, last or company name is more than blanks.
    [[nodiscard]] bool hasName() const;
    /// What the user is told when a customer has no name to be listed under.
    [[nodiscard]] static QString nameNeeded();
};

/// What the customer list shows of a row.
struct CustomerListEntry
{
    qint64 intCustomerID = 0;
    QString strCustFirstName;
    QString strCustLastName;
    QString strCustCompany;
    QString strCustAddress;
    QString strCustCity;
    QString strCustState;
    QString strCustZipCode;
    QString strCustMainPhone;

    /// The entry from the texts of the list statement's columns.
    [[nodiscard]] static CustomerListEntry fromTexts(const QStringList &texts);
};

/// The ways the customer list can be searched, in the order the window offers them.
enum class CustomerSearch {
    AllCustomers,
    CompanyName,
    LastName,
    FirstName,
    PhoneNumber,
    City,
    State,
    ZipCode,
    CustomerId,
    TaxExempt,
};

namespace CustomerSearches {
/// "All Customers", "Company Name", ... in enum order.
[[nodiscard]] const QStringList &names();
/// Whether the search uses the typed text (all but All Customers and Tax Exempt).
[[nodiscard]] bool takesText(CustomerSearch kind);
} // namespace CustomerSearches

/// Reads and writes tblCustomers. Each call is one operation on its own connection;
/// every write is one transaction. Throws DbError on any failure of the engine.
class CustomerStore
{
public:
    explicit CustomerStore(const DataContext &context);

    /// The customers \a kind selects, in storage order. Searches that take text keep
    /// the rows whose field begins with \a text in any letter case.
    [[nodiscard]] QList<CustomerListEntry> list(CustomerSearch kind, const QString &text = {}) const;
    /// The same customers, read as the list scrolls to them.
    [[nodiscard]] std::shared_ptr<QueryWindow> open(CustomerSearch kind, const QString &text = {}) const;
    /// The list statement of \a kind and \a text; public for the benchmark.
    [[nodiscard]] static QueryWindow::Query query(CustomerSearch kind, const QString &text);
    /// The whole row of customer \a id, or nothing when there is none.
    [[nodiscard]] std::optional<CustomerRecord> find(qint64 id) const;
    /// Stores \a customer: inserted when its id is 0, updated otherwise, but only
    /// over the version it was read at; a row changed or deleted meanwhile by another
    /// copy throws RowConflict and is left as it is. Returns the id it is stored under.
    qint64 save(const CustomerRecord &customer);
    /// Saves \a customer, asking what to do when another copy changed or deleted it
    /// meanwhile (RowVersions::saveOrAsk). Throws DbError for other failures.
    RowVersions::SaveOutcome saveOrAsk(CustomerRecord &customer, Prompts &prompts);
    /// Deletes customer \a id and gives the freed space back. Documents keep their
    /// own copies of the customer's data.
    void remove(qint64 id);

    /// The row-level writes and reads, for callers that group many of them into one
    /// transaction of their own (an import). Throw DbError.
    static qint64 insertRow(Database &db, const CustomerRecord &customer);
    /// False when the row of \a customer's id is gone. Moves the row's version on,
    /// whatever it was.
    static bool updateRow(Database &db, const CustomerRecord &customer);
    [[nodiscard]] static QList<CustomerRecord> readAll(Database &db);

private:
    const DataContext &m_context;
};

/// The customer's fields as the current document's header carries them. Editions
/// without customer discounts leave the discount at 0 and the extra phones empty.
void copyCustomerToHeader(const CustomerRecord &customer, const Edition &edition, TrecInvHeader &header);
