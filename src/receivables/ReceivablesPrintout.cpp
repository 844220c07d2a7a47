#include "ReceivablesPrintout.h"

#include "ReceivablesModel.h"
#include "data/DateText.h"
#include "invoice/Money.h"

#include <QCoreApplication>

namespace ReceivablesPrintout {

namespace {

using Receivables::Row;

QString tr(const char *text)
{
    return QCoreApplication::translate("ReceivablesPrintout", text);
}

QString total(const QString &caption)
{
    return TablePrintout::kTotalMark + caption;
}

struct Sums
{
    double invoiced = 0;
    double paid = 0;
    double owed = 0;

    void add(const Row &row)
    {
        invoiced = Money::roundToCents(invoiced + row.total);
        paid = Money::roundToCents(paid + row.paid);
        owed = Money::roundToCents(owed + row.balance);
    }
    [[nodiscard]] QStringList cells(const QString &caption, const QLocale &locale) const
    {
        return {total(caption), {}, {}, {}, Money::currencyText(invoiced, locale), Money::currencyText(paid, locale),
                Money::currencyText(owed, locale), {}};
    }
};

QStringList invoiceCells(const Row &row, const QLocale &locale)
{
    QStringList cells;
    for (int column : {ReceivablesModel::Customer, ReceivablesModel::Invoice, ReceivablesModel::Date,
                       ReceivablesModel::DueDate, ReceivablesModel::Total, ReceivablesModel::Paid,
                       ReceivablesModel::Balance, ReceivablesModel::DaysOverdue})
        cells << ReceivablesModel::cellText(row, column, locale);
    return cells;
}

/// A customer's (or all customers') amounts in the columns from Date on.
QStringList byAgeCells(const QString &first, const std::array<double, Receivables::BucketCount> &buckets,
                       double balance, const QLocale &locale)
{
    QStringList cells{first, {}};
    for (double amount : buckets)
        cells << (amount == 0 ? QString() : Money::currencyText(amount, locale));
    cells << Money::currencyText(balance, locale);
    return cells;
}

} // namespace

TablePrintout build(const QList<Row> &rows, QDate today, const QString &search, const QLocale &locale)
{
    TablePrintout table;
    table.title = tr("Receivables");
    table.subTitle << tr("As of %1").arg(DateText::shortDate(today, locale));
    if (!search.trimmed().isEmpty())
        table.subTitle << tr("Customers or numbers matching \"%1\"").arg(search.trimmed());
    table.headings = {tr("Customer"), tr("Invoice"), tr("Date"), tr("Due Date"),
                      tr("Total"),    tr("Paid"),    tr("Balance"), tr("Days")};
    // 7.9 inches: a US Letter row. The columns from Date on also carry the buckets and
    // balance of the per-customer part, so each holds six figures.
    table.widths = {1.7, 1.15, 0.85, 0.85, 0.85, 0.8, 0.85, 0.85};
    table.rightAligned = QStringLiteral("00111111");

    Sums grand;
    // The age groups, then the customers' credits.
    for (int b = 0; b <= Receivables::BucketCount; ++b) {
        const bool credits = b == Receivables::BucketCount;
        const QString caption = credits ? tr("Credit") : Receivables::bucketCaption(Receivables::Bucket(b));
        Sums sums;
        QList<QStringList> group;
        for (const Row &row : rows) {
            if (row.isCredit() != credits || (!credits && row.bucket != Receivables::Bucket(b)))
                continue;
            group << invoiceCells(row, locale);
            sums.add(row);
            grand.add(row);
        }
        if (group.isEmpty())
            continue;
        table.rows << QStringList{total(caption)};
        table.rows << group;
        table.rows << sums.cells(tr("Total %1").arg(caption), locale);
    }
    table.rows << grand.cells(tr("Total"), locale);

    const QList<Receivables::CustomerTotal> customers = Receivables::customerTotals(rows);
    if (customers.isEmpty())
        return table;
    table.rows << QStringList{};
    // Short captions: the full ones do not fit the date columns they stand over.
    const QStringList heading{total(tr("By Customer")), {}, tr("Not Due"), tr("1-30"), tr("31-60"), tr("61-90"),
                              tr("Over 90"), tr("Balance")};
    table.rows << heading;
    for (const Receivables::CustomerTotal &customer : customers) {
        table.rows << byAgeCells(customer.customer, customer.buckets, customer.balance, locale);
        if (customer.credit != 0) {
            QStringList credit(heading.size() - 1);
            credit.first() = tr("  Credit");
            credit << Money::currencyText(customer.credit, locale);
            table.rows << credit;
        }
    }
    table.rows << byAgeCells(total(tr("Total")), Receivables::bucketTotals(rows), grand.owed, locale);
    return table;
}

} // namespace ReceivablesPrintout
