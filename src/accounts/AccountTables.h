#pragma once

#include "core/TablePrintout.h"
#include "invoice/CustomerStatement.h"
#include "invoice/JobSummary.h"

#include <QLocale>

/// The statement and the job as the windows list them and the printouts print them:
/// one table each, so what is printed is what was on the screen.
namespace AccountTables {

/// Date, description, charges, payments and credits, running balance; the opening
/// balance first and the amount due last, both as total rows.
[[nodiscard]] TablePrintout statement(const CustomerStatement::Account &account,
                                      const CustomerStatement::Customer &customer, const QString &companyName,
                                      const QLocale &locale);

/// The job's documents, one row each.
[[nodiscard]] TablePrintout jobDocuments(const JobSummary::Job &job, const QLocale &locale);

struct SummaryLine
{
    QString caption;
    double amount = 0;
};

/// Billed, to be billed, deposits required, received and to be paid.
[[nodiscard]] QList<SummaryLine> jobSummary(const JobSummary::Job &job);

/// The job's documents followed by its summary as total rows: the job's printout.
[[nodiscard]] TablePrintout jobPrintout(const JobSummary::Job &job, const QLocale &locale);

/// Whose job it is, as its documents name the customer.
[[nodiscard]] QString jobCustomer(const JobSummary::Job &job);

} // namespace AccountTables
