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
#include <map>

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
constexpr int kToday = 9;        // the stored dates the ages turn at
constexpr int kDue30DaysAgo = 10;
constexpr int kDue60DaysAgo = 11;
constexpr int kDue90DaysAgo = 12;
constexpr int kDateAfter = 13;   // the document dates beside the gap, as kDueAfter
constexpr int kDateBefore = 14;
constexpr int kCustomers = 15;   // the names of customers the collation puts level, as a JSON list

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

/// Where rows of the list are read from.
enum class Half {
    OwedByDue,    // not paid in full, walked in due order (or the rows a search names)
    OwedByNumber, // the same, walked in number order
    OwedByDate,   // the same, walked in document date order
    OwedByCustomer, // the same, by customer, then due
    PaidCredits,  // credits of documents marked paid
    Credits,      // every credit, paid or not
};

/// The list's rows of \a half with \a columns that meet \a condition.
QString halfRows(Half half, const QString &columns, const QString &condition, const QString &candidates)
{
    const QString kinds = QStringLiteral(" AND ") + ReceivablesIndexes::listedKinds(QStringLiteral("h."));
    // Each half states only what its index does not: the rest is implied by the
    // index's own condition, so a scan reads the index alone. The search comes
    // before the amounts, which are read only for the rows it keeps.
    // Something owed also says the amount reads.
    const QString row = QStringLiteral(" AND %1 AND (%2 OR (%3))")
                            .arg(owesSomething(QStringLiteral("h")), kindIs(QStringLiteral("h"), DocumentKinds::kInvoice),
                                 noticeStandsAlone());
    QString from;
    switch (half) {
    case Half::OwedByDue:
    case Half::OwedByNumber:
    case Half::OwedByDate:
    case Half::OwedByCustomer:
        // What is owed is walked in order, or, for a search that keeps few rows, read
        // from the candidates it names and sorted.
        from = !candidates.isEmpty()
                   ? QStringLiteral("tblInvHeader h NOT INDEXED WHERE h.intInvDataHeaderID IN (%1) AND ").arg(candidates)
                   : QStringLiteral("tblInvHeader h INDEXED BY %1 WHERE ")
                         .arg(half == Half::OwedByDue        ? QStringLiteral("idxInvHeaderOwedDue")
                              : half == Half::OwedByDate     ? QStringLiteral("idxInvHeaderOwedDate")
                              : half == Half::OwedByCustomer ? QStringLiteral("idxInvHeaderUnpaidCustomer")
                                                             : QStringLiteral("idxInvHeaderNumber"));
        from += QStringLiteral("h.strPaidInFull = '0' AND h.strRecurring = '0'");
        break;
    case Half::PaidCredits:
    case Half::Credits:
        from = QStringLiteral("tblInvHeader h INDEXED BY idxInvHeaderCredit WHERE h.strInvTotal LIKE '-%' AND "
                              "h.strRecurring = '0'");
        if (half == Half::PaidCredits)
            from += QStringLiteral(" AND h.strPaidInFull <> '0'");
        break;
    }
    return QStringLiteral("SELECT %1 FROM %2%3%4%5").arg(columns, from, kinds, condition, row);
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

/// Rows of the list that sort together: those of its parts, each a half with a
/// condition of its own, merged by the terms.
struct Segment
{
    QList<std::pair<Half, QString>> parts;
    QList<SortTerm> terms;
    /// The texts the conditions name, by parameter.
    QList<std::pair<int, QString>> bound;
};

const QString kDue = QStringLiteral("h.strDueDateStored");
const QString kDate = QStringLiteral("h.strInvDate");

/// A part of what is owed whose due date meets \a dueCondition.
std::pair<Half, QString> owedDue(const QString &dueCondition)
{
    return {Half::OwedByDue, QStringLiteral(" AND h.strInvTotal NOT LIKE '-%' AND ") + dueCondition};
}

/// \a order as stretches, each read in one index order: days overdue and age follow
/// from the due date piecewise, and a credit is 0 days overdue, not yet due. By
/// customer, each stretch is one of \a customerGroups.
QList<Segment> segmentsOf(Pages::Order order, QDate today, const QStringList &customerGroups)
{
    using Order = Pages::Order;
    const SortTerm due{kDue, kDueAfter, kDueBefore, true};
    const SortTerm latestDue{kDue, kDueAfter, kDueBefore, false};
    const SortTerm number{QStringLiteral("h.intInvNumber"), kNumberAfter, kNumberBefore, true};
    // The stored due dates the ages turn at, by parameter.
    const std::map<int, QString> turns = {{kToday, StoredForm::dateText(today)},
                                          {kDue30DaysAgo, StoredForm::dateText(today.addDays(-30))},
                                          {kDue60DaysAgo, StoredForm::dateText(today.addDays(-60))},
                                          {kDue90DaysAgo, StoredForm::dateText(today.addDays(-90))}};
    const auto dates = [&turns](std::initializer_list<int> parameters) {
        QList<std::pair<int, QString>> bound;
        for (const int parameter : parameters)
            bound.append({parameter, turns.at(parameter)});
        return bound;
    };
    // What is owed due from one turn (none: any due date) to before another.
    const auto owedBetween = [&](int from, int before, const SortTerm &byDue) {
        QString range = QStringLiteral("h.strDueDateStored < ?%1").arg(before);
        range += from != 0 ? QStringLiteral(" AND h.strDueDateStored >= ?%1").arg(from)
                           : QStringLiteral(" AND h.strDueDateStored > ''");
        return Segment{{owedDue(range)}, {byDue, number}, from != 0 ? dates({from, before}) : dates({before})};
    };
    const std::pair<Half, QString> credits{Half::Credits, {}};
    const std::pair<Half, QString> noDueDate = owedDue(QStringLiteral("h.strDueDateStored = ''"));
    // 0 days overdue: due today, no due date, or a credit.
    const Segment onTime{{noDueDate, owedDue(QStringLiteral("h.strDueDateStored = ?%1").arg(kToday)), credits},
                         {due, number}, dates({kToday})};
    const auto notDueYet = [&](const SortTerm &byDue) {
        return Segment{{owedDue(QStringLiteral("h.strDueDateStored > ?%1").arg(kToday))}, {byDue, number}, dates({kToday})};
    };
    switch (order) {
    case Order::DueDate: return {{{{Half::OwedByDue, {}}, {Half::PaidCredits, {}}}, {due, number}, {}}};
    case Order::DueDateDescending:
        return {{{{Half::OwedByDue, {}}, {Half::PaidCredits, {}}}, {latestDue, number}, {}}};
    case Order::Number: return {{{{Half::OwedByNumber, {}}, {Half::PaidCredits, {}}}, {number}, {}}};
    case Order::NumberDescending:
        return {{{{Half::OwedByNumber, {}}, {Half::PaidCredits, {}}},
                 {{number.column, kNumberAfter, kNumberBefore, false}},
                 {}}};
    case Order::Customer:
    case Order::CustomerDescending: {
        const QString named = QStringLiteral(" AND %1 IN (SELECT value FROM json_each(?%2))").arg(customerText()).arg(kCustomers);
        QList<Segment> groups;
        for (const QString &names : customerGroups)
            groups.append({{{Half::OwedByCustomer, named}, {Half::PaidCredits, named}}, {due, number}, {{kCustomers, names}}});
        if (order == Order::CustomerDescending)
            std::reverse(groups.begin(), groups.end());
        return groups;
    }
    case Order::Date:
    case Order::DateDescending:
        return {{{{Half::OwedByDate, {}}, {Half::PaidCredits, {}}},
                 {{kDate, kDateAfter, kDateBefore, order == Order::Date}, due, number},
                 {}}};
    // The fewest days overdue are due latest; rows of equal days keep the oldest due
    // first, so the stretches sorted the other way are read due ascending.
    case Order::DaysOverdue: return {notDueYet(latestDue), onTime, owedBetween(0, kToday, latestDue)};
    case Order::DaysOverdueDescending: return {owedBetween(0, kToday, due), onTime, notDueYet(due)};
    case Order::Age:
    case Order::AgeDescending: {
        QList<Segment> buckets{
            {{noDueDate, owedDue(QStringLiteral("h.strDueDateStored >= ?%1").arg(kToday)), credits}, {due, number},
             dates({kToday})},
            owedBetween(kDue30DaysAgo, kToday, due), owedBetween(kDue60DaysAgo, kDue30DaysAgo, due),
            owedBetween(kDue90DaysAgo, kDue60DaysAgo, due), owedBetween(0, kDue90DaysAgo, due)};
        if (order == Order::AgeDescending)
            std::reverse(buckets.begin(), buckets.end());
        return buckets;
    }
    }
    return {};
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

/// The rows of \a segment after the head and before the tail, those nearest the side
/// read from first.
QString pageSql(const QString &search, const Segment &segment, bool afterHead, bool beforeTail, bool backwards,
                const std::optional<Pages::Candidates> &candidates)
{
    const QString columns = QStringLiteral(
                                "h.strDueDateStored, h.intInvNumber, h.strInvDate, %1, h.intCustomerID, h.dbPaidAmount, "
                                "h.strInvTotal, COALESCE(%2, 0)")
                                .arg(customerText(), noticeNumber());
    QString condition = searchTerm(search);
    if (afterHead)
        condition += beyond(segment.terms, false);
    if (beforeTail)
        condition += beyond(segment.terms, true);
    const QString named = candidates ? candidateRows(candidates->numbers) : QString();
    QStringList parts;
    for (const auto &[half, partCondition] : segment.parts)
        parts << halfRows(half, columns, condition + partCondition, named);
    // By column position, which means the same in every part. Backwards walks the
    // same indexes from their end.
    QStringList sortedBy;
    for (const SortTerm &t : segment.terms)
        sortedBy << (t.column == kDue ? QStringLiteral("1") : t.column == kDate ? QStringLiteral("3") : QStringLiteral("2"))
                        + QLatin1String(t.ascending != backwards ? "" : " DESC");
    return parts.join(QStringLiteral(" UNION ALL ")) + QStringLiteral(" ORDER BY ") + sortedBy.join(QStringLiteral(", "))
        + QStringLiteral(" LIMIT ?%1").arg(kLimit);
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

/// Each customer of a document not paid in full, one index step apiece.
QStringList customersOwing(Database &db)
{
    const QString name = customerText();
    const QString owing = QStringLiteral("h.strPaidInFull = '0' AND h.strRecurring = '0'");
    Statement q = db.prepare(QStringLiteral(
                                 "WITH RECURSIVE names(name) AS (SELECT MIN(%1) FROM tblInvHeader h WHERE %2 UNION ALL "
                                 "SELECT (SELECT MIN(%1) FROM tblInvHeader h WHERE %2 AND %1 > names.name) FROM names "
                                 "WHERE name IS NOT NULL) SELECT name FROM names WHERE name IS NOT NULL")
                                 .arg(name, owing));
    QStringList names;
    while (q.step())
        names.append(q.textAt(0));
    return names;
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
    // Read once for whichever needs it: a search's candidates, the customer order.
    std::optional<QStringList> owing;
    const Owing customersOwingOnce = [&]() -> const QStringList & {
        if (!owing)
            owing = customersOwing(*db);
        return *owing;
    };
    if (plan != Plan::WalkByDueDate && !m_search.trimmed().isEmpty())
        m_candidates = candidatesOf(m_search, plan == Plan::Candidates, customersOwingOnce);
    if (m_order == Order::Customer || m_order == Order::CustomerDescending)
        m_customerGroups = customerGroups(*db, customersOwingOnce,
                                          onlyNames(m_search) ? m_search.trimmed().toCaseFolded() : QString());
    read(*db, Side::AfterHead, kPageRows);
}

bool Pages::onlyNames(const QString &search)
{
    // A number's text holds digits and a sign only.
    const QString trimmed = search.trimmed();
    return std::any_of(trimmed.cbegin(), trimmed.cend(),
                       [](QChar c) { return c != QLatin1Char('-') && !(c.isDigit() && c.unicode() < 0x80); });
}

QStringList Pages::customerGroups(Database &db, const Owing &owing, const QString &containing)
{
    QStringList names = owing();
    // The credits of documents marked paid are few: read whole.
    Statement credits = db.prepare(halfRows(Half::PaidCredits, QStringLiteral("DISTINCT %1").arg(customerText()), {}, {}));
    while (credits.step())
        names.append(credits.textAt(0));
    // The collation compares names made alike in case, as the list's own sort does;
    // each name is folded once.
    QList<std::pair<QString, QString>> folded;
    folded.reserve(names.size());
    for (const QString &name : std::as_const(names)) {
        QString alike = name.toCaseFolded();
        if (alike.contains(containing))
            folded.append({std::move(alike), name});
    }
    std::sort(folded.begin(), folded.end(),
              [](const auto &a, const auto &b) { return QString::localeAwareCompare(a.first, b.first) < 0; });
    QStringList groups;
    QJsonArray group;
    for (qsizetype i = 0; i < folded.size(); ++i) {
        if (i > 0 && QString::localeAwareCompare(folded.at(i - 1).first, folded.at(i).first) != 0) {
            groups.append(QString::fromUtf8(QJsonDocument(group).toJson(QJsonDocument::Compact)));
            group = QJsonArray();
        }
        if (!group.contains(folded.at(i).second))
            group.append(folded.at(i).second);
    }
    if (!group.isEmpty())
        groups.append(QString::fromUtf8(QJsonDocument(group).toJson(QJsonDocument::Compact)));
    return groups;
}

std::optional<Pages::Candidates> Pages::candidatesOf(const QString &search, bool always, const Owing &owing)
{
    const QString folded = search.trimmed().toCaseFolded();
    std::optional<QList<std::pair<qint64, qint64>>> numbers = numbersStartingWith(folded);
    if (!numbers) {
        if (!always)
            return std::nullopt;
        // Every number that could start so.
        numbers = QList<std::pair<qint64, qint64>>{{std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max()}};
    }
    const qsizetype customers = owing().size();
    QJsonArray kept;
    for (const QString &customer : owing()) {
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
    const QList<Segment> segments = segmentsOf(m_order, m_today, m_customerGroups);
    if (segments.isEmpty()) {
        m_complete = true;
        return;
    }
    const bool headRead = m_headRows > 0;
    const bool tailRead = m_headRows < m_rows.size();
    const bool backwards = side == Side::BeforeTail;
    // The head reads on up to the tail's stretch, the tail back to the head's.
    const int step = backwards ? -1 : 1;
    const int last = backwards ? (headRead ? m_headLast.segment : 0)
                               : (tailRead ? m_tailFirst.segment : int(segments.size()) - 1);
    QList<Row> page;
    StoredKey key; // of the last row read
    int segment = backwards ? (tailRead ? m_tailFirst.segment : int(segments.size()) - 1) : m_headLast.segment;
    for (;; segment += step) {
        const Segment &stretch = segments.at(segment);
        const bool afterHead = headRead && segment == m_headLast.segment;
        const bool beforeTail = tailRead && segment == m_tailFirst.segment;
        Statement q = db.prepare(pageSql(m_search, stretch, afterHead, beforeTail, backwards, m_candidates));
        bindSearch(q, m_search);
        // Only the parameters the statement names: an engine refuses one it is not asked for.
        const auto sortsBy = [&stretch](const QString &column) {
            return std::any_of(stretch.terms.cbegin(), stretch.terms.cend(),
                               [&column](const SortTerm &t) { return t.column == column; });
        };
        if (afterHead) {
            if (sortsBy(kDue))
                q.bind(kDueAfter, m_headLast.due);
            if (sortsBy(kDate))
                q.bind(kDateAfter, m_headLast.date);
            q.bind(kNumberAfter, m_rows.at(m_headRows - 1).invoiceNumber);
        }
        if (beforeTail) {
            if (sortsBy(kDue))
                q.bind(kDueBefore, m_tailFirst.due);
            if (sortsBy(kDate))
                q.bind(kDateBefore, m_tailFirst.date);
            q.bind(kNumberBefore, m_rows.at(m_headRows).invoiceNumber);
        }
        for (const auto &[parameter, text] : stretch.bound)
            q.bind(parameter, text);
        q.bind(kLimit, limit - int(page.size()));
        if (m_candidates)
            q.bind(kNames, m_candidates->names);
        while (q.step()) {
            Row row;
            key = {segment, q.textAt(0), q.textAt(2)};
            row.dueDate = dateOf(key.due);
            row.invoiceNumber = q.intAt(1);
            row.date = dateOf(key.date);
            row.customer = q.textAt(3);
            row.customerId = q.int64At(4);
            row.paid = q.doubleAt(5);
            // The statement kept only amounts that read.
            row.balance = StoredForm::readAmount(q.textAt(6)).value_or(0);
            row.noticeNumber = q.intAt(7);
            row.settle(m_today);
            page.append(std::move(row));
        }
        if (page.size() >= limit || segment == last)
            break;
    }
    const int read = int(page.size());
    if (backwards) {
        std::reverse(page.begin(), page.end());
        if (read > 0)
            m_tailFirst = key;
    } else if (read > 0) {
        m_headLast = key;
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
    // The kinds as the program spells them are told by one comparison; any other
    // spelling by LIKE, which folds ASCII letters as UPPER does on both engines, without
    // making a new text per row. The owed rows' index holds the listed kinds alone, and
    // states them as the statement must for the engine to read through it. Notices add
    // a debt only when their invoice is gone, and are listed when their amount does not read.
    const QString notice = QStringLiteral("(stored_amount(h.strInvTotal) IS NULL OR (%1))").arg(noticeStandsAlone());
    const QString kept =
        QStringLiteral(" AND CASE h.strInvName WHEN '%1' THEN TRUE WHEN '%2' THEN %3 WHEN '%4' THEN FALSE WHEN '%5' "
                       "THEN FALSE WHEN '%6' THEN FALSE WHEN '%7' THEN FALSE ELSE h.strInvName LIKE '%1' OR "
                       "(h.strInvName LIKE '%2' AND %3) END%8")
            .arg(DocumentKinds::kInvoice, DocumentKinds::kPastDue, notice, DocumentKinds::kEstimate,
                 DocumentKinds::kWorkOrder, DocumentKinds::kChangeOrder, DocumentKinds::kCredit, searchTerm(search));
    const QString owed = columns
        + QStringLiteral("tblInvHeader h INDEXED BY idxInvHeaderOwedDue WHERE h.strPaidInFull = '0' AND "
                         "h.strRecurring = '0' AND %1")
              .arg(ReceivablesIndexes::listedKinds(QStringLiteral("h.")))
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
