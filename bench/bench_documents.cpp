// Times opening, saving and deleting one document in a database of realistic size,
// next to the bare SQLite cost of the same statements, measured in the same run.

#include "BenchSupport.h"
#include "DataGenerator.h"
#include "context/AppContext.h"
#include "core/Edition.h"
#include "core/Paths.h"
#include "app/StartUp.h"
#include "data/SavingIndicator.h"
#include "invoice/DocumentStore.h"
#include "printing/PdfOutput.h"
#include "printing/PrintJobs.h"

#include <QPainter>
#include <QPdfWriter>

#include <QGuiApplication>
#include <QDir>
#include <QFileInfo>
#include <random>
#include <sqlite3.h>

namespace {

/// The same statements the program runs, straight through the C API.
class Bare
{
public:
    explicit Bare(const QString &path)
        : m_path(path.toUtf8())
    {
    }

    void open()
    {
        sqlite3_open_v2(m_path.constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_busy_timeout(m_db, 250);
        exec("PRAGMA synchronous = FULL");
    }
    void close() { sqlite3_close_v2(m_db); }
    void exec(const char *sql) { sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr); }

    int query(const char *sql, int number)
    {
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(m_db, sql, -1, &stmt, nullptr);
        sqlite3_bind_int(stmt, 1, number);
        return readAllRows(stmt);
    }

    void load(int number)
    {
        open();
        query("SELECT * FROM tblInvHeader WHERE intInvNumber = ?", number);
        query("SELECT strPrcItemName,strPrcItmQuantity,strLabTax,strMatTax,dbLbrPrc,dbMatPrc FROM tblInvData "
              "WHERE intInvNumber = ? ORDER BY intInvDataID",
              number);
        close();
    }

    void insertLines(int number, int lines)
    {
        query("DELETE FROM tblInvData WHERE intInvNumber = ?", number);
        sqlite3_stmt *insert = nullptr;
        sqlite3_prepare_v2(m_db,
                           "INSERT INTO tblInvData(intInvNumber,strPrcItemName,strPrcItmQuantity,strLabTax,strMatTax,"
                           "dbLbrPrc,dbMatPrc)VALUES(?,'line','1','0','0',1.5,2.5)",
                           -1, &insert, nullptr);
        for (int i = 0; i < lines; ++i) {
            sqlite3_bind_int(insert, 1, number);
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
    }

    void saveNew(int number, int lines)
    {
        open();
        exec("BEGIN IMMEDIATE");
        query("SELECT intInvNumber FROM tblCompanyInvData WHERE intCompInvDataID = ?", 1);
        query("SELECT 1 FROM tblInvHeader WHERE intInvNumber = ?", number);
        query("UPDATE tblCompanyInvData SET intInvNumber = intInvNumber WHERE intCompInvDataID = ?", 1);
        query("INSERT INTO tblInvHeader(strInvName,intInvNumber,strInvDate,strFromInvNameNumber,strRecurring,"
              "strPaidInFull,intInvFootNotes,strCustCmpnyName,strCustFullName,strCustAddress,strCustCtyStZp,"
              "strCustMainPhone,strCustExtraPhone1,strCustExtraPhone2,strCustTaxExemptNum,strCustPONumber,"
              "strCustPymntTerms,strCustNotes,intCustDiscountPercent,strCustTaxExempt,strUseTax1,strUseTax2,"
              "strUseTax3,dbTaxRate1,dbTaxRate2,dbTaxRate3,strInvNotes,dbPaidAmount,dbDepositAmount,strInvTotal)"
              "VALUES('Invoice',?,'2026-12-01','','0','0',0,'','','','','','','','','','','',0,'0','0','0','0',"
              "0.0123,0.05,0,'',0,0,'40')",
              number);
        insertLines(number, lines);
        exec("COMMIT");
        close();
    }

    void saveAgain(int number, int lines)
    {
        open();
        exec("BEGIN IMMEDIATE");
        query("UPDATE tblInvHeader SET strInvNotes = strInvNotes WHERE intInvNumber = ?", number);
        insertLines(number, lines);
        exec("COMMIT");
        close();
    }

    void remove(int number)
    {
        open();
        exec("BEGIN IMMEDIATE");
        query("DELETE FROM tblInvHeader WHERE intInvNumber = ?", number);
        query("DELETE FROM tblInvData WHERE intInvNumber = ?", number);
        exec("COMMIT");
        exec("PRAGMA incremental_vacuum");
        close();
    }

private:
    QByteArray m_path;
    sqlite3 *m_db = nullptr;
};

} // namespace

int main(int argc, char **argv)
{
    readBenchOptions(argc, argv);
    QGuiApplication app(argc, argv); // fonts for the PDF
    const Edition &edition = Edition::get(Edition::Corvalo);
    const QString path = prepareBenchDatabase(edition, app.arguments());

    SilentPrompts prompts;
    NoSavingIndicator saving;
    AppContext context(edition, prompts, saving);
    context.locale = QLocale(QLocale::English, QLocale::UnitedStates);
    StartUp::pStartUp(context);
    DocumentStore store(context);
    Bare bare(path);
    CurrentDocument &doc = context.document;

    std::mt19937 rng(7);
    const int first = 500;
    const int last = store.GetInvoiceNumber() - 1;
    std::vector<int> numbers(41);
    for (int &n : numbers)
        n = std::uniform_int_distribution<int>(first, last)(rng);
    const int runs = int(numbers.size());

    printHeading();
    const auto open = [&](int i) {
        doc.header.blnNewInvoice = false;
        doc.header.intInvNumber = numbers[std::size_t(i)];
        store.pLoadInvoice();
    };
    printRow("open a saved document", medianMs(runs, open),
             medianMs(runs, [&](int i) { bare.load(numbers[std::size_t(i)]); }));

    const auto fresh = [&](int) {
        doc.header.blnNewInvoice = true;
        store.pLoadInvoice();
        doc.header.strInvName = QStringLiteral("Invoice");
        doc.header.strInvDate = QDate(2026, 12, 1);
        for (int l = 0; l < 10; ++l)
            doc.lines.appendPriceLine({"line", 1, 1.5, 2.5, false, false});
    };
    std::vector<int> created;
    // The bare side works on documents of its own, numbered far above the program's.
    const auto bareNumber = [](int i) { return 10000000 + i; };
    printRow("save a new document (10 lines)",
             medianMs(runs, [&](int) { created.push_back(store.pSaveInvoice()); }, fresh),
             medianMs(runs, [&](int i) { bare.saveNew(bareNumber(i), 10); }));

    printRow("save it again (header + lines)", medianMs(runs, [&](int) { store.pSaveInvoice(); }, open),
             medianMs(runs, [&](int i) { bare.saveAgain(bareNumber(i), 10); }));

    printRow("delete a document",
             medianMs(runs, [&](int) { store.pDeleteInvoice(); },
                      [&](int i) { doc.header.intInvNumber = created[std::size_t(i)]; }),
             medianMs(runs, [&](int i) { bare.remove(bareNumber(i)); }));

    // A document of 1,000 lines, opened and saved again.
    fresh(0);
    for (int l = 10; l < 1000; ++l)
        doc.lines.appendPriceLine({"line", 1, 1.5, 2.5, false, false});
    const int longOne = store.pSaveInvoice();
    bare.saveNew(20000000, 1000);
    const auto openLong = [&](int) {
        doc.header.blnNewInvoice = false;
        doc.header.intInvNumber = longOne;
        store.pLoadInvoice();
    };
    printRow("open a 1,000-line document", medianMs(15, openLong), medianMs(15, [&](int) { bare.load(20000000); }));
    printRow("save a 1,000-line document again", medianMs(15, [&](int) { store.pSaveInvoice(); }, openLong),
             medianMs(15, [&](int) { bare.saveAgain(20000000, 1000); }));

    // A three-page invoice to PDF, next to QPdfWriter drawing the same texts bare:
    // as many lines as three pages hold.
    fresh(0);
    const auto pageCount = [&] { return PrintJobs::RvSystemPrntDocsPrint(context, PrintRequest::of(PrintKind::CurrentDocument)).pages.size(); };
    while (pageCount() <= 3)
        doc.lines.appendPriceLine({QStringLiteral("Line of a long job"), 2, 12.5, 3, true, false});
    doc.lines.removeLine(doc.lines.rowCount() - 1);
    const QString pdf = QFileInfo(path).dir().filePath(QStringLiteral("three-pages.pdf"));
    const ReportJob job = PrintJobs::RvSystemPrntDocsPrint(context, PrintRequest::of(PrintKind::CurrentDocument));
    note("(the document has %d lines and runs to %lld pages)", doc.lines.rowCount(),
         static_cast<long long>(job.pages.size()));
    const auto bareTexts = [&](int) {
        QPdfWriter writer(pdf);
        writer.setPageSize(QPageSize(QPageSize::Letter));
        QPainter painter(&writer);
        for (qsizetype p = 0; p < job.pages.size(); ++p) {
            if (p > 0)
                writer.newPage();
            int y = 200;
            for (int l = 0; l < 45; ++l, y += 200)
                painter.drawText(200, y, QStringLiteral("Line of a long job  2  $31.00  $62.00"));
        }
    };
    printRow("PDF of a 3-page invoice",
             medianMs(15, [&](int) { PdfOutput::writeFile(PrintJobs::RvSystemPrntDocsPrint(context, PrintRequest::of(PrintKind::CurrentDocument)), pdf); }),
             medianMs(15, bareTexts));
    return 0;
}
