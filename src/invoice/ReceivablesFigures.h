#pragma once

#include "ReceivablesQuery.h"
#include "ReceivablesSums.h"
#include "data/Database.h"

#include <array>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

/// The figures beside the receivables list, summed from the rows the engine reads.
namespace Receivables {

/// Where two readings of the same rows in due order, one from each end, meet: each
/// row goes to the reading that reaches it first, so none is summed twice or missed,
/// however fast either goes.
class Meeting
{
public:
    enum Side { FromStart, FromEnd };

    /// Takes the row at \a due and \a number (in the order the rows are walked: due
    /// date as stored bytes, then number) for \a side. False once the other side has
    /// taken it: every row from there on is the other's, and \a side is done.
    [[nodiscard]] bool take(Side side, QByteArrayView due, qint64 number);
    /// \a side has read to the end of its rows, every one it met taken: the other
    /// takes no more, also of rows a later state of the file would add.
    void end(Side side);

private:
    struct Taken
    {
        bool any = false;
        bool ended = false;
        std::string due;
        qint64 number = 0;
    };
    std::mutex m_mutex;
    std::array<Taken, 2> m_last;
};

/// The owed rows a search keeps, walked in due order from one end and summed up to
/// where the reading from the other end has been.
class OwedReading
{
public:
    /// Throws DbError.
    OwedReading(Database &db, QDate today, const QString &search, Meeting::Side side, Meeting &meeting);

    /// Reads and sums the next row; false when no row is left for this side. Throws
    /// DbError, with every row taken before summed.
    [[nodiscard]] bool readNext();
    [[nodiscard]] const FigureSums &sums() const { return m_sums; }

private:
    Statement m_rows;
    Meeting::Side m_side;
    Meeting &m_meeting;
    FigureSums m_sums;
};

/// The figures of the rows \a search keeps, with the documents it keeps whose stored
/// amount does not read. On the file, two connections from \a connect read at once,
/// one from each end of the rows. Throws DbError.
[[nodiscard]] Figures figures(const Pages::Connect &connect, QDate today, const QString &search);
/// As figures(), but given up, with nothing, once \a wanted (asked now and then by
/// both readings, at once) says they are not wanted any more. Throws DbError.
[[nodiscard]] std::optional<Figures> figuresWhileWanted(const Pages::Connect &connect, QDate today,
                                                        const QString &search, const std::function<bool()> &wanted);

} // namespace Receivables
