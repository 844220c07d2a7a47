#include "ProgressJobs.h"

#include "DocumentContext.h"

namespace ProgressJobs {

namespace {
QString notYet()
{
    return QStringLiteral("Progress invoices are not available yet.");
}
} // namespace

Book open(DocumentContext &, int)
{
    Book book;
    book.refusal = notYet();
    return book;
}

Saved saveBill(DocumentContext &, const Book &, const std::vector<double> &)
{
    return {.number = 0, .refusal = notYet()};
}

Saved saveRelease(DocumentContext &, const Book &)
{
    return {.number = 0, .refusal = notYet()};
}

std::optional<QString> setRetainage(DocumentContext &, int, double)
{
    return notYet();
}

double retainagePercent(DocumentContext &, int)
{
    return 0;
}

bool isProgressInvoice(Database &, int)
{
    return false;
}

std::optional<Sheet> sheetOf(DocumentContext &, int)
{
    return std::nullopt;
}

std::optional<QString> conversionRefusal(Database &, int)
{
    return std::nullopt;
}

} // namespace ProgressJobs
