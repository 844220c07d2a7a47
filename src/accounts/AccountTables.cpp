#include "AccountTables.h"

#include "data/DateText.h"
#include "invoice/DocumentKinds.h"
#include "invoice/Money.h"
#include "invoice/Receivables.h"

#include <QCoreApplication>

namespace AccountTables {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("AccountTables", text);
}

QString total(const QString &text)
{
    return TablePrintout::kTotalMark + text;
}

} // namespace

TablePrintout statement(const CustomerStatement::Account &account, const CustomerStatement::Customer &customer,
                        const QString &companyName, const QLocale &locale)
{
    const auto money = [&locale](double amount) { return Money::currencyText(amount, locale); };
    TablePrintout table;
    table.title = tr("Statement");
    if (!companyName.isEmpty())
        table.subTitle << companyName;
    table.subTitle << customer.text()
                   << tr("From %1 to %2")
                          .arg(DateText::shortDate(account.from, locale), DateText::shortDate(account.to, locale));
    table.headings = {tr("Date"), tr("Description"), tr("Charges"), tr("Payments/Credits"), tr("Balance")};
    table.widths = {1.0, 3.1, 1.25, 1.25, 1.3};
    table.rightAligned = QStringLiteral("00111");
    table.rows << QStringList{total(DateText::shortDate(account.from, locale)), tr("Opening balance"), {}, {},
                              money(account.openingBalance)};
    for (const CustomerStatement::Entry &entry : account.entries) {
        const QString amount = money(entry.shownAmount());
        const bool charge = entry.column == CustomerStatement::Entry::Column::Charges;
        table.rows << QStringList{DateText::shortDate(entry.date, locale), entry.description,
                                  charge ? amount : QString(), charge ? QString() : amount, money(entry.balance)};
    }
    table.rows << QStringList{total(DateText::shortDate(account.to, locale)), tr("Amount Due"), {}, {},
                              money(account.amountDue)};
    return table;
}

TablePrintout jobDocuments(const JobSummary::Job &job, const QLocale &locale)
{
    const auto money = [&locale](double amount) { return Money::currencyText(amount, locale); };
    TablePrintout table;
    table.title = tr("Job %1").arg(job.jobId);
    table.subTitle << jobCustomer(job);
    table.headings = {tr("Document"), tr("Date"),     tr("Customer"), tr("Total"),
                      tr("Deposit"),  tr("Received"), tr("Balance"),  tr("Paid")};
    table.widths = {1.4, 0.8, 1.9, 0.85, 0.8, 0.85, 0.85, 0.45};
    table.rightAligned = QStringLiteral("00011110");
    for (const StoredDocuments::Summary &doc : job.documents) {
        const TrecInvHeader &h = doc.header;
        const bool depositKind = DocumentKinds::isDepositKind(h.strInvName);
        // A past-due notice restates its invoice's debt; what is received and owed
        // stays with the invoice.
        const bool restates = DocumentKinds::is(h.strInvName, DocumentKinds::kPastDue);
        table.rows << QStringList{doc.name(),
                                  DateText::shortDate(h.strInvDate, locale),
                                  Receivables::customerText(h.strCustCmpnyName, h.strCustFullName),
                                  money(doc.total),
                                  depositKind ? money(h.dbDepositAmount) : QString(),
                                  restates ? QString() : money(doc.received()),
                                  restates ? QString() : money(doc.balance),
                                  h.strPaidInFull ? tr("Paid") : QString()};
    }
    return table;
}

QList<SummaryLine> jobSummary(const JobSummary::Job &job)
{
    return {{tr("Billed"), job.billed},
            {tr("To be billed"), job.toBeBilled},
            {tr("Deposits required"), job.depositsRequired},
            {tr("Received"), job.received},
            {tr("To be paid"), job.toBePaid}};
}

TablePrintout jobPrintout(const JobSummary::Job &job, const QLocale &locale)
{
    TablePrintout table = jobDocuments(job, locale);
    // Each caption in the wide customer column, its amount under the totals beside it.
    const qsizetype captionColumn = 2;
    const qsizetype amountColumn = 3;
    for (const SummaryLine &line : jobSummary(job)) {
        QStringList row(table.headings.size());
        row[0] = total({});
        row[captionColumn] = line.caption;
        row[amountColumn] = Money::currencyText(line.amount, locale);
        table.rows << row;
    }
    return table;
}

QString jobCustomer(const JobSummary::Job &job)
{
    // The latest document names the customer as the job now knows them.
    for (auto doc = job.documents.crbegin(); doc != job.documents.crend(); ++doc) {
        const QString text = Receivables::customerText(doc->header.strCustCmpnyName, doc->header.strCustFullName);
        if (!text.isEmpty())
            return text;
    }
    return {};
}

} // namespace AccountTables
