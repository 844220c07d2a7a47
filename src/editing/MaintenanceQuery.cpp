#include "MaintenanceQuery.h"

#include "data/DataContext.h"
#include "core/Edition.h"
#include "data/Database.h"
#include "data/TextSearch.h"
#include "invoice/DocumentKinds.h"
#include "invoice/Money.h"
#include "invoice/PastDueLink.h"
#include "printing/ListReports.h"

#include <limits>

namespace {

using T = MaintenanceType;

const QString kAllInvoiceTypes = QStringLiteral("All Invoice Types");
const QString kInvoiceNumber = QStringLiteral("Invoice Number");
const QString kCustomerLastName = QStringLiteral("Customer Last Name");
const QString kCustomerCompanyName = QStringLiteral("Customer Company Name");
const QString kAllEstimatesAndWorkOrders = QStringLiteral("All Estimates and Work Orders");

// A past-due notice is listed with what its invoice owes now.
QString listedColumns()
{
    return QStringLiteral("intInvNumber,strCustCmpnyName,strCustFullName,strInvName,strPaidInFull,%1,strRecurring,"
                          "dbPaidAmount")
        .arg(PastDueLink::listedTotalColumn());
}

// The boolean columns hold "-1" or "0" as text.
const QString kNotPaid = QStringLiteral("strPaidInFull = '0'");
const QString kNotRecurring = QStringLiteral("strRecurring = '0'");
const QString kRecurring = QStringLiteral("strRecurring <> '0'");

bool isSet(const QString &booleanText)
{
    return booleanText.trimmed().toInt() != 0;
}

/// Collects the terms of a condition with their bound values.
class Condition
{
public:
    Condition &kind(const QString &kindName)
    {
        m_terms << QStringLiteral("UPPER(strInvName) LIKE ?");
        m_values << kindName.toUpper() + QLatin1Char('%');
        return *this;
    }
    Condition &term(const QString &sql)
    {
        m_terms << sql;
        return *this;
    }
    Condition &text(const QString &searchItem, const QString &typed)
    {
        const QString pattern = TextSearch::prefixPattern(typed);
        if (searchItem == kCustomerLastName) {
            // The header keeps "first last" only: the last name is found where any word
            // of it begins, the full name where the name begins.
            m_terms << QStringLiteral("(fold(strCustFullName) LIKE ? ESCAPE '\\' "
                                      "OR fold(strCustFullName) LIKE ? ESCAPE '\\')");
            m_values << pattern << QStringLiteral("% ") + pattern;
            return *this;
        }
        if (searchItem == kInvoiceNumber)
            m_terms << QStringLiteral("CAST(intInvNumber AS TEXT) LIKE ? ESCAPE '\\'");
        else
            m_terms << QStringLiteral("fold(strCustCmpnyName) LIKE ? ESCAPE '\\'");
        m_values << pattern;
        if (searchItem == kInvoiceNumber)
            numberRanges(typed);
        return *this;
    }
    // The numbers a prefix of three digits or more begins are few and lie in one
    // range per length (512: 512, 5120-5129, 51200-51299, ...): the number index
    // finds them where the match on the text would read every document. Shorter
    // prefixes match so many that reading in storage order finds a screenful at once.
    Condition &numberRanges(const QString &typed)
    {
        constexpr int kIndexedFrom = 3;
        constexpr qint64 kLargest = std::numeric_limits<qint64>::max();
        bool digits = typed.size() >= kIndexedFrom && typed.at(0) != QLatin1Char('0');
        for (const QChar c : typed)
            digits = digits && c >= QLatin1Char('0') && c <= QLatin1Char('9');
        bool fits = false;
        qint64 low = digits ? typed.toLongLong(&fits) : 0;
        if (!fits)
            return *this;
        QStringList ranges;
        for (qint64 high = low;;) {
            ranges << QStringLiteral("SELECT intInvDataHeaderID FROM tblInvHeader WHERE intInvNumber BETWEEN ? AND ?");
            m_values << QString::number(low) << QString::number(high);
            if (low > kLargest / 10)
                break;
            low *= 10;
            high = high > (kLargest - 9) / 10 ? kLargest : high * 10 + 9;
        }
        m_terms << QStringLiteral("intInvDataHeaderID IN (") + ranges.join(QStringLiteral(" UNION ALL ")) + QLatin1Char(')');
        return *this;
    }
    // Estimates or work orders, as one term.
    Condition &estimateOrWorkOrder()
    {
        m_terms << QStringLiteral("(UPPER(strInvName) LIKE ? OR UPPER(strInvName) LIKE ?)");
        m_values << DocumentKinds::kEstimate.toUpper() + QLatin1Char('%')
                 << DocumentKinds::kWorkOrder.toUpper() + QLatin1Char('%');
        return *this;
    }

    [[nodiscard]] QueryWindow::Query query() const
    {
        // Storage order, as a plain read of the table returns the rows.
        return {listedColumns(), QStringLiteral("tblInvHeader"), m_terms.join(QStringLiteral(" AND ")), m_values,
                QStringLiteral("intInvDataHeaderID")};
    }

private:
    QStringList m_terms;
    QStringList m_values;
};

} // namespace

QString MaintenanceRow::info() const
{
    if (isSet(strPaidInFull))
        return QStringLiteral("Paid");
    if (isSet(strRecurring))
        return QStringLiteral("Recurring");
    return {};
}

QString MaintenanceRow::name() const
{
    return strInvName + QLatin1Char(' ') + QString::number(intInvNumber);
}

MaintenanceRow MaintenanceRow::fromTexts(const QStringList &texts, const QLocale &locale)
{
    return {texts.value(0).toInt(), texts.value(3), texts.value(2), texts.value(1),
            Money::storedAmountText(texts.value(5), locale), texts.value(4), texts.value(6),
            Money::storedAmountText(texts.value(7), locale)};
}

namespace {

/// The invoice list report's six columns over the listed rows.
class PrintedRows final : public RowSource
{
public:
    PrintedRows(std::shared_ptr<QueryWindow> listed, const QLocale &locale)
        : m_listed(std::move(listed))
        , m_locale(locale)
    {
    }
    int rowCount() const override { return m_listed->rowCount(); }
    QList<QStringList> rows(int first, int count) const override
    {
        QList<QStringList> printed;
        for (const QStringList &texts : m_listed->rows(first, count)) {
            const MaintenanceRow row = MaintenanceRow::fromTexts(texts, m_locale);
            printed.append({QString::number(row.intInvNumber), row.strInvName, row.strCustFullName,
                            row.strCustCmpnyName, row.strInvTotal, row.info()});
        }
        return printed;
    }

private:
    std::shared_ptr<QueryWindow> m_listed;
    QLocale m_locale;
};

} // namespace

namespace MaintenanceTypes {

QList<MaintenanceType> offered(const Edition &edition)
{
    QList<MaintenanceType> types;
    for (int i = int(T::ViewAll); i <= int(T::ViewRecurring); ++i) {
        const auto type = MaintenanceType(i);
        const bool needsFullFeatures = type == T::ChangeOrderToInvoice || type == T::AddRecurring
                                       || type == T::RemoveRecurring || type == T::ViewRecurring;
        if (needsFullFeatures && !edition.hasFullDocumentFeatures())
            continue;
        types << type;
    }
    return types;
}

QString entry(MaintenanceType type)
{
    switch (type) {
    case T::ViewAll: return QStringLiteral("View\\Edit\\Print all saved Invoice Types");
    case T::ViewUnpaid: return QStringLiteral("View\\Edit\\Print Unpaid Invoices");
    case T::EstimateToWorkOrder: return QStringLiteral("Convert Estimate to Work Order");
    case T::EstimateOrWorkOrderToInvoice: return QStringLiteral("Convert Estimate\\ Work Order to Invoice");
    case T::ChangeOrderToInvoice: return QStringLiteral("Convert Change Order to Invoice");
    case T::InvoiceToCredit: return QStringLiteral("Convert Invoice to Credit");
    case T::PastDueNotice: return QStringLiteral("Create Past Due Notice for Invoice");
    case T::MarkPaidInFull: return QStringLiteral("Change unpaid Invoice to Paid in full");
    case T::Delete: return QStringLiteral("Delete saved Invoice - All Invoice Types");
    case T::AddRecurring: return QStringLiteral("Recurring \u2013 Add Invoice to list");
    case T::RemoveRecurring: return QStringLiteral("Recurring \u2013 Remove Invoice from list");
    case T::ViewRecurring: return QStringLiteral("Recurring \u2013 View\\Edit\\Print");
    }
    return {};
}

QString listHint(MaintenanceType type)
{
    switch (type) {
    case T::ViewAll: return QStringLiteral("Select Invoice to view, edit or print");
    case T::ViewUnpaid: return QStringLiteral("Select Unpaid Invoice to view, edit or print");
    case T::EstimateToWorkOrder: return QStringLiteral("Select Estimate to Convert");
    case T::EstimateOrWorkOrderToInvoice: return QStringLiteral("Select Estimate or Work Order to Convert");
    case T::ChangeOrderToInvoice: return QStringLiteral("Select Change Order to Convert");
    case T::InvoiceToCredit: return QStringLiteral("Select Invoice to Convert");
    case T::PastDueNotice: return QStringLiteral("Select Invoice to use");
    case T::MarkPaidInFull: return QStringLiteral("Select Invoice to Change to Paid In Full");
    case T::Delete: return QStringLiteral("Select Invoice to Delete");
    case T::AddRecurring: return QStringLiteral("Select Invoice to add to recurring list");
    case T::RemoveRecurring: return QStringLiteral("Select Invoice to remove from recurring list");
    case T::ViewRecurring: return QStringLiteral("Select Invoice to View\\Edit\\Print");
    }
    return {};
}

QStringList searchItems(MaintenanceType type, const QStringList &invoiceTypes)
{
    QStringList items;
    switch (type) {
    case T::ViewAll:
    case T::Delete:
        items << kAllInvoiceTypes << invoiceTypes;
        break;
    case T::ViewUnpaid:
    case T::MarkPaidInFull:
        items << QStringLiteral("All unpaid Invoices");
        break;
    case T::EstimateToWorkOrder:
        items << QStringLiteral("All Estimates");
        break;
    case T::EstimateOrWorkOrderToInvoice:
        items << kAllEstimatesAndWorkOrders << DocumentKinds::kEstimate << DocumentKinds::kWorkOrder;
        break;
    case T::ChangeOrderToInvoice:
        items << QStringLiteral("All Change Order");
        break;
    case T::InvoiceToCredit:
    case T::PastDueNotice:
        items << QStringLiteral("All Invoices");
        break;
    case T::AddRecurring:
        items << QStringLiteral("All non recurring Invoices");
        break;
    case T::RemoveRecurring:
    case T::ViewRecurring:
        items << QStringLiteral("All recurring Invoices");
        break;
    }
    return items << kInvoiceNumber << kCustomerLastName << kCustomerCompanyName;
}

bool isTextSearch(const QString &searchItem)
{
    return searchItem == kInvoiceNumber || searchItem == kCustomerLastName || searchItem == kCustomerCompanyName;
}

QString question(MaintenanceType type, const QString &name)
{
    switch (type) {
    case T::EstimateToWorkOrder: return QStringLiteral("Convert %1 to Work Order?").arg(name);
    case T::EstimateOrWorkOrderToInvoice:
    case T::ChangeOrderToInvoice: return QStringLiteral("Convert %1 to Invoice?").arg(name);
    case T::InvoiceToCredit: return QStringLiteral("Convert %1 to Credit?").arg(name);
    case T::PastDueNotice: return QStringLiteral("Create Past Due Notice for %1").arg(name);
    case T::MarkPaidInFull: return QStringLiteral("Change %1 to Paid In Full?").arg(name);
    case T::Delete: return QStringLiteral("Delete %1?").arg(name);
    case T::AddRecurring: return QStringLiteral("Add %1 to recurring list?").arg(name);
    case T::RemoveRecurring: return QStringLiteral("Remove %1 from recurring list?").arg(name);
    case T::ViewAll:
    case T::ViewUnpaid:
    case T::ViewRecurring: return {};
    }
    return {};
}

bool destroys(MaintenanceType type)
{
    return type == T::Delete || type == T::RemoveRecurring;
}

} // namespace MaintenanceTypes

MaintenanceQuery::MaintenanceQuery(const DataContext &context)
    : m_context(context)
{
}

QueryWindow::Query MaintenanceQuery::query(MaintenanceType type, const QString &searchItem, const QString &text)
{
    Condition c;
    switch (type) {
    case T::ViewAll:
    case T::Delete:
        // Any other item is one of the edition's kinds.
        if (searchItem != kAllInvoiceTypes && !MaintenanceTypes::isTextSearch(searchItem))
            c.kind(searchItem);
        break;
    case T::ViewUnpaid:
    case T::MarkPaidInFull:
    case T::PastDueNotice:
    case T::AddRecurring:
        c.term(kNotPaid).term(kNotRecurring).kind(DocumentKinds::kInvoice);
        break;
    case T::EstimateToWorkOrder:
        c.kind(DocumentKinds::kEstimate);
        break;
    case T::EstimateOrWorkOrderToInvoice:
        if (searchItem == DocumentKinds::kEstimate || searchItem == DocumentKinds::kWorkOrder)
            c.kind(searchItem);
        else
            c.estimateOrWorkOrder();
        break;
    case T::ChangeOrderToInvoice:
        c.kind(DocumentKinds::kChangeOrder);
        break;
    case T::InvoiceToCredit:
        c.term(kNotRecurring).kind(DocumentKinds::kInvoice);
        break;
    case T::RemoveRecurring:
    case T::ViewRecurring:
        c.term(kRecurring).kind(DocumentKinds::kInvoice);
        break;
    }
    if (MaintenanceTypes::isTextSearch(searchItem))
        c.text(searchItem, text);
    return c.query();
}

MaintenanceQuery::SqlText MaintenanceQuery::build(MaintenanceType type, const QString &searchItem,
                                                  const QString &text)
{
    QueryWindow::Query q = query(type, searchItem, text);
    QString sql = QStringLiteral("SELECT ") + q.columns + QStringLiteral(" FROM ") + q.from;
    if (!q.where.isEmpty())
        sql += QStringLiteral(" WHERE ") + q.where;
    return {sql + QStringLiteral(" ORDER BY ") + q.key, q.values};
}

QueryWindow::Connect MaintenanceQuery::connect() const
{
    return [&context = m_context] { return context.openDatabase(); };
}

QList<MaintenanceRow> MaintenanceQuery::run(MaintenanceType type, const QString &searchItem,
                                            const QString &text) const
{
    const SqlText statement = build(type, searchItem, text);
    const auto db = connect()();
    ::Statement query = db->prepare(statement.sql);
    for (int i = 0; i < statement.values.size(); ++i)
        query.bind(i + 1, statement.values.at(i));
    QList<MaintenanceRow> rows;
    while (query.step()) {
        QStringList texts;
        for (int c = 0; c < query.columnCount(); ++c)
            texts.append(query.textAt(c));
        rows.append(MaintenanceRow::fromTexts(texts, m_context.locale));
    }
    return rows;
}

std::shared_ptr<QueryWindow> MaintenanceQuery::open(MaintenanceType type, const QString &searchItem,
                                                    const QString &text, QueryWindow::Count when) const
{
    return std::make_shared<QueryWindow>(connect(), query(type, searchItem, text), when);
}

RowFeed MaintenanceQuery::printFeed(MaintenanceType type, const QString &searchItem, const QString &text) const
{
    return ListReports::RvCustomConnectionInvMaint(
        std::make_shared<PrintedRows>(open(type, searchItem, text, QueryWindow::Count::First), m_context.locale));
}
