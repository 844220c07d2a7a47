#include "DocumentStore.h"

#include "DocumentMerge.h"
#include "Money.h"
#include "PastDueLink.h"
#include "PaymentRules.h"
#include "ReportPostings.h"
#include "Totals.h"
#include "invoice/DocumentContext.h"
#include "core/Edition.h"
#include "core/Prompts.h"
#include "data/BusyPolicy.h"
#include "data/Database.h"
#include "data/SavingIndicator.h"
#include "data/SqlColumns.h"
#include "data/StoredForm.h"
#include "invoice/WorkSheet.h"

#include <sqlite3.h>

namespace {

// Column order of bindHeader() and of the reads in pLoadInvoice().
const QStringList kHeaderColumns = QStringLiteral(
    "strInvName,intInvNumber,strInvDate,strFromInvNameNumber,strRecurring,strPaidInFull,intInvFootNotes,"
    "strCustCmpnyName,strCustFullName,strCustAddress,strCustCtyStZp,strCustMainPhone,strCustExtraPhone1,"
    "strCustExtraPhone2,strCustTaxExemptNum,strCustPONumber,strCustPymntTerms,strCustNotes,intCustDiscountPercent,"
    "strCustTaxExempt,strUseTax1,strUseTax2,strUseTax3,dbTaxRate1,dbTaxRate2,dbTaxRate3,strInvNotes,dbPaidAmount,"
    "dbDepositAmount,strInvTotal,strDueDate,intCustomerID,intJobID").split(QLatin1Char(','));

// The work-sheet line columns after intInvNumber, in WorkSheet field order.
const QStringList kWorkSheetColumns = QStringLiteral(
    "strWorkSheetName,intIntExt,intAreaWorkOn,intPaintsCoats,intTrimCoats,intAreaLength,intAreaWidth,intAreaHeight,"
    "intAreaMultiplier,intPrime,intWash,intSand,intCaulk,intMask,intNumOfDoors,intNumOfDoorFrmTrm,"
    "intNumOfWindowFrmTrm,intNumOfClosets,intHngWallpaper,intRmvWallpaper,intHngBoarder,intRmvBorder,"
    "strExtraChargesName,strExtraChargesLabor,strExtraChargesMaterial").split(QLatin1Char(','));

void bindHeader(Statement &stmt, const TrecInvHeader &h, const QString &notes)
{
    stmt.bindAll(h.strInvName, h.intInvNumber, StoredForm::dateText(h.strInvDate), h.strFromInvNameNumber,
                 h.strRecurring, h.strPaidInFull, h.intInvFootNotes, h.strCustCmpnyName, h.strCustFullName,
                 h.strCustAddress, h.strCustCtyStZp, h.strCustMainPhone, h.strCustExtraPhone1, h.strCustExtraPhone2,
                 h.strCustTaxExemptNum, h.strCustPONumber, h.strCustPymntTerms, h.strCustNotes,
                 h.intCustDiscountPercent, h.strCustTaxExempt, h.strUseTax1, h.strUseTax2, h.strUseTax3, h.dbTaxRate1,
                 h.dbTaxRate2, h.dbTaxRate3, notes, h.dbPaidAmount, h.dbDepositAmount,
                 StoredForm::amountText(h.dbInvBalance), StoredForm::dateText(h.strDueDate), h.intCustomerID,
                 h.intJobID);
}

/// A stored date of the document; no date (a blank hand-write form, a due date that
/// follows the terms) is empty text.
QDate storedDate(const QString &text, int number)
{
    if (text.isEmpty())
        return {};
    const std::optional<QDate> date = StoredForm::readDate(text);
    if (!date) {
        throw conversionError(
            QStringLiteral("Document %1 holds the date '%2', which this program cannot read.").arg(number).arg(text));
    }
    return *date;
}

bool headerExists(Database &db, int number)
{
    Statement q = db.prepare(QStringLiteral("SELECT 1 FROM tblInvHeader WHERE intInvNumber = ?"));
    q.bind(1, number);
    return q.step();
}

/// Amounts kept as text (quantities, extra charges) are written in the C form; older
/// files may hold them in the locale's form, which reads too. Unreadable text is
/// reported rather than taken as 0, so a damaged line is never silently re-priced.
double storedDecimal(const QString &text, const QLocale &locale)
{
    if (text.trimmed().isEmpty())
        return 0;
    const std::optional<double> value = StoredForm::readAmount(text);
    if (value)
        return *value;
    const std::optional<double> local = Money::parseDecimal(text, locale);
    if (!local)
        throw conversionError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return *local;
}

QString storedText(double value)
{
    return StoredForm::amountText(value);
}

// tblInvHeader.strPostedInCents: how a stored document was priced and posted ("0":
// parts rounded apart, posted unrounded).
const QString kPartsRoundedApart = QStringLiteral("-1");
const QString kRoundedOnce = QStringLiteral("2");

/// How a stored document was priced, and whether its posting was made before amounts
/// were rounded to the cent.
struct StoredRule
{
    PricingRule rule = PricingRule::RoundedOnce;
    bool postedUnrounded = false;
};

StoredRule storedRule(Database &db, int number)
{
    Statement q = db.prepare(QStringLiteral("SELECT strPostedInCents FROM tblInvHeader WHERE intInvNumber = ?"));
    q.bind(1, number);
    if (!q.step())
        return {};
    if (q.textAt(0).trimmed() == kRoundedOnce)
        return {};
    // Before the rule of rounding once the mark was a yes/no: posted in cents or not.
    return {.rule = PricingRule::PartsRoundedApart, .postedUnrounded = !q.boolAt(0)};
}

QString storedRuleText(PricingRule rule)
{
    return rule == PricingRule::RoundedOnce ? kRoundedOnce : kPartsRoundedApart;
}

} // namespace

DocumentStore::DocumentStore(DocumentContext &context)
    : DocumentStore(context, context.document)
{
}

DocumentStore::DocumentStore(DocumentContext &context, CurrentDocument &document)
    : m_context(context)
    , m_document(document)
{
}

int DocumentStore::GetInvoiceNumber()
{
    const auto db = m_context.openDatabase();
    return int(db->queryInt(QStringLiteral("SELECT intInvNumber FROM tblCompanyInvData WHERE intCompInvDataID = 1")));
}

int DocumentStore::pTakeInvoiceNumber()
{
    const auto db = m_context.openDatabase();
    Transaction tx(*db);
    const int number = int(db->queryInt(QStringLiteral("SELECT intInvNumber FROM tblCompanyInvData WHERE intCompInvDataID = 1")));
    db->prepare(QStringLiteral("UPDATE tblCompanyInvData SET intInvNumber = ? WHERE intCompInvDataID = 1"))
        .bindAll(number + 1)
        .run();
    tx.commit();
    return number;
}

bool DocumentStore::pGiveBackInvoiceNumber(int number)
{
    const auto db = m_context.openDatabase();
    Transaction tx(*db);
    db->prepare(QStringLiteral("UPDATE tblCompanyInvData SET intInvNumber = ? "
                               "WHERE intCompInvDataID = 1 AND intInvNumber = ?"))
        .bindAll(number, number + 1)
        .run();
    const bool givenBack = db->changes() > 0;
    tx.commit();
    return givenBack;
}

void DocumentStore::pUpdateSavedData()
{
    CurrentDocument &doc = m_document;
    doc.saved.strInvName = doc.header.strInvName;
    doc.saved.strPaidInFull = doc.header.strPaidInFull;
    doc.saved.strInvDate = doc.header.strInvDate;
    doc.saved.totals = doc.totals;
    doc.saved.content = DocumentMerge::contentKey(doc);
    doc.saved.payments = doc.payments;
    doc.saved.pricingRule = Totals::ruleFor(doc);
    doc.saved.pricingInputs = Totals::pricingInputs(doc);
}

void DocumentStore::pLoadInvoice()
{
    const BusyPolicy::OperationWait oneWait;
    const auto db = m_context.openDatabase();
    loadFrom(*db);
}

void DocumentStore::loadFrom(Database &db)
{
    CurrentDocument &doc = m_document;
    const Edition &edition = m_context.edition();
    TrecInvHeader &h = doc.header;

    if (edition.usesWorkSheets())
        pLoadSavedPrices(db, h.blnNewInvoice);

    if (h.blnNewInvoice) {
        TrecInvHeader blank;
        blank.blnNewInvoice = true;
        blank.intInvNumber = int(db.queryInt(
            QStringLiteral("SELECT intInvNumber FROM tblCompanyInvData WHERE intCompInvDataID = 1")));
        blank.dbTaxRate1 = m_context.company.invData.dbTaxRate1;
        blank.dbTaxRate2 = m_context.company.invData.dbTaxRate2;
        blank.dbTaxRate3 = m_context.company.invData.dbTaxRate3;
        h = blank;
        doc.notes.clear();
        doc.payments.clear();
        doc.lines.clear();
        doc.totals = {};
        doc.print = {};
        doc.saved = {};
        doc.unreadDateText.clear();
        doc.invoiceOwed.reset();
        return;
    }

    const int number = h.intInvNumber;
    Statement q = db.prepare(QStringLiteral("SELECT %1,intRowVersion FROM tblInvHeader WHERE intInvNumber = ?")
                                  .arg(kHeaderColumns.join(QLatin1Char(','))));
    q.bind(1, number);
    if (!q.step())
        throw DbError(SQLITE_NOTFOUND, QStringLiteral("Document number %1 was not found.").arg(number));

    TrecInvHeader loaded;
    loaded.strInvName = q.textAt(0);
    loaded.intInvNumber = number;
    // A date an upgrade could not read is left for the user to enter again; the
    // document still opens, so it can be mended.
    const QString dateText = q.textAt(2);
    loaded.strInvDate = StoredForm::readDate(dateText).value_or(QDate());
    loaded.strFromInvNameNumber = q.textAt(3);
    loaded.strRecurring = q.boolAt(4);
    loaded.strPaidInFull = q.boolAt(5);
    loaded.intInvFootNotes = q.intAt(6);
    loaded.strCustCmpnyName = q.textAt(7);
    loaded.strCustFullName = q.textAt(8);
    loaded.strCustAddress = q.textAt(9);
    loaded.strCustCtyStZp = q.textAt(10);
    loaded.strCustMainPhone = q.textAt(11);
    loaded.strCustExtraPhone1 = q.textAt(12);
    loaded.strCustExtraPhone2 = q.textAt(13);
    loaded.strCustTaxExemptNum = q.textAt(14);
    loaded.strCustPONumber = q.textAt(15);
    loaded.strCustPymntTerms = q.textAt(16);
    loaded.strCustNotes = q.textAt(17);
    loaded.intCustDiscountPercent = q.intAt(18);
    loaded.strCustTaxExempt = q.boolAt(19);
    loaded.strUseTax1 = q.boolAt(20);
    loaded.strUseTax2 = q.boolAt(21);
    loaded.strUseTax3 = q.boolAt(22);
    loaded.dbTaxRate1 = q.doubleAt(23);
    loaded.dbTaxRate2 = q.doubleAt(24);
    loaded.dbTaxRate3 = q.doubleAt(25);
    const QString notes = q.textAt(26);
    loaded.dbPaidAmount = q.doubleAt(27);
    loaded.dbDepositAmount = q.doubleAt(28);
    loaded.strDueDate = storedDate(q.textAt(30), number);
    loaded.intCustomerID = q.int64At(31);
    loaded.intJobID = q.intAt(32);
    loaded.blnManualForm = h.blnManualForm;
    const qint64 version = q.int64At(int(kHeaderColumns.size()));

    loadLines(db, number);
    h = loaded;
    doc.unreadDateText = loaded.strInvDate.isValid() || dateText.isEmpty() ? QString() : dateText;
    doc.notes = notes;
    doc.payments = edition.storesDocuments() ? Payments::load(db, number) : QList<Payment>{};
    doc.invoiceOwed = PastDueLink::owedOnInvoice(m_context, db, h);
    const StoredRule stored = storedRule(db, number);
    doc.saved.pricingRule = stored.rule;
    doc.saved.pricingInputs = Totals::pricingInputs(doc);
    Totals::pCalcTotals(doc, edition, m_context.company, m_context.locale);
    pUpdateSavedData();
    doc.saved.intRowVersion = version;
    if (stored.postedUnrounded)
        doc.saved.totals = Totals::unroundedTotals(doc, edition, m_context.company);
}

void DocumentStore::loadLines(Database &db, int number)
{
    const Edition &edition = m_context.edition();
    const QLocale &locale = m_context.locale;
    InvoiceLines &lines = m_document.lines;
    if (edition.usesWorkSheets()) {
        Statement q = db.prepare(QStringLiteral("SELECT %1 FROM tblInvData WHERE intInvNumber = ? ORDER BY intInvDataID")
                                     .arg(kWorkSheetColumns.join(QLatin1Char(','))));
        q.bind(1, number);
        QList<WorkSheet> sheets;
        while (q.step()) {
            WorkSheet sheet;
            sheet.strWorkSheetName = q.textAt(0);
            std::array<int, 21> counts{};
            for (int i = 0; i < 21; ++i)
                counts[std::size_t(i)] = q.intAt(1 + i);
            sheet.setCounts(counts);
            sheet.strExtraChargesName = q.textAt(22);
            sheet.dbExtraChargesLabor = storedDecimal(q.textAt(23), locale);
            sheet.dbExtraChargesMaterial = storedDecimal(q.textAt(24), locale);
            sheets.append(sheet);
        }
        lines.setWorkSheets(std::move(sheets));
    } else if (edition.storesDocuments()) {
        Statement q = db.prepare(QStringLiteral(
            "SELECT strPrcItemName,strPrcItmQuantity,strLabTax,strMatTax,dbLbrPrc,dbMatPrc FROM tblInvData "
            "WHERE intInvNumber = ? ORDER BY intInvDataID"));
        q.bind(1, number);
        QList<PriceLine> priceLines;
        while (q.step()) {
            priceLines.append({.description = q.textAt(0),
                               .quantity = storedDecimal(q.textAt(1), locale),
                               .laborPrice = q.doubleAt(4),
                               .materialPrice = q.doubleAt(5),
                               .laborTaxable = q.boolAt(2),
                               .materialTaxable = q.boolAt(3)});
        }
        lines.setPriceLines(std::move(priceLines));
    } else {
        lines.clear();
    }
}

int DocumentStore::allocateNumber(Database &db, int wanted)
{
    const int next = int(db.queryInt(QStringLiteral("SELECT intInvNumber FROM tblCompanyInvData WHERE intCompInvDataID = 1")));
    int number = std::max(wanted, next);
    while (headerExists(db, number))
        ++number;
    Statement advance = db.prepare(QStringLiteral("UPDATE tblCompanyInvData SET intInvNumber = ? WHERE intCompInvDataID = 1"));
    advance.bind(1, std::max(next, number + 1));
    advance.run();
    return number;
}

int DocumentStore::pSaveInvoice()
{
    return pSaveInvoice({});
}

int DocumentStore::pSaveInvoice(const std::function<void(Database &, int)> &alsoWrite)
{
    CurrentDocument &doc = m_document;
    // The posting must reflect the lines as they are now, and a cell that is not a
    // number must stop the save before anything is written.
    Totals::pCalcTotals(doc, m_context.edition(), m_context.company, m_context.locale);
    const TrecInvHeader before = doc.header;
    const QList<Payment> paymentsBefore = doc.payments;
    const TrecSavedData savedBefore = doc.saved;
    if (!before.blnManualForm) {
        m_context.saving().pShowSaving(
            QStringLiteral("Saving %1 %2...").arg(before.strInvName).arg(before.intInvNumber));
    }

    const BusyPolicy::OperationWait oneWait;
    const auto db = m_context.openDatabase();
    qint64 version = 0;
    try {
        Transaction tx(*db);
        TrecInvHeader &h = doc.header;
        if (h.blnNewInvoice)
            h.intInvNumber = allocateNumber(*db, h.intInvNumber);
        // A new document has nothing in the database yet, whatever it was copied from.
        const TrecSavedData stored = before.blnNewInvoice ? TrecSavedData{} : checkStoredVersion(*db);
        version = before.blnNewInvoice ? 0 : stored.intRowVersion + 1;
        // What another copy stored meanwhile may carry another rule.
        Totals::pCalcTotals(doc, m_context.edition(), m_context.company, m_context.locale);
        if (h.intJobID == 0)
            h.intJobID = h.intInvNumber;
        if (m_context.edition().storesDocuments())
            PaymentRules::settle(doc, stored, before.blnNewInvoice, QDate::currentDate());
        ReportPostings::pUpdateReport(*db, h, doc.totals, stored);
        doc.invoiceOwed = PastDueLink::owedOnInvoice(m_context, *db, h);
        // The balance follows the settled payments and a credit's cleared flag.
        Totals::pShowPayments(doc, m_context.edition(), m_context.locale);
        writeHeader(*db, before.blnNewInvoice);
        // The posting just made is in cents, by the rule the figures were worked out with.
        Statement mark = db->prepare(QStringLiteral("UPDATE tblInvHeader SET strPostedInCents = ? WHERE intInvNumber = ?"));
        mark.bindAll(storedRuleText(Totals::ruleFor(doc)), h.intInvNumber);
        mark.run();
        writeLines(*db);
        if (m_context.edition().storesDocuments())
            Payments::store(*db, h.intInvNumber, doc.payments);
        if (alsoWrite)
            alsoWrite(*db, h.intInvNumber);
        tx.commit();
    } catch (...) {
        doc.header = before;
        doc.payments = paymentsBefore;
        doc.saved = savedBefore;
        Totals::pShowPayments(doc, m_context.edition(), m_context.locale);
        throw;
    }

    doc.header.blnNewInvoice = false;
    pUpdateSavedData();
    doc.saved.intRowVersion = version;
    if (before.blnNewInvoice && doc.header.intInvNumber != before.intInvNumber) {
        m_context.prompts().ShowInformation(
            QStringLiteral("Number %1 was taken meanwhile by another document, so this %2 was saved as number %3.")
                .arg(before.intInvNumber)
                .arg(doc.header.strInvName)
                .arg(doc.header.intInvNumber));
    }
    return doc.header.intInvNumber;
}

TrecSavedData DocumentStore::checkStoredVersion(Database &db)
{
    CurrentDocument &doc = m_document;
    const int number = doc.header.intInvNumber;
    Statement q = db.prepare(QStringLiteral("SELECT intRowVersion FROM tblInvHeader WHERE intInvNumber = ?"));
    q.bind(1, number);
    const QString caption = doc.header.strInvName + QLatin1Char(' ') + QString::number(number);
    if (!q.step()) {
        if (!m_storeAgainIfDeleted)
            throw RowConflict(RowConflict::Kind::DeletedMeanwhile, caption);
        // Its posting stayed when it was deleted; this save replaces it.
        TrecSavedData again = doc.saved;
        again.intRowVersion = -1;
        return again;
    }
    if (q.int64At(0) == doc.saved.intRowVersion)
        return doc.saved;
    CurrentDocument theirs(m_context.edition());
    theirs.header.intInvNumber = number;
    theirs.header.blnManualForm = doc.header.blnManualForm;
    DocumentStore(m_context, theirs).loadFrom(db);
    if (!DocumentMerge::combine(doc, theirs))
        throw RowConflict(RowConflict::Kind::ChangedMeanwhile, caption);
    return doc.saved;
}

void DocumentStore::writeHeader(Database &db, bool isNew)
{
    const CurrentDocument &doc = m_document;
    if (!isNew) {
        // Writes only over the version that was checked, inside this transaction.
        Statement update = db.prepare(
            QStringLiteral("UPDATE tblInvHeader SET %1, intRowVersion = intRowVersion + 1 "
                           "WHERE intInvNumber = ? AND intRowVersion = ?")
                .arg(SqlColumns::assignments(kHeaderColumns)));
        bindHeader(update, doc.header, doc.notes);
        update.bind(int(kHeaderColumns.size()) + 1, doc.header.intInvNumber);
        update.bind(int(kHeaderColumns.size()) + 2, doc.saved.intRowVersion);
        update.run();
        if (db.changes() > 0)
            return;
        if (headerExists(db, doc.header.intInvNumber)) {
            throw RowConflict(RowConflict::Kind::ChangedMeanwhile,
                                   doc.header.strInvName + QLatin1Char(' ') + QString::number(doc.header.intInvNumber));
        }
        // Deleted meanwhile and chosen to be stored again.
    }
    Statement insert = db.prepare(QStringLiteral("INSERT INTO tblInvHeader%1").arg(SqlColumns::insertList(kHeaderColumns)));
    bindHeader(insert, doc.header, doc.notes);
    insert.run();
}

void DocumentStore::writeLines(Database &db)
{
    const Edition &edition = m_context.edition();
    if (!edition.storesDocuments())
        return;
    const CurrentDocument &doc = m_document;
    const int number = doc.header.intInvNumber;
    Statement erase = db.prepare(QStringLiteral("DELETE FROM tblInvData WHERE intInvNumber = ?"));
    erase.bind(1, number);
    erase.run();

    const InvoiceLines &lines = doc.lines;
    if (edition.usesWorkSheets()) {
        Statement insert = db.prepare(QStringLiteral("INSERT INTO tblInvData%1")
                                          .arg(SqlColumns::insertList(QStringList{QStringLiteral("intInvNumber")}
                                                                      + kWorkSheetColumns)));
        for (const WorkSheet &sheet : lines.workSheets()) {
            insert.bindAll(number, sheet.strWorkSheetName);
            int index = 3;
            for (int value : sheet.counts())
                insert.bind(index++, value);
            insert.bind(index++, sheet.strExtraChargesName);
            insert.bind(index++, storedText(sheet.dbExtraChargesLabor));
            insert.bind(index++, storedText(sheet.dbExtraChargesMaterial));
            insert.run();
            insert.reset();
        }
        Statement forget = db.prepare(QStringLiteral("DELETE FROM tblSavedPrices WHERE intPrcItemInvNum = ?"));
        forget.bind(1, number);
        forget.run();
        pSaveSavedPrices(db, number);
        return;
    }

    Statement insert = db.prepare(QStringLiteral(
        "INSERT INTO tblInvData(intInvNumber,strPrcItemName,strPrcItmQuantity,strLabTax,strMatTax,dbLbrPrc,dbMatPrc)"
        "VALUES(?,?,?,?,?,?,?)"));
    for (const PriceLine &line : lines.priceLines()) {
        insert.bindAll(number, line.description, storedText(line.quantity), line.laborTaxable, line.materialTaxable,
                       line.laborPrice, line.materialPrice);
        insert.run();
        insert.reset();
    }
}

void DocumentStore::pLoadSavedPrices(Database &db, bool fromPriceList)
{
    CurrentDocument &doc = m_document;
    Statement q = fromPriceList
        ? db.prepare(QStringLiteral("SELECT intPrcItemNumID, dbLbrPrc, dbMatPrc FROM tblPrices"))
        : db.prepare(QStringLiteral("SELECT intPrcItemNumID, dbLbrPrc, dbMatPrc FROM tblSavedPrices WHERE "
                                    "intPrcItemInvNum = ?"));
    if (!fromPriceList)
        q.bind(1, doc.header.intInvNumber);
    while (q.step()) {
        const int item = q.intAt(0);
        if (item < 1 || item > 27)
            continue;
        doc.LbrPrices[std::size_t(item)] = q.doubleAt(1);
        doc.MatPrices[std::size_t(item)] = q.doubleAt(2);
    }
}

void DocumentStore::pSaveSavedPrices(Database &db, int number)
{
    const CurrentDocument &doc = m_document;
    Statement insert = db.prepare(QStringLiteral(
        "INSERT INTO tblSavedPrices(intPrcItemNumID,intPrcItemInvNum,dbLbrPrc,dbMatPrc)VALUES(?,?,?,?)"));
    for (int item = 1; item <= 27; ++item) {
        insert.bindAll(item, number, doc.LbrPrices[std::size_t(item)], doc.MatPrices[std::size_t(item)]);
        insert.run();
        insert.reset();
    }
}

void DocumentStore::pDeleteInvoice()
{
    const int number = m_document.header.intInvNumber;
    if (number <= 0)
        return;
    const BusyPolicy::OperationWait oneWait;
    const auto db = m_context.openDatabase();
    {
        Transaction tx(*db);
        PastDueLink::handOverPayments(*db, number);
        for (const char *sql : {"DELETE FROM tblInvHeader WHERE intInvNumber = ?",
                                "DELETE FROM tblInvData WHERE intInvNumber = ?",
                                "DELETE FROM tblPayments WHERE intInvNumber = ?"}) {
            Statement erase = db->prepare(QString::fromLatin1(sql));
            erase.bind(1, number);
            erase.run();
        }
        tx.commit();
    }
    db->compact();
}

void DocumentStore::pDeleteInvoiceData()
{
    const int number = m_document.header.intInvNumber;
    if (number <= 0)
        return;
    const auto db = m_context.openDatabase();
    Statement erase = db->prepare(QStringLiteral("DELETE FROM tblInvData WHERE intInvNumber = ?"));
    erase.bind(1, number);
    erase.run();
    db->compact();
}
