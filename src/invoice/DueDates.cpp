#include "DueDates.h"

#include "InvoiceRecords.h"

#include <QRegularExpression>

namespace DueDates {

Terms Terms::read(const QString &terms)
{
    // "Due on the 10th", "Due by the 15th": an ordinal names the day of the month.
    static const QRegularExpression dayOfMonth(QStringLiteral("\\b(\\d{1,2})(?:st|nd|rd|th)\\b"),
                                               QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression days(QStringLiteral("\\bnet\\s*(\\d{1,4})\\b|\\b(\\d{1,4})\\s*days?\\b"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch day = dayOfMonth.match(terms);
    if (day.hasMatch()) {
        const int wanted = day.captured(1).toInt();
        if (wanted >= 1 && wanted <= 31)
            return {DayOfNextMonth, wanted};
    }
    const QRegularExpressionMatch count = days.match(terms);
    if (count.hasMatch())
        return {DaysLater, count.captured(count.lastCapturedIndex()).toInt()};
    return {};
}

QDate Terms::dueFrom(QDate date) const
{
    if (!date.isValid())
        return date;
    switch (kind) {
    case DayOfNextMonth: {
        const QDate next = date.addMonths(1);
        return QDate(next.year(), next.month(), std::min(number, next.daysInMonth()));
    }
    case DaysLater:
        return date.addDays(number);
    case SameDay:
        break;
    }
    return date;
}

QDate fromTerms(QDate date, const QString &terms)
{
    return date.isValid() ? Terms::read(terms).dueFrom(date) : date;
}

QDate dueDate(const TrecInvHeader &header)
{
    return header.strDueDate.isValid() ? header.strDueDate : fromTerms(header.strInvDate, header.strCustPymntTerms);
}

} // namespace DueDates
