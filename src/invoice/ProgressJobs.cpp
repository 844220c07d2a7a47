#include "ProgressJobs.h"

#include "CentSplit.h"
#include "DocumentContext.h"
#include "DocumentKinds.h"
#include "DocumentStore.h"
#include "Totals.h"
#include "core/Edition.h"
#include "data/BusyPolicy.h"
#include "data/Database.h"

#include <QCoreApplication>
#include <QHash>
#include <algorithm>
#include <cmath>
#include <sqlite3.h>

namespace ProgressJobs {

namespace {

using ProgressBilling::Bill;
using ProgressStore::StoredItem;

QString tr(const char *text)
{
    return QCoreApplication::translate("ProgressJobs", text);
}

std::vector<ProgressBilling::ScheduleItem> scheduleOf(const std::vector<StoredItem> &items)
{
    std::vector<ProgressBilling::ScheduleItem> schedule;
    schedule.reserve(items.size());
    for (const StoredItem &stored : items)
        schedule.push_back(stored.item);
    return schedule;
}

bool isScheduleSource(const QString &kind)
{
    using namespace DocumentKinds;
    return is(kind, kEstimate) || is(kind, kWorkOrder) || is(kind, kChangeOrder);
}

/// Thrown inside a save's transaction to roll it back and refuse with \a what.
struct Refused
{
    QString what;
};

int jobOf(Database &db, int number)
{
    Statement q = db.prepare(QStringLiteral("SELECT intJobID FROM tblInvHeader WHERE intInvNumber = ?"));
    q.bind(1, number);
    if (!q.step())
        throw DbError(SQLITE_NOTFOUND, tr("Document number %1 was not found.").arg(number));
    return q.intAt(0) != 0 ? q.intAt(0) : number;
}

/// The estimate or work order the job was agreed on (the first, should there be two).
int sourceOf(Database &db, int jobId)
{
    Statement q = db.prepare(QStringLiteral(
        "SELECT intInvNumber FROM tblInvHeader WHERE (intJobID = ? OR intInvNumber = ?) AND strInvName IN (?, ?) "
        "ORDER BY intInvNumber LIMIT 1"));
    q.bindAll(jobId, jobId, DocumentKinds::kEstimate, DocumentKinds::kWorkOrder);
    return q.step() ? q.intAt(0) : 0;
}

QList<int> changeOrdersOf(Database &db, int jobId)
{
    Statement q = db.prepare(QStringLiteral(
        "SELECT intInvNumber FROM tblInvHeader WHERE intJobID = ? AND strInvName = ? ORDER BY intInvNumber"));
    q.bindAll(jobId, DocumentKinds::kChangeOrder);
    QList<int> numbers;
    while (q.step())
        numbers.append(q.intAt(0));
    return numbers;
}

/// The saved document \a number, read on \a db.
void load(DocumentContext &context, Database &db, CurrentDocument &doc, int number)
{
    doc.header.blnNewInvoice = false;
    doc.header.intInvNumber = number;
    DocumentStore(context, doc).pLoadInvoice(db);
}

/// Each line (work sheet) of \a doc as an item: what it comes to after the discount,
/// rounded once and split into labor and material like the line.
std::vector<ProgressBilling::ScheduleItem> itemsOf(DocumentContext &context, const CurrentDocument &doc)
{
    const Edition &edition = context.edition();
    const RoundedOnce::Figures figures = Totals::lineFigures(doc, edition, context.company);
    const int taxOn = context.company.invData.intTaxOn;
    std::vector<ProgressBilling::ScheduleItem> items;
    for (int row = 0; row < doc.lines.rowCount(); ++row) {
        const RoundedOnce::LineParts &parts = figures.lines[std::size_t(row)];
        ProgressBilling::ScheduleItem item;
        item.laborCents = parts.laborAfterDiscount();
        item.materialCents = parts.materialAfterDiscount();
        if (edition.usesWorkSheets()) {
            item.description = doc.lines.workSheet(row).strWorkSheetName;
            item.laborTaxed = taxOn == 0 || taxOn == 1;
            item.materialTaxed = taxOn == 0 || taxOn == 2;
        } else {
            const PriceLine &line = doc.lines.priceLine(row);
            item.description = line.description;
            item.laborTaxed = line.laborTaxable;
            item.materialTaxed = line.materialTaxable;
        }
        if (item.description.trimmed().isEmpty())
            item.description = tr("%1 %2, line %3").arg(doc.header.strInvName).arg(doc.header.intInvNumber).arg(row + 1);
        items.push_back(item);
    }
    return items;
}

double depositsReceivedCents(const CurrentDocument &source)
{
    return CentSplit::centsOf(Payments::sum(source.payments));
}

/// Everything a bill of the job is worked out from, read on \a db.
Book readBook(Database &db, int jobId, const CurrentDocument &source)
{
    Book book;
    book.jobId = jobId;
    book.sourceNumber = source.header.intInvNumber;
    book.items = ProgressStore::schedule(db, jobId);
    book.before = ProgressStore::billedBefore(db, jobId, book.items);
    book.terms.retainagePercent = ProgressStore::retainagePercent(db, jobId);
    book.terms.rates = Totals::effectiveRates(source.header);
    book.terms.depositsReceivedCents = depositsReceivedCents(source);
    const TrecInvHeader &h = source.header;
    book.customer = h.strCustCmpnyName.trimmed().isEmpty() ? h.strCustFullName : h.strCustCmpnyName;
    book.latestBill = ProgressStore::latestBill(db, jobId);
    return book;
}

/// Refuses, inside the save's transaction, a book another bill or change has
/// overtaken since it was read.
void checkCurrent(DocumentContext &context, Database &db, const Book &book, int number)
{
    CurrentDocument source(context.edition());
    load(context, db, source, book.sourceNumber);
    const Book now = readBook(db, book.jobId, source);
    const bool same = sourceOf(db, book.jobId) == book.sourceNumber && now.latestBill == book.latestBill && now.items.size() == book.items.size()
        && now.terms.retainagePercent == book.terms.retainagePercent && now.terms.rates == book.terms.rates
        && now.terms.depositsReceivedCents == book.terms.depositsReceivedCents;
    if (!same) {
        throw Refused{tr("This job was billed or changed meanwhile, on another computer or in another window. "
                         "Open its progress invoice again to bill from what is billed now; nothing was saved.")};
    }
    if (number <= now.latestBill) {
        throw Refused{tr("Document number %1 comes before the job's latest progress invoice (%2). Set the next "
                         "document number higher, then save again.")
                          .arg(number)
                          .arg(now.latestBill)};
    }
}

QString percentText(double percent, const QLocale &locale)
{
    // Two decimals at most, and no zeros that say nothing ("62.5", "40").
    QString text = locale.toString(std::round(percent * 100.0) / 100.0, 'f', 2);
    while (text.endsWith(locale.zeroDigit()))
        text.chop(1);
    if (text.endsWith(locale.decimalPoint()))
        text.chop(locale.decimalPoint().size());
    return text;
}

/// The line of a bill for one item: which share of it is billed now, signed as the
/// document shows it.
QString lineText(const StoredItem &stored, const ProgressBilling::ItemRow &row, double sign, const QLocale &locale)
{
    const double value = stored.item.valueCents();
    const double share = value == 0 ? 0.0 : sign * row.thisPeriodCents / value * 100.0;
    return tr("%1 % of %2 (%3 % complete to date)")
        .arg(percentText(share, locale), stored.item.description, percentText(row.percent(), locale));
}

/// The figures \a bill adds to its document beyond the lines.
ProgressFigures figuresOf(const Bill &bill, double sign)
{
    ProgressFigures figures;
    const double labor = bill.laborCents();
    figures.totals.LbrTotals[0] = sign * labor / 100.0;
    figures.totals.MatTotals[0] = sign * (bill.workCents - labor) / 100.0;
    for (std::size_t t = 0; t < 3; ++t) {
        figures.totals.LbrTotals[t + 1] = sign * bill.taxParts[t].labor / 100.0;
        figures.totals.MatTotals[t + 1] = sign * bill.taxParts[t].material / 100.0;
    }
    figures.retainage = sign * bill.retainageCents / 100.0;
    figures.released = sign * bill.retainageReleasedCents / 100.0;
    figures.depositsApplied = sign * bill.depositsAppliedCents / 100.0;
    return figures;
}

/// A new document of the job with the source's customer and taxes and no discount.
void startDocument(DocumentContext &context, CurrentDocument &doc, const CurrentDocument &source, const QString &kind,
                   int jobId)
{
    doc.header.blnNewInvoice = true;
    DocumentStore(context, doc).pLoadInvoice();
    TrecInvHeader h = source.header;
    h.strInvName = kind;
    h.intInvNumber = doc.header.intInvNumber;
    h.strInvDate = QDate::currentDate();
    h.strFromInvNameNumber.clear();
    h.strRecurring = false;
    h.strPaidInFull = false;
    h.intCustDiscountPercent = 0;
    h.dbPaidAmount = 0;
    h.dbDepositAmount = 0;
    h.strDueDate = QDate();
    h.intJobID = jobId;
    h.blnNewInvoice = true;
    h.blnManualForm = false;
    doc.header = h;
    doc.notes.clear();
    doc.payments.clear();
}

void addLine(const Edition &edition, CurrentDocument &doc, const QString &text, const ProgressBilling::WorkParts &parts,
             const ProgressBilling::ScheduleItem &item, double sign)
{
    const double labor = sign * parts.labor / 100.0;
    const double material = sign * parts.material / 100.0;
    if (edition.usesWorkSheets()) {
        // A blank sheet prices nothing but its extra charges.
        WorkSheet sheet;
        sheet.strWorkSheetName = text;
        sheet.dbExtraChargesLabor = labor;
        sheet.dbExtraChargesMaterial = material;
        doc.lines.appendWorkSheet(sheet);
        return;
    }
    doc.lines.appendPriceLine({.description = text,
                               .quantity = 1,
                               .laborPrice = labor,
                               .materialPrice = material,
                               .laborTaxable = item.laborTaxed,
                               .materialTaxable = item.materialTaxed});
}

/// Saves \a bill as a new document of \a book's job, with \a lines written by the
/// caller, in one transaction with the bill's own records.
Saved saveDocument(DocumentContext &context, const Book &book, const Bill &bill, CurrentDocument &doc)
{
    try {
        const int number = DocumentStore(context, doc).pSaveInvoice([&](Database &db, int saved) {
            checkCurrent(context, db, book, saved);
            ProgressStore::storeBill(db, book.jobId, saved, book.items, bill);
        });
        return {.number = number, .refusal = std::nullopt};
    } catch (const Refused &refused) {
        return {.number = 0, .refusal = refused.what};
    }
}

std::optional<QString> bookRefusal(const Book &book)
{
    if (book.refusal)
        return book.refusal;
    if (book.jobId == 0 || book.sourceNumber == 0)
        return tr("Open the job's progress invoice first.");
    return std::nullopt;
}

} // namespace

Book open(DocumentContext &context, int documentNumber)
{
    Book book;
    if (!context.edition().IsFullEdition()) {
        book.refusal = tr("This edition does not bill jobs by progress.");
        return book;
    }
    const BusyPolicy::OperationWait oneWait;
    const auto db = context.openDatabase();
    Transaction tx(*db);
    const int jobId = jobOf(*db, documentNumber);
    const int sourceNumber = sourceOf(*db, jobId);
    if (sourceNumber == 0) {
        book.jobId = jobId;
        book.refusal = tr("This job has no estimate or work order left to bill by progress.");
        return book;
    }
    CurrentDocument source(context.edition());
    load(context, *db, source, sourceNumber);
    (void)ProgressStore::addToSchedule(*db, jobId, sourceNumber, itemsOf(context, source));
    CurrentDocument changeOrder(context.edition());
    for (int number : changeOrdersOf(*db, jobId)) {
        load(context, *db, changeOrder, number);
        (void)ProgressStore::addToSchedule(*db, jobId, number, itemsOf(context, changeOrder));
    }
    book = readBook(*db, jobId, source);
    tx.commit();
    return book;
}

Saved saveBill(DocumentContext &context, const Book &book, const std::vector<double> &completedToDateCents)
{
    if (const auto refused = bookRefusal(book))
        return {.number = 0, .refusal = refused};
    const std::vector<ProgressBilling::ScheduleItem> schedule = scheduleOf(book.items);
    if (const auto refused = ProgressBilling::refusal(schedule, completedToDateCents, context.locale))
        return {.number = 0, .refusal = refused};
    const Bill bill = ProgressBilling::bill(schedule, book.before, completedToDateCents, book.terms);
    const bool changesNothing = std::all_of(bill.rows.begin(), bill.rows.end(), [](const ProgressBilling::ItemRow &row) {
        return row.thisPeriodCents == 0;
    });
    if (changesNothing)
        return {.number = 0, .refusal = tr("Nothing was completed or lowered since the last progress invoice.")};

    const Edition &edition = context.edition();
    CurrentDocument source(edition);
    source.header.intInvNumber = book.sourceNumber;
    DocumentStore(context, source).pLoadInvoice();
    CurrentDocument doc(edition);
    const double sign = bill.isCredit() ? -1.0 : 1.0;
    startDocument(context, doc, source, bill.isCredit() ? DocumentKinds::kCredit : DocumentKinds::kInvoice, book.jobId);
    for (std::size_t i = 0; i < bill.rows.size(); ++i) {
        const ProgressBilling::ItemRow &row = bill.rows[i];
        if (row.thisPeriodParts.labor == 0 && row.thisPeriodParts.material == 0)
            continue;
        addLine(edition, doc, lineText(book.items[i], row, sign, context.locale), row.thisPeriodParts,
                book.items[i].item, sign);
    }
    doc.progress = figuresOf(bill, sign);
    return saveDocument(context, book, bill, doc);
}

Saved saveRelease(DocumentContext &context, const Book &book)
{
    if (const auto refused = bookRefusal(book))
        return {.number = 0, .refusal = refused};
    if (book.nothingHeld())
        return {.number = 0, .refusal = tr("This job holds no retainage to release.")};
    const Bill bill = ProgressBilling::releaseRetainage(book.before, book.terms);

    const Edition &edition = context.edition();
    CurrentDocument source(edition);
    source.header.intInvNumber = book.sourceNumber;
    DocumentStore(context, source).pLoadInvoice();
    CurrentDocument doc(edition);
    startDocument(context, doc, source, DocumentKinds::kInvoice, book.jobId);
    // The work it was held from was posted with the bills; this bill's figures are
    // all in its Amount Due.
    addLine(edition, doc, tr("Release of retainage held"), {}, {}, 1.0);
    doc.progress = figuresOf(bill, 1.0);
    return saveDocument(context, book, bill, doc);
}

std::optional<QString> setRetainage(DocumentContext &context, int jobId, double percent)
{
    if (const auto refused = ProgressBilling::retainageRefusal(percent))
        return refused;
    const BusyPolicy::OperationWait oneWait;
    const auto db = context.openDatabase();
    Transaction tx(*db);
    ProgressStore::setRetainagePercent(*db, jobId, percent);
    tx.commit();
    return std::nullopt;
}

double retainagePercent(DocumentContext &context, int jobId)
{
    const auto db = context.openDatabase();
    return ProgressStore::retainagePercent(*db, jobId);
}

bool isProgressInvoice(Database &db, int number)
{
    return ProgressStore::jobOfBill(db, number).has_value();
}

std::optional<Sheet> sheetOf(DocumentContext &context, int number)
{
    const auto db = context.openDatabase();
    const std::optional<int> jobId = ProgressStore::jobOfBill(*db, number);
    const std::optional<ProgressFigures> stored = ProgressStore::figuresOf(*db, number, false);
    if (!jobId || !stored)
        return std::nullopt;
    Sheet sheet;
    sheet.items = ProgressStore::schedule(*db, *jobId);
    sheet.terms.retainagePercent = ProgressStore::retainagePercent(*db, *jobId);
    const ProgressBilling::Billed before = ProgressStore::billedBefore(*db, *jobId, sheet.items, number);
    const ProgressBilling::Billed upTo = ProgressStore::billedBefore(*db, *jobId, sheet.items, number + 1);
    sheet.bill = ProgressBilling::bill(scheduleOf(sheet.items), before, upTo.completedCents, sheet.terms);
    // The rows follow from completed to date; the money is what the bill was saved
    // with, whatever the job's terms have become since.
    const auto cents = [](double amount) { return CentSplit::centsOf(amount); };
    sheet.bill.retainageCents = cents(stored->retainage);
    sheet.bill.retainageReleasedCents = cents(stored->released);
    sheet.bill.depositsAppliedCents = cents(stored->depositsApplied);
    for (std::size_t t = 0; t < 3; ++t) {
        sheet.bill.taxParts[t] = {cents(stored->totals.LbrTotals[t + 1]), cents(stored->totals.MatTotals[t + 1])};
        sheet.bill.taxCents[t] = sheet.bill.taxParts[t].labor + sheet.bill.taxParts[t].material;
    }
    return sheet;
}

void scheduleChangeOrder(DocumentContext &context, Database &db, const CurrentDocument &document)
{
    const TrecInvHeader &h = document.header;
    if (!DocumentKinds::is(h.strInvName, DocumentKinds::kChangeOrder) || !context.edition().IsFullEdition())
        return;
    if (!ProgressStore::hasSchedule(db, h.intJobID))
        return;
    (void)ProgressStore::addToSchedule(db, h.intJobID, h.intInvNumber, itemsOf(context, document));
}

std::optional<QString> saveRefusal(Database &db, const CurrentDocument &document, const TrecSavedData &stored)
{
    using namespace DocumentKinds;
    const TrecInvHeader &h = document.header;
    if (h.blnNewInvoice)
        return std::nullopt;
    const bool kindChanged = !is(h.strInvName, stored.strInvName);
    if (kindChanged && isScheduleSource(stored.strInvName) && (is(h.strInvName, kInvoice) || is(h.strInvName, kCredit))
        && ProgressStore::hasProgressInvoices(db, h.intJobID != 0 ? h.intJobID : h.intInvNumber)) {
        return tr("%1 %2 cannot become an invoice: its job is billed by progress invoices. Bill its work with the "
                  "next progress invoice instead.")
            .arg(stored.strInvName)
            .arg(h.intInvNumber);
    }
    if (document.progress && (kindChanged || Totals::pricingInputs(document) != stored.pricingInputs)) {
        return tr("%1 %2 is a progress invoice: its lines, taxes and kind follow the job's schedule. To bill "
                  "differently, save the job's next progress invoice.")
            .arg(stored.strInvName)
            .arg(h.intInvNumber);
    }
    return std::nullopt;
}

std::optional<QString> removalRefusal(Database &db, int number)
{
    Statement q = db.prepare(QStringLiteral("SELECT strInvName, intJobID FROM tblInvHeader WHERE intInvNumber = ?"));
    q.bind(1, number);
    if (!q.step())
        return std::nullopt;
    const QString kind = q.textAt(0);
    const int jobId = q.intAt(1) != 0 ? q.intAt(1) : number;
    if (const std::optional<int> billed = ProgressStore::jobOfBill(db, number)) {
        const int latest = ProgressStore::latestBill(db, *billed);
        if (latest == number)
            return std::nullopt;
        return tr("%1 %2 cannot be deleted: progress invoice %3 of the same job was worked out from it. Delete the "
                  "job's latest progress invoice first.")
            .arg(kind)
            .arg(number)
            .arg(latest);
    }
    if (isScheduleSource(kind) && ProgressStore::hasProgressInvoices(db, jobId)) {
        return tr("%1 %2 cannot be deleted: its job is billed by progress invoices made from it.")
            .arg(kind)
            .arg(number);
    }
    return std::nullopt;
}

QList<RetainageHeld> retainageHeldByCustomer(Database &db)
{
    Statement q = db.prepare(QStringLiteral(
        "SELECT h.intCustomerID, h.strCustCmpnyName, h.strCustFullName, p.dbRetainage, p.dbRetainageReleased "
        "FROM tblProgressInvoices p JOIN tblInvHeader h ON h.intInvNumber = p.intInvNumber "
        "ORDER BY p.intInvNumber"));
    QList<RetainageHeld> customers;
    QHash<QString, qsizetype> index;
    QList<double> heldCents;
    while (q.step()) {
        const qint64 id = q.int64At(0);
        // A listed customer is one, whatever names its documents carry.
        const QString key = id != 0 ? QString::number(id) : QStringLiteral("-") + q.textAt(1) + QChar(31) + q.textAt(2);
        auto found = index.constFind(key);
        if (found == index.cend()) {
            found = index.insert(key, customers.size());
            customers.append({.customerId = id, .company = q.textAt(1), .name = q.textAt(2), .amount = 0});
            heldCents.append(0);
        }
        heldCents[*found] += CentSplit::centsOf(q.doubleAt(3)) - CentSplit::centsOf(q.doubleAt(4));
    }
    QList<RetainageHeld> holding;
    for (qsizetype i = 0; i < customers.size(); ++i) {
        if (heldCents[i] == 0)
            continue;
        customers[i].amount = heldCents[i] / 100.0;
        holding.append(customers[i]);
    }
    return holding;
}

} // namespace ProgressJobs
