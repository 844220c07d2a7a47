#include "ReceivablesQuery.h"

#include "DocumentKinds.h"
#include "PastDueLink.h"
#include "data/Database.h"
#include "data/ReceivablesIndexes.h"
#include "data/StoredForm.h"
#include "data/TextSearch.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>
#include <limits>

namespace Receivables {

namespace {

// Numbered parameters, so both halves of a statement share them.
constexpr int kContains = 1;   // the search, as a "contains" LIKE pattern
constexpr int kStartsWith = 2; // the search, as a "starts with" LIKE pattern
constexpr int kDueAfter = 3;   // the rows read from the start end at this due date ...
constexpr int kNumberAfter = 4; // ... and this number
constexpr int kLimit = 5;
constexpr int kNames = 6;       // the customers a search keeps, as a JSON list
constexpr int kDueBefore = 7;   // the rows read from the end start at this due date ...
constexpr int kNumberBefore = 8; // ... and this number

QString upper(const QString &kind)
{
    // Kind names are the program's own constants, never user text.
    return QLatin1Char('\'') + kind.toUpper() + QLatin1Char('\'');
}

QString kindIs(const QString &alias, const QString &kind)
{
    return QStringLiteral("UPPER(%1.strInvName) = %2").arg(alias, upper(kind));
}

/// A document of the list: not a recurring original, and either not paid in full or
/// paid beyond its total; its stored amount reads.
QString listed(const QString &alias)
{
    return QStringLiteral("%1.strRecurring = '0' AND (%1.strPaidInFull = '0' OR (%1.strPaidInFull <> '0' AND "
                          "%1.strInvTotal LIKE '-%')) AND stored_amount(%1.strInvTotal) IS NOT NULL")
        .arg(alias);
}

constexpr double kOwesNothing = 0.005;

QString owesSomething(const QString &alias)
{
    return QStringLiteral("ABS(stored_amount(%1.strInvTotal)) >= %2").arg(alias).arg(kOwesNothing);
}

/// The invoice number a notice's link names, when it names one.
QString linkedNumber()
{
    return QStringLiteral("CAST(substr(h.strFromInvNameNumber, %1) AS INTEGER)")
        .arg(DocumentKinds::kInvoice.size() + 2);
}

/// A notice stands for its invoice while that is stored; when it is gone, the latest
/// notice made from it owes what is left.
QString noticeStandsAlone()
{
    const QString stored = QStringLiteral(
        "EXISTS(SELECT 1 FROM tblInvHeader i WHERE i.intInvNumber = %1 AND %2 AND %3)")
                               .arg(linkedNumber(), kindIs(QStringLiteral("i"), DocumentKinds::kInvoice),
                                    PastDueLink::linkNamesInvoiceSql(QStringLiteral("h.strFromInvNameNumber"),
                                                                     QStringLiteral("i.intInvNumber")));
    const QString later = QStringLiteral(
        "(%1 AND %2 > 0 AND EXISTS(SELECT 1 FROM tblInvHeader n WHERE %3 AND UPPER(n.strFromInvNameNumber) = "
        "UPPER(h.strFromInvNameNumber) AND n.intInvNumber > h.intInvNumber AND %4 AND %5))")
                              .arg(PastDueLink::linkNamesInvoiceSql(QStringLiteral("h.strFromInvNameNumber"), linkedNumber()),
                                   linkedNumber(), kindIs(QStringLiteral("n"), DocumentKinds::kPastDue),
                                   listed(QStringLiteral("n")), owesSomething(QStringLiteral("n")));
    return QStringLiteral("NOT %1 AND NOT %2").arg(stored, later);
}

/// The latest notice of an invoice row, the notice itself for a notice row.
QString noticeNumber()
{
    return QStringLiteral(
               "CASE WHEN %1 THEN (SELECT MAX(n.intInvNumber) FROM tblInvHeader n WHERE %2 AND %3 AND %4) "
               "ELSE h.intInvNumber END")
        .arg(kindIs(QStringLiteral("h"), DocumentKinds::kInvoice), kindIs(QStringLiteral("n"), DocumentKinds::kPastDue),
             PastDueLink::linkNamesInvoiceSql(QStringLiteral("n.strFromInvNameNumber"), QStringLiteral("h.intInvNumber")),
             listed(QStringLiteral("n")));
}

QString customerText()
{
    return ReceivablesIndexes::customerShown(QStringLiteral("h."));
}

/// Invoice rows whose latest notice's number starts with the search: the notices are
/// few, so they are grouped once per statement, not looked up for every row.
QString latestNoticeStartsWith()
{
    return QStringLiteral(
               "(%1 AND '%2' || h.intInvNumber IN (SELECT UPPER(n.strFromInvNameNumber) FROM tblInvHeader n WHERE %3 "
               "AND %4 GROUP BY UPPER(n.strFromInvNameNumber) HAVING CAST(MAX(n.intInvNumber) AS TEXT) LIKE ?%5 "
               "ESCAPE '\\'))")
        .arg(kindIs(QStringLiteral("h"), DocumentKinds::kInvoice), DocumentKinds::kInvoice.toUpper() + QLatin1Char(' '),
             kindIs(QStringLiteral("n"), DocumentKinds::kPastDue), listed(QStringLiteral("n")))
        .arg(kStartsWith);
}

QString searchTerm(const QString &search)
{
    const QString trimmed = search.trimmed();
    if (trimmed.isEmpty())
        return {};
    // Folding maps letters to letters: a search of ASCII digits and marks (a number)
    // compares the customer as stored, which saves folding every name it passes.
    const bool plain = std::all_of(trimmed.cbegin(), trimmed.cend(),
                                   [](QChar c) { return c.unicode() < 0x80 && !c.isLetter(); });
    const QString customer = plain ? customerText() : QStringLiteral("fold(%1)").arg(customerText());
    return QStringLiteral(" AND (%1 LIKE ?%2 ESCAPE '\\' OR CAST(h.intInvNumber AS TEXT) LIKE ?%3 ESCAPE '\\' OR %4)")
        .arg(customer)
        .arg(kContains)
        .arg(kStartsWith)
        .arg(latestNoticeStartsWith());
}

/// The list's rows with \a columns, from the two partial indexes that hold them:
/// what is owed, and the credits of documents marked paid.
QString listRows(const QString &columns, const QString &condition, const QString &candidates = {})
{
    const QString kinds = QStringLiteral(" AND UPPER(h.strInvName) IN (%1, %2)")
                              .arg(upper(DocumentKinds::kInvoice), upper(DocumentKinds::kPastDue));
    // Each half states only what its index does not: the rest is implied by the
    // index's own condition, so a scan reads the index alone. The search comes
    // before the amounts, which are read only for the rows it keeps.
    // Something owed also says the amount reads.
    const QString row = QStringLiteral(" AND %1 AND (%2 OR (%3))")
                            .arg(owesSomething(QStringLiteral("h")), kindIs(QStringLiteral("h"), DocumentKinds::kInvoice),
                                 noticeStandsAlone());
    // What is owed is walked in due order, or, for a search that keeps few rows, read
    // from the candidates it names and sorted.
    const QString owed = candidates.isEmpty()
                             ? QStringLiteral("tblInvHeader h INDEXED BY idxInvHeaderUnpaidDue WHERE ")
                             : QStringLiteral("tblInvHeader h NOT INDEXED WHERE h.intInvDataHeaderID IN (%1) AND ").arg(candidates);
    return QStringLiteral("SELECT %1 FROM %5h.strPaidInFull = '0' AND h.strRecurring = '0'%2%3%4 UNION ALL SELECT %1 "
                          "FROM tblInvHeader h INDEXED BY idxInvHeaderCredit WHERE h.strInvTotal LIKE '-%' AND "
                          "h.strRecurring = '0' AND h.strPaidInFull <> '0'%2%3%4")
        .arg(columns, kinds, condition, row, owed);
}

/// The rows a search can keep, when it keeps few: those of the customers \a names
/// (bound as a JSON list), the numbers in \a numbers, and invoices with a notice
/// whose number starts with the search. A superset: the search itself still decides.
QString candidateRows(const QList<std::pair<qint64, qint64>> &numbers)
{
    QStringList parts{
        QStringLiteral("SELECT c.intInvDataHeaderID FROM tblInvHeader c WHERE c.strPaidInFull = '0' AND c.strRecurring = '0' AND "
                       "%1 IN (SELECT value FROM json_each(?%2))")
            .arg(ReceivablesIndexes::customerShown(QStringLiteral("c.")))
            .arg(kNames),
        QStringLiteral("SELECT c.intInvDataHeaderID FROM tblInvHeader c WHERE c.intInvNumber IN (SELECT CAST(substr("
                       "n.strFromInvNameNumber, %1) AS INTEGER) FROM tblInvHeader n WHERE %2 AND "
                       "CAST(n.intInvNumber AS TEXT) LIKE ?%3 ESCAPE '\\')")
            .arg(DocumentKinds::kInvoice.size() + 2)
            .arg(kindIs(QStringLiteral("n"), DocumentKinds::kPastDue))
            .arg(kStartsWith)};
    for (const auto &[first, last] : numbers)
        parts << QStringLiteral("SELECT c.intInvDataHeaderID FROM tblInvHeader c WHERE c.intInvNumber BETWEEN %1 AND %2").arg(first).arg(last);
    return parts.join(QStringLiteral(" UNION "));
}

/// The columns a list order sorts by, each ascending or not.
struct SortTerm
{
    QString column;
    int parameterAfter;
    int parameterBefore;
    bool ascending;
};

QList<SortTerm> sortTerms(Pages::Order order)
{
    const SortTerm due{QStringLiteral("h.strDueDateStored"), kDueAfter, kDueBefore, true};
    const SortTerm number{QStringLiteral("h.intInvNumber"), kNumberAfter, kNumberBefore, true};
    switch (order) {
    case Pages::Order::DueDate: return {due, number};
    case Pages::Order::DueDateDescending: return {{due.column, kDueAfter, kDueBefore, false}, number};
    case Pages::Order::Number: return {number};
    case Pages::Order::NumberDescending: return {{number.column, kNumberAfter, kNumberBefore, false}};
    }
    return {due, number};
}

/// The rows that list after (or, \a before, ahead of) the key bound to the terms'
/// parameters.
QString beyond(const QList<SortTerm> &terms, bool before)
{
    const auto parameter = [before](const SortTerm &t) { return QStringLiteral("?%1").arg(before ? t.parameterBefore : t.parameterAfter); };
    const auto beyondOne = [before](const SortTerm &t) { return QLatin1String(t.ascending != before ? " > " : " < "); };
    if (std::all_of(terms.cbegin(), terms.cend(), [&terms](const SortTerm &t) { return t.ascending == terms.first().ascending; })) {
        // One comparison of the whole key, which the index's range serves.
        QStringList columns, parameters;
        for (const SortTerm &t : terms) {
            columns << t.column;
            parameters << parameter(t);
        }
        return QStringLiteral(" AND (%1)%2(%3)").arg(columns.join(QLatin1Char(',')), beyondOne(terms.first()),
                                                     parameters.join(QLatin1Char(',')));
    }
    // The first column bounds the range; the rest decide among rows equal in it.
    const SortTerm &first = terms.first();
    QStringList alternatives;
    QString equal;
    for (const SortTerm &t : terms) {
        alternatives << equal + t.column + beyondOne(t) + parameter(t);
        equal += t.column + QStringLiteral(" = ") + parameter(t) + QStringLiteral(" AND ");
    }
    return QStringLiteral(" AND %1%2 %3 AND (%4)")
        .arg(first.column, QLatin1String(first.ascending != before ? " >=" : " <="), parameter(first),
             alternatives.join(QStringLiteral(" OR ")));
}

/// The rows after the head and before the tail, those nearest \a side first.
QString pageSql(const QString &search, Pages::Order order, bool afterHead, bool beforeTail, bool backwards,
                const std::optional<Pages::Candidates> &candidates)
{
    const QString columns = QStringLiteral(
                                "h.strDueDateStored, h.intInvNumber, h.strInvDate, %1, h.intCustomerID, h.dbPaidAmount, "
                                "h.strInvTotal, COALESCE(%2, 0)")
                                .arg(customerText(), noticeNumber());
    const QList<SortTerm> terms = sortTerms(order);
    QString condition = searchTerm(search);
    if (afterHead)
        condition += beyond(terms, false);
    if (beforeTail)
        condition += beyond(terms, true);
    // Backwards walks the same index from its end.
    QStringList sortedBy;
    for (const SortTerm &t : terms)
        sortedBy << (t.column == QLatin1String("h.intInvNumber") ? QStringLiteral("2") : QStringLiteral("1"))
                        + QLatin1String(t.ascending != backwards ? "" : " DESC");
    QString sql = listRows(columns, condition, candidates ? candidateRows(candidates->numbers) : QString());
    if (order == Pages::Order::Number || order == Pages::Order::NumberDescending)
        sql.replace(QStringLiteral("INDEXED BY idxInvHeaderUnpaidDue"), QStringLiteral("INDEXED BY idxInvHeaderNumber"));
    return sql + QStringLiteral(" ORDER BY ") + sortedBy.join(QStringLiteral(", ")) + QStringLiteral(" LIMIT ?%1").arg(kLimit);
}

/// The number ranges whose decimal digits start with \a digits; nothing when numbers
/// other than these could start so (a sign, a leading zero) or when too many do.
std::optional<QList<std::pair<qint64, qint64>>> numbersStartingWith(const QString &digits)
{
    QList<std::pair<qint64, qint64>> ranges;
    if (!std::all_of(digits.cbegin(), digits.cend(), [](QChar c) { return c.isDigit() && c.unicode() < 0x80; }))
        return digits.contains(QLatin1Char('-')) ? std::nullopt : std::optional(ranges);
    constexpr int kFewestDigits = 3; // shorter ones start a tenth of all numbers or more
    if (digits.size() < kFewestDigits || digits.size() > 10 || digits.startsWith(QLatin1Char('0')))
        return std::nullopt;
    const qint64 largest = std::numeric_limits<qint32>::max();
    qint64 first = digits.toLongLong();
    for (qint64 span = 1; first <= largest; span *= 10, first *= 10)
        ranges.append({first, std::min(largest, first + span - 1)});
    return ranges;
}

void bindSearch(Statement &q, const QString &search)
{
    const QString folded = search.trimmed();
    if (folded.isEmpty())
        return;
    const QString startsWith = TextSearch::prefixPattern(folded);
    q.bind(kContains, QLatin1Char('%') + startsWith);
    q.bind(kStartsWith, startsWith);
}

QDate dateOf(const QString &text)
{
    return StoredForm::readDate(text).value_or(QDate());
}

} // namespace

Pages::Pages(Connect connect, QDate today, QString search, Plan plan, Order order)
    : m_connect(std::move(connect))
    , m_today(today)
    , m_search(std::move(search))
    , m_order(order)
{
    const auto db = m_connect();
    if (plan != Plan::WalkByDueDate && !m_search.trimmed().isEmpty())
        m_candidates = candidatesOf(*db, m_search, plan == Plan::Candidates);
    read(*db, Side::AfterHead, kPageRows);
}

std::optional<Pages::Candidates> Pages::candidatesOf(Database &db, const QString &search, bool always)
{
    const QString folded = search.trimmed().toCaseFolded();
    std::optional<QList<std::pair<qint64, qint64>>> numbers = numbersStartingWith(folded);
    if (!numbers) {
        if (!always)
            return std::nullopt;
        // Every number that could start so.
        numbers = QList<std::pair<qint64, qint64>>{{std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max()}};
    }
    // Each customer owing, one index step apiece.
    const QString name = ReceivablesIndexes::customerShown(QStringLiteral("h."));
    const QString owing = QStringLiteral("h.strPaidInFull = '0' AND h.strRecurring = '0'");
    Statement q = db.prepare(QStringLiteral(
                                 "WITH RECURSIVE names(name) AS (SELECT MIN(%1) FROM tblInvHeader h WHERE %2 UNION ALL "
                                 "SELECT (SELECT MIN(%1) FROM tblInvHeader h WHERE %2 AND %1 > names.name) FROM names "
                                 "WHERE name IS NOT NULL) SELECT name FROM names WHERE name IS NOT NULL")
                                 .arg(name, owing));
    int customers = 0;
    QJsonArray kept;
    while (q.step()) {
        ++customers;
        const QString customer = q.textAt(0);
        if (customer.toCaseFolded().contains(folded))
            kept.append(customer);
    }
    // A search that keeps many customers fills a page soon enough in due order.
    constexpr int kFewCustomers = 20; // one in twenty
    if (!always && kept.size() * kFewCustomers > customers)
        return std::nullopt;
    return Candidates{QString::fromUtf8(QJsonDocument(kept).toJson(QJsonDocument::Compact)), *numbers};
}

void Pages::readMore(int rows)
{
    if (!m_complete)
        read(*m_connect(), Side::AfterHead, rows);
}

void Pages::readLast(int rows)
{
    if (!endRead())
        read(*m_connect(), Side::BeforeTail, rows);
}

void Pages::readBeforeTail(int rows)
{
    if (!m_complete)
        read(*m_connect(), Side::BeforeTail, rows);
}

void Pages::readAll()
{
    if (!m_complete)
        read(*m_connect(), Side::AfterHead, std::numeric_limits<int>::max());
}

void Pages::read(Database &db, Side side, int limit)
{
    const bool afterHead = m_headRows > 0;
    const bool beforeTail = m_headRows < m_rows.size();
    const bool backwards = side == Side::BeforeTail;
    Statement q = db.prepare(pageSql(m_search, m_order, afterHead, beforeTail, backwards, m_candidates));
    bindSearch(q, m_search);
    // Only the parameters the order names: an engine refuses one it is not asked for.
    const bool byDue = m_order == Order::DueDate || m_order == Order::DueDateDescending;
    if (afterHead) {
        if (byDue)
            q.bind(kDueAfter, m_headLastDue);
        q.bind(kNumberAfter, m_rows.at(m_headRows - 1).invoiceNumber);
    }
    if (beforeTail) {
        if (byDue)
            q.bind(kDueBefore, m_tailFirstDue);
        q.bind(kNumberBefore, m_rows.at(m_headRows).invoiceNumber);
    }
    q.bind(kLimit, limit);
    if (m_candidates)
        q.bind(kNames, m_candidates->names);
    QList<Row> page;
    QString due;
    while (q.step()) {
        Row row;
        due = q.textAt(0);
        row.dueDate = dateOf(due);
        row.invoiceNumber = q.intAt(1);
        row.date = dateOf(q.textAt(2));
        row.customer = q.textAt(3);
        row.customerId = q.int64At(4);
        row.paid = q.doubleAt(5);
        // The statement kept only amounts that read.
        row.balance = StoredForm::readAmount(q.textAt(6)).value_or(0);
        row.noticeNumber = q.intAt(7);
        row.settle(m_today);
        page.append(std::move(row));
    }
    const int read = int(page.size());
    if (backwards) {
        std::reverse(page.begin(), page.end());
        if (read > 0)
            m_tailFirstDue = due;
    } else if (read > 0) {
        m_headLastDue = due;
    }
    m_rows.insert(m_headRows, page.size(), Row());
    std::move(page.begin(), page.end(), m_rows.begin() + m_headRows);
    if (!backwards)
        m_headRows += read;
    // A short page reached the other side of the gap, or the end.
    m_complete = read < limit;
    if (m_complete)
        m_headRows = int(m_rows.size());
}

QString figuresSql(const QString &search, FiguresRows rows)
{
    // Only what the sums need: the customer is made into text by the caller, and only
    // where it tells customers apart or is shown; the amount is read there too.
    const QString columns = QStringLiteral(
        "SELECT h.strDueDateStored, h.intInvNumber, h.intCustomerID, h.strCustCmpnyName, h.strCustFullName, "
        "h.strInvTotal FROM ");
    // Most rows walked are of other kinds. The kinds as the program spells them are
    // told by one comparison; any other spelling by LIKE, which folds ASCII letters as
    // UPPER does on both engines, without making a new text per row. Notices add a
    // debt only when their invoice is gone, and are listed when their amount does not read.
    const QString notice = QStringLiteral("(stored_amount(h.strInvTotal) IS NULL OR (%1))").arg(noticeStandsAlone());
    const QString kept =
        QStringLiteral(" AND CASE h.strInvName WHEN '%1' THEN TRUE WHEN '%2' THEN %3 WHEN '%4' THEN FALSE WHEN '%5' "
                       "THEN FALSE WHEN '%6' THEN FALSE WHEN '%7' THEN FALSE ELSE h.strInvName LIKE '%1' OR "
                       "(h.strInvName LIKE '%2' AND %3) END%8")
            .arg(DocumentKinds::kInvoice, DocumentKinds::kPastDue, notice, DocumentKinds::kEstimate,
                 DocumentKinds::kWorkOrder, DocumentKinds::kChangeOrder, DocumentKinds::kCredit, searchTerm(search));
    const QString owed = columns
        + QStringLiteral("tblInvHeader h INDEXED BY idxInvHeaderUnpaidDue WHERE h.strPaidInFull = '0' AND "
                         "h.strRecurring = '0'")
        + kept;
    const QString credits = columns
        + QStringLiteral("tblInvHeader h INDEXED BY idxInvHeaderCredit WHERE h.strInvTotal LIKE '-%' AND "
                         "h.strRecurring = '0' AND h.strPaidInFull <> '0'")
        + kept;
    switch (rows) {
    case FiguresRows::OwedFromStart: return owed + QStringLiteral(" ORDER BY h.strDueDateStored, h.intInvNumber");
    case FiguresRows::OwedFromEnd:
        return owed + QStringLiteral(" ORDER BY h.strDueDateStored DESC, h.intInvNumber DESC");
    case FiguresRows::Credits: return credits;
    case FiguresRows::All: break;
    }
    return owed + QStringLiteral(" UNION ALL ") + credits;
}

void bindFiguresSearch(Statement &q, const QString &search)
{
    bindSearch(q, search);
}

} // namespace Receivables
