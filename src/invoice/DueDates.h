#pragma once

#include <QDate>
#include <QString>

struct TrecInvHeader;

/// When a document is due.
namespace DueDates {

/// What payment terms say, read once and applied to any number of dates.
struct Terms
{
    enum Kind { SameDay, DayOfNextMonth, DaysLater };
    Kind kind = SameDay;
    int number = 0;

    /// Reads \a terms as fromTerms() does.
    [[nodiscard]] static Terms read(const QString &terms);
    [[nodiscard]] QDate dueFrom(QDate date) const;
};

/// \a date plus the days its payment terms name ("Net 30", "30 days"); a term that
/// names a day of the month ("Due on the 10th", "Due by the 15th") means that day of the following
/// month (its last day when the month is shorter); any other term means \a date.
[[nodiscard]] QDate fromTerms(QDate date, const QString &terms);

/// The due date the user set, otherwise the one the date and terms give.
[[nodiscard]] QDate dueDate(const TrecInvHeader &header);

} // namespace DueDates
