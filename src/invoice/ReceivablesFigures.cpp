#include "ReceivablesFigures.h"

#include "Money.h"
#include "ProgressJobs.h"

#include <QScopeGuard>
#include <atomic>
#include <exception>
#include <string_view>
#include <thread>

namespace Receivables {

namespace {

/// Whether the figures are still wanted, asked every so many rows; once one reading
/// hears no, every reading stops.
class Asking
{
public:
    explicit Asking(const std::function<bool()> &wanted)
        : m_wanted(wanted)
    {
    }

    /// After each row read.
    [[nodiscard]] bool stillWanted(int &rows)
    {
        constexpr int kRowsBetweenAsks = 256;
        if (m_givenUp.load(std::memory_order_relaxed))
            return false;
        if (++rows % kRowsBetweenAsks == 0 && !m_wanted()) {
            giveUp();
            return false;
        }
        return true;
    }
    void giveUp() { m_givenUp = true; }
    [[nodiscard]] bool givenUp() const { return m_givenUp; }

private:
    const std::function<bool()> &m_wanted;
    std::atomic<bool> m_givenUp = false;
};

/// Sums every row \a q reads; false when given up.
bool sumAll(Statement &q, FigureSums &sums, Asking &asking)
{
    for (int rows = 0; q.step();) {
        sums.add(q.bytesAt(0), q.intAt(1), q.int64At(2), q.bytesAt(3), q.bytesAt(4), q.bytesAt(5));
        if (!asking.stillWanted(rows))
            return false;
    }
    return true;
}

bool sumRows(Database &db, const QString &search, FiguresRows rows, FigureSums &sums, Asking &asking)
{
    Statement q = db.prepare(figuresSql(search, rows));
    bindFiguresSearch(q, search);
    return sumAll(q, sums, asking);
}

/// Retainage is owed once the job ends whatever its bills' balances, so a customer the
/// search names shows it even with nothing due now.
void addRetainage(const QList<ProgressJobs::RetainageHeld> &retainage, const QString &search, FigureSums &sums)
{
    const QString folded = search.trimmed().toCaseFolded();
    for (const ProgressJobs::RetainageHeld &held : retainage) {
        const QString name = customerText(held.company, held.name);
        if (folded.isEmpty() || name.toCaseFolded().contains(folded))
            sums.addRetainage(held.customerId, name, Money::toCents(held.amount).value_or(0));
    }
}

/// A read transaction: what its connection reads in it is one state of the file.
class ReadTransaction
{
public:
    explicit ReadTransaction(Database &db)
        : m_db(db)
    {
        m_db.exec(QStringLiteral("BEGIN"));
    }
    ReadTransaction(const ReadTransaction &) = delete;
    ReadTransaction &operator=(const ReadTransaction &) = delete;
    ~ReadTransaction()
    {
        if (!m_open)
            return;
        try {
            m_db.exec(QStringLiteral("ROLLBACK"));
        } catch (const DbError &) {
            // Nothing was written; closing the connection ends the transaction too.
        }
    }
    /// Throws DbError.
    void commit()
    {
        m_open = false;
        m_db.exec(QStringLiteral("COMMIT"));
    }

private:
    Database &m_db;
    bool m_open = true;
};

} // namespace

bool Meeting::take(Side side, QByteArrayView due, qint64 number)
{
    const std::string_view dueText(due.data(), std::size_t(due.size()));
    const std::lock_guard lock(m_mutex);
    const Taken &other = m_last[side == FromStart ? FromEnd : FromStart];
    if (other.ended)
        return false;
    if (other.any) {
        // Text in the index's order: its bytes, unsigned.
        const auto row = std::pair(dueText, number);
        const auto theirs = std::pair(std::string_view(other.due), other.number);
        if (side == FromStart ? !(row < theirs) : !(theirs < row))
            return false;
    }
    Taken &mine = m_last[side];
    mine.any = true;
    mine.due.assign(dueText);
    mine.number = number;
    return true;
}

OwedReading::OwedReading(Database &db, QDate today, const QString &search, Meeting::Side side, Meeting &meeting)
    : m_rows(db.prepare(figuresSql(search, side == Meeting::FromStart ? FiguresRows::OwedFromStart
                                                                      : FiguresRows::OwedFromEnd)))
    , m_side(side)
    , m_meeting(meeting)
    , m_sums(today)
{
    bindFiguresSearch(m_rows, search);
}

void Meeting::end(Side side)
{
    const std::lock_guard lock(m_mutex);
    m_last[side].ended = true;
}

bool OwedReading::readNext()
{
    if (!m_rows.step()) {
        m_meeting.end(m_side);
        return false;
    }
    const QByteArray due = m_rows.bytesAt(0);
    const qint64 number = m_rows.int64At(1);
    if (!m_meeting.take(m_side, due, number))
        return false;
    m_sums.add(due, int(number), m_rows.int64At(2), m_rows.bytesAt(3), m_rows.bytesAt(4), m_rows.bytesAt(5));
    return true;
}

Figures figures(const Pages::Connect &connect, QDate today, const QString &search)
{
    return *figuresWhileWanted(connect, today, search, [] { return true; });
}

std::optional<Figures> figuresWhileWanted(const Pages::Connect &connect, QDate today, const QString &search,
                                          const std::function<bool()> &wanted)
{
    // The rows are read from the index that holds them and summed here: grouped in
    // SQL, every row went through the engine's sorter, five times slower at a million
    // documents. The same pass names the documents whose amount does not read.
    Asking asking(wanted);
    const std::unique_ptr<Database> db = connect();
    FigureSums sums(today);
    if (!db->worksInThisProcess()) {
        // The server reads in a process of its own: one statement, and it is done.
        if (!sumRows(*db, search, FiguresRows::All, sums, asking))
            return std::nullopt;
        addRetainage(ProgressJobs::retainageHeldByCustomer(*db), search, sums);
        return sums.figures();
    }
    // Every reading sees one state of the file: this connection reads in a transaction
    // that holds it from before the second reading starts until the two have met, so
    // no commit comes between them.
    std::optional<ReadTransaction> snapshot(std::in_place, *db);
    if (!sumRows(*db, search, FiguresRows::Credits, sums, asking))
        return std::nullopt;
    const QList<ProgressJobs::RetainageHeld> retainage = ProgressJobs::retainageHeldByCustomer(*db);

    // The owed rows, read from both ends at once on two connections, meet wherever the
    // two have come to. Should the second fail, the first reads what it did not take,
    // so the figures stay whole.
    Meeting meeting;
    std::optional<FigureSums> fromEnd;
    std::exception_ptr failed;
    std::jthread second([&] {
        std::unique_ptr<Database> other;
        std::optional<OwedReading> reading;
        try {
            other = connect();
            reading.emplace(*other, today, search, Meeting::FromEnd, meeting);
            for (int rows = 0; reading->readNext() && asking.stillWanted(rows);) {
            }
        } catch (const DbError &) {
        } catch (...) {
            failed = std::current_exception();
            asking.giveUp();
        }
        if (reading)
            fromEnd = reading->sums();
    });
    // Also when this reading fails, the second stops; and the file's state is let go
    // before the second is waited for, so a writer waiting for it (and the second
    // waiting for the writer) can go on.
    const auto stopSecond = qScopeGuard([&asking, &snapshot] {
        asking.giveUp();
        snapshot.reset();
    });
    {
        OwedReading fromStart(*db, today, search, Meeting::FromStart, meeting);
        for (int rows = 0; fromStart.readNext();) {
            if (!asking.stillWanted(rows))
                return std::nullopt;
        }
        sums.merge(fromStart.sums());
    }
    snapshot->commit();
    second.join();
    if (failed)
        std::rethrow_exception(failed);
    if (asking.givenUp())
        return std::nullopt;
    if (fromEnd)
        sums.merge(*fromEnd);
    addRetainage(retainage, search, sums);
    return sums.figures();
}

} // namespace Receivables
