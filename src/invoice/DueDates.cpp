#include "DueDates.h"

#include "InvoiceRecords.h"

#include <QRegularExpression>

namespace DueDates {

QDate fromTerms(QDate date, const QString &terms)
{
    if (!date.isValid())
        return date;
    // "Due on the 10th", "Due by the 15th": an ordinal names the day of the month.
    static const QRegularExpression dayOfMonth(QStringLiteral("\\b(\\d{1,2})(?:st|nd|rd|th)\\b"),
                                               QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression days(QStringLiteral("\\bnet\\s*(\\d{1,4})\\b|\\b(\\d{1,4})\\s*days?\\b"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch day = dayOfMonth.match(terms);
    if (day.hasMatch()) {
        const int wanted = day.captured(1).toInt();
        if (wanted >= 1 && wanted <= 31) {
            const QDate next = date.addMonths(1);
            return QDate(next.year(), next.month(), std::min(wanted, next.daysInMonth()));
        }
    }
    const QRegularExpressionMatch count = days.match(terms);
    if (count.hasMatch())
        return date.addDays(count.captured(count.lastCapturedIndex()).toInt());
    return date;
}

QDate dueDate(const TrecInvHeader &header)
{
    return header.strDueDate.isValid() ? header.strDueDate : fromTerms(header.strInvDate, header.strCustPymntTerms);
}

} // namespace DueDates
