#include "TestEnvironment.h"
#include "editing/EditingSession.h"
#include "invoice/DocumentActions.h"
#include "invoice/DocumentStore.h"
#include "invoice/Totals.h"
#include "invoice/WorkSheet.h"
#include "core/Edition.h"
#include "core/Paths.h"
#include "data/Database.h"
#include "data/DateText.h"
#include "printing/InvoiceReport.h"
#include "printing/ListReports.h"
#include "printing/InvoiceRowFeed.h"
#include "printing/PageViewer.h"
#include "printing/PdfOutput.h"
#include "printing/BandLayout.h"
#include "printing/ReportFonts.h"
#include "printing/ReportError.h"
#include "printing/PrintJobs.h"
#include "printing/TfrmPrntPreview.h"
#include "printing/TmodPrintData.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QFileInfo>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <csignal>
#include <sys/resource.h>

namespace {

const QString kCustomer = QStringLiteral("Martha Hargrove");

Payment received(QDate date, double amount)
{
    Payment payment;
    payment.date = date;
    payment.amount = amount;
    return payment;
}

/// Prints into a list instead of onto paper.
class RecordingPrinter final : public PrinterOutput
{
public:
    explicit RecordingPrinter(QList<ReportJob> &jobs)
        : m_jobs(jobs)
    {
    }
    void print(const ReportJob &job, const PageProgress &) override { m_jobs.append(job); }

private:
    QList<ReportJob> &m_jobs;
};

QString lineDescription(int i)
{
    return QStringLiteral("Repaint window frame no. %1").arg(i + 1);
}

/// A document with \a lines price-item lines (quantity 2, labor 10.00, material
/// 2.50) and print texts set as the totals would set them.
void fillDocument(AppContext &context, const QString &kind, int number, int lines)
{
    TrecInvHeader &header = context.document.header;
    header = TrecInvHeader();
    header.strInvName = kind;
    header.intInvNumber = number;
    header.strInvDate = QDate(2026, 3, 1);
    header.strCustCmpnyName = QStringLiteral("Hargrove Builders");
    header.strCustFullName = kCustomer;
    header.strCustAddress = QStringLiteral("42 Elm Street");
    header.strCustPymntTerms = QStringLiteral("Net Due on the 20th");
    header.strCustPONumber = QStringLiteral("PO-7781");

    context.document.lines.clear();
    for (int i = 0; i < lines; ++i)
        context.document.lines.appendPriceLine({lineDescription(i), 2, 10.00, 2.50, true, false});
    context.document.notes.clear();
    context.document.print = {QStringLiteral("Thank you for your business."), QStringLiteral("$0.00"),
                              QStringLiteral("$40.00"), QStringLiteral("$1.23"), QStringLiteral("$987.65"),
                              QStringLiteral("$948.88")};

    TrecCmpnyInvData &settings = context.company.invData;
    settings.strShowQuantity = settings.strShowPrcEach = settings.strShowTotal = true;
    settings.strShowTotalonWO = false;
    settings.intNumEstDays = 30;
}

QString runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>").arg(program, QString::fromUtf8(process.readAllStandardError()));
    return QString::fromUtf8(process.readAllStandardOutput());
}

/// The text of \a page (from 1) of a PDF file, or of every page when \a page is 0.
QString pdfText(const QString &path, int page = 0)
{
    QStringList arguments{QStringLiteral("-enc"), QStringLiteral("UTF-8")};
    if (page > 0)
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
    return runTool(QStringLiteral("pdftotext"), arguments << path << QStringLiteral("-"));
}

QString pdfInfoField(const QString &path, const QString &field)
{
    const QStringList lines = runTool(QStringLiteral("pdfinfo"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path})
                                  .split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        if (line.startsWith(field + QLatin1Char(':')))
            return line.mid(field.size() + 1).trimmed();
    }
    return {};
}

ReportJob documentJob(const AppContext &context)
{
    return PrintJobs::RvSystemPrntDocsPrint(context, PrintRequest::of(PrintKind::CurrentDocument));
}

QString writePdf(const AppContext &context, const QTemporaryDir &dir, const QString &name = QStringLiteral("doc.pdf"))
{
    const QString path = dir.filePath(name);
    PdfOutput::writeFile(documentJob(context), path);
    return path;
}

/// The top of the first text item named \a name, or -1.
double topOf(const ReportPage &page, const QString &name)
{
    const TextItem *item = page.find<TextItem>(name);
    return item ? item->rect.top() : -1;
}

QString textOf(const ReportPage &page, const QString &name)
{
    const TextItem *item = page.find<TextItem>(name);
    return item ? item->text : QStringLiteral("<missing>");
}

void saveLogo(const AppContext &context, QSize size)
{
    QImage logo(size, QImage::Format_RGB32);
    logo.fill(QColor(0, 90, 160));
    QVERIFY(logo.save(Paths::GetLogoPath(context.edition()), "JPG"));
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden);
}

} // namespace

class TestPrinting : public QObject
{
    Q_OBJECT

private slots:
    void aCancelledPdfLeavesNoFile()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("stopped.pdf"));
        QList<int> asked;
        const auto stopAtTwo = [&asked](int page) {
            asked << page;
            return page < 2;
        };
        ReportJob job = documentJob(session.context);
        const ReportPage page = job.pages.first();
        job.pages = {page, page, page};
        QVERIFY_THROWS_EXCEPTION(JobCancelled, PdfOutput::writeFile(job, path, stopAtTwo));
        QCOMPARE(asked, QList<int>({1, 2}));
        QVERIFY(!QFileInfo::exists(path));
    }

    void pdfCarriesTheDocumentAsSearchableText()
    {
        TestSession session(Edition::Corvalo);
        session.start(QDate(2026, 3, 1));
        AppContext &context = session.context;
        fillDocument(context, QStringLiteral("Estimate"), 512, 2);
        context.document.notes = QStringLiteral("Colours as agreed on site.");

        QTemporaryDir dir;
        const QString path = writePdf(context, dir);
        const QString text = pdfText(path);
        const QString validUntil = QStringLiteral("Estimate Valid Until ")
                                   + DateText::shortDate(QDate(2026, 3, 31), context.locale);
        for (const QString &expected :
             {QStringLiteral("Estimate 512"), validUntil, DateText::shortDate(context.document.header.strInvDate, context.locale), kCustomer,
              QStringLiteral("Hargrove Builders"), context.company.company.strCompName, lineDescription(0),
              lineDescription(1), QStringLiteral("Colours as agreed on site."), QStringLiteral("$12.50"),
              QStringLiteral("$25.00"), QStringLiteral("Deposit Amount"), QStringLiteral("$40.00"),
              QStringLiteral("$987.65"), QStringLiteral("$1.23"), QStringLiteral("Estimate Total"),
              QStringLiteral("$948.88"), QStringLiteral("Thank you for your business."),
              QStringLiteral("Page 1 of 1")})
            QVERIFY2(text.contains(expected), qPrintable(expected + QStringLiteral(" missing from:\n") + text));

        QCOMPARE(pdfInfoField(path, QStringLiteral("Title")), QStringLiteral("Estimate 512"));
        QCOMPARE(pdfInfoField(path, QStringLiteral("Subject")), QStringLiteral("Estimate"));
        QCOMPARE(pdfInfoField(path, QStringLiteral("Keywords")), QStringLiteral("Estimate 512"));
        QCOMPARE(pdfInfoField(path, QStringLiteral("Author")), context.company.company.strCompName);
        QCOMPARE(pdfInfoField(path, QStringLiteral("Producer")), context.company.company.strCompName);
        QCOMPARE(pdfInfoField(path, QStringLiteral("Page size")), QStringLiteral("612 x 792 pts (letter)"));
    }

    void aDepositKindWithDepositsReceivedEndsInBalanceDue_data()
    {
        QTest::addColumn<int>("edition");
        QTest::newRow("Corvalo") << int(Edition::Corvalo);
        QTest::newRow("Heddrin") << int(Edition::Heddrin);
        QTest::newRow("Ostrev") << int(Edition::Ostrev);
    }

    void aDepositKindWithDepositsReceivedEndsInBalanceDue()
    {
        QFETCH(int, edition);
        TestSession session(edition);
        session.start(QDate(2026, 3, 1));
        AppContext &context = session.context;
        CurrentDocument &doc = context.document;
        doc.header.blnNewInvoice = true;
        DocumentStore(context).pLoadInvoice();
        doc.header.strInvName = QStringLiteral("Estimate");
        doc.header.strInvDate = QDate(2026, 3, 1);
        doc.header.strCustFullName = kCustomer;
        doc.header.dbDepositAmount = 100;
        if (context.edition().usesWorkSheets()) {
            WorkSheet porch;
            porch.strExtraChargesName = QStringLiteral("Porch rail");
            porch.dbExtraChargesLabor = 269.04;
            doc.lines.appendWorkSheet(porch);
        } else {
            doc.lines.appendPriceLine({QStringLiteral("Porch rail"), 1, 269.04, 0, false, false});
        }
        const int number = DocumentStore(context).pSaveInvoice();
        const auto reload = [&] {
            doc.header.blnNewInvoice = false;
            doc.header.intInvNumber = number;
            DocumentStore(context).pLoadInvoice();
        };
        QTemporaryDir dir;

        // Nothing received yet: the total, under its usual words.
        QString printed = pdfText(writePdf(context, dir, QStringLiteral("asked.pdf")));
        for (const char *expected : {"Deposit Amount", "$100.00", "Estimate Total", "$269.04"})
            QVERIFY2(printed.contains(QLatin1String(expected)), qPrintable(printed));
        QVERIFY(!printed.contains(QStringLiteral("Balance Due")));

        // A deposit received is taken off: the last line says what the figure is.
        DocumentActions(context).recordPayment(number, received(QDate(2026, 3, 2), 100));
        reload();
        printed = pdfText(writePdf(context, dir, QStringLiteral("received.pdf")));
        for (const char *expected : {"Deposit Amount", "Deposit Received", "Balance Due", "$169.04"})
            QVERIFY2(printed.contains(QLatin1String(expected)), qPrintable(printed));
        QVERIFY(!printed.contains(QStringLiteral("Estimate Total")));
        QCOMPARE(EditingSession(context).totalCaption(), QStringLiteral("Balance Due"));

        // Billed, it reads as every invoice does.
        DocumentActions(context).convert(number, QStringLiteral("Invoice"));
        reload();
        printed = pdfText(writePdf(context, dir, QStringLiteral("billed.pdf")));
        for (const char *expected : {"Amount Paid", "Invoice Total", "$169.04"})
            QVERIFY2(printed.contains(QLatin1String(expected)), qPrintable(printed));
        QVERIFY(!printed.contains(QStringLiteral("Balance Due")));
        QCOMPARE(EditingSession(context).totalCaption(), QStringLiteral("Invoice Total"));
    }

    void longDocumentRepeatsItsFurnitureOnEveryPage()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        AppContext &context = session.context;
        fillDocument(context, QStringLiteral("Invoice"), 514, 60);
        context.document.header.blnAddSignatureLine = true;

        QTemporaryDir dir;
        const QString path = writePdf(context, dir);
        const int pages = pdfInfoField(path, QStringLiteral("Pages")).toInt();
        QVERIFY2(pages >= 3, qPrintable(QString::number(pages)));

        int nextLine = 0;
        for (int page = 1; page <= pages; ++page) {
            const QString text = pdfText(path, page);
            for (const QString &furniture :
                 {QStringLiteral("Page %1 of %2").arg(page).arg(pages), QStringLiteral("Invoice 514"),
                  context.company.company.strCompName, kCustomer, QStringLiteral("Price Item Description"),
                  QStringLiteral("Amount Paid"), QStringLiteral("Invoice Total"), QStringLiteral("$948.88"),
                  QStringLiteral("Thank you for your business.")})
                QVERIFY2(text.contains(furniture), qPrintable(QStringLiteral("page %1: %2").arg(page).arg(furniture)));
            // Every line prints once, in order, none lost at a page break.
            while (nextLine < 60 && text.contains(lineDescription(nextLine) + QLatin1Char('\n')))
                ++nextLine;
        }
        QCOMPARE(nextLine, 60);
        QVERIFY(pdfText(path, pages).contains(QStringLiteral("Authorized Signature")));
        QVERIFY(!pdfText(path, 1).contains(QStringLiteral("Authorized Signature")));
    }

    void contractAndWarrantyFollowOnlyWhenAsked_data()
    {
        QTest::addColumn<bool>("contract");
        QTest::addColumn<bool>("warranty");
        QTest::newRow("neither") << false << false;
        QTest::newRow("contract") << true << false;
        QTest::newRow("warranty") << false << true;
        QTest::newRow("both") << true << true;
    }

    void contractAndWarrantyFollowOnlyWhenAsked()
    {
        QFETCH(bool, contract);
        QFETCH(bool, warranty);
        TestSession session(Edition::Corvalo);
        session.start();
        AppContext &context = session.context;
        const QString contractText = QStringLiteral("Payment \"in full\" – Zoë's terms\r\nSecond clause.");
        {
            const auto db = session.db();
            db->prepare(QStringLiteral("UPDATE tblContractWarranty SET strContractName = ?, strContract = ?"))
                .bindAll(QStringLiteral("Our Contract"), contractText)
                .run();
        }
        fillDocument(context, QStringLiteral("Invoice"), 520, 3);
        const int documentPages = int(documentJob(context).pages.size());
        context.document.header.blnPrintContract = contract;
        context.document.header.blnPrintWarranty = warranty;

        const ReportJob job = documentJob(context);
        QCOMPARE(job.pages.size(), documentPages + int(contract) + int(warranty));
        int page = documentPages;
        if (contract) {
            const ReportPage &first = job.pages.at(page++);
            QCOMPARE(textOf(first, QStringLiteral("rvtxtTitle")), QStringLiteral("Our Contract"));
            QVERIFY(first.texts().contains(QStringLiteral("Payment \"in full\" – Zoë's terms")));
            QVERIFY(first.texts().contains(QStringLiteral("Second clause.")));
            QVERIFY(!first.texts().contains(QStringLiteral("Invoice 520")));
        }
        if (warranty) {
            const ReportPage &first = job.pages.at(page++);
            QCOMPARE(textOf(first, QStringLiteral("rvtxtTitle")), QStringLiteral("SAMPLE WARRANTY"));
            QCOMPARE(textOf(first, QStringLiteral("rvtxtPageNumber")), QStringLiteral("Page 1 of 1"));
        }
    }

    void longContractContinuesUnderItsTitle()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        QString body;
        for (int i = 0; i < 150; ++i)
            body += QStringLiteral("Clause %1 of the agreement.\r\n").arg(i + 1);
        session.db()->prepare(QStringLiteral("UPDATE tblContractWarranty SET strContract = ?")).bindAll(body).run();

        const ReportJob job = PrintJobs::RvSystemPrntDocsPrint(session.context, PrintRequest::of(PrintKind::Contract));
        QCOMPARE(job.pages.size(), 3);
        QStringList printed;
        for (int i = 0; i < job.pages.size(); ++i) {
            const ReportPage &page = job.pages.at(i);
            QCOMPARE(textOf(page, QStringLiteral("rvtxtTitle")), QStringLiteral("SAMPLE CONTRACT"));
            QCOMPARE(textOf(page, QStringLiteral("rvtxtPageNumber")), QStringLiteral("Page %1 of 3").arg(i + 1));
            for (const TextItem *line : page.textsNamed(QStringLiteral("rvtxtBody"))) {
                QVERIFY(line->rect.bottom() <= 0.8 + 9.6 + 1e-9);
                printed << line->text;
            }
        }
        QCOMPARE(printed.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"), body);
    }

    void keptBandsMoveToTheNextPageTogether()
    {
        const QRectF region(0, 0, 8, 1.0);
        const auto band = [](bool keep) { return Band{0.2, {Items::text("b", 0, 0, 1, {}, Qt::AlignLeft, "x")}, keep}; };
        const auto pageSizes = [](const QList<ReportPage> &pages) {
            QList<qsizetype> sizes;
            for (const ReportPage &page : pages)
                sizes << page.items.size();
            return sizes;
        };
        // Three lines, then a heading kept with the two lines after it: all three go on.
        QCOMPARE(pageSizes(layoutBands(region, {band(false), band(false), band(false), band(true), band(true),
                                                band(false)}, {})),
                 (QList<qsizetype>{3, 3}));
        // A group that fits where it is stays.
        QCOMPARE(pageSizes(layoutBands(region, {band(false), band(true), band(false), band(false)}, {})),
                 (QList<qsizetype>{4}));
        // A group higher than a page flows on as if it were not kept.
        QList<Band> tall{band(false), band(false)};
        for (int i = 0; i < 7; ++i)
            tall << band(i < 6);
        QCOMPARE(pageSizes(layoutBands(region, tall, {})), (QList<qsizetype>{5, 4}));
    }

    void contractHeadingStaysWithItsText()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        const int linesPerPage = int(9.6 / ReportFonts::lineHeight(ReportFont{}) + 1e-9);
        QString body;
        for (int i = 0; i < linesPerPage - 2; ++i)
            body += QStringLiteral("Clause %1.\r\n").arg(i + 1);
        body += QStringLiteral("\r\nCOMPANY PAYMENT ARRANGEMENTS\r\nA deposit of one third is due on signing.\r\n");
        session.db()->prepare(QStringLiteral("UPDATE tblContractWarranty SET strContract = ?")).bindAll(body).run();

        const ReportJob job = PrintJobs::RvSystemPrntDocsPrint(session.context, PrintRequest::of(PrintKind::Contract));
        QCOMPARE(job.pages.size(), 2);
        const QStringList second = job.pages.at(1).texts();
        QVERIFY(second.contains(QStringLiteral("COMPANY PAYMENT ARRANGEMENTS")));
        QVERIFY(second.contains(QStringLiteral("A deposit of one third is due on signing.")));
        QVERIFY(job.pages.at(0).texts().contains(QStringLiteral("Clause %1.").arg(linesPerPage - 2)));
    }

    void workSheetBlocksAreNotSplit()
    {
        TestSession heddrin(Edition::Heddrin);
        heddrin.start();
        AppContext &context = heddrin.context;
        fillDocument(context, QStringLiteral("Estimate"), 571, 0);
        QList<WorkSheet> rooms;
        for (int i = 0; i < 12; ++i) {
            WorkSheet room;
            room.strWorkSheetName = QStringLiteral("Room %1").arg(i + 1);
            room.intAreaWorkOn = WorkSheet::WallsOnly;
            room.intAreaLength = 12 + i;
            room.intAreaWidth = 10;
            room.intAreaHeight = 8;
            room.intPaintsCoats = 2;
            room.intNumOfDoors = 1;
            room.strExtraChargesName = QStringLiteral("Move furniture");
            room.dbExtraChargesLabor = 25;
            rooms << room;
        }
        context.document.lines.setWorkSheets(rooms);
        context.document.LbrPrices[1] = 0.21;
        Totals::pCalcTotals(context.document, context.edition(), context.company, context.locale);

        const QList<ReportPage> pages = documentJob(context).pages.toList();
        QVERIFY(pages.size() > 1);
        int roomsSeen = 0;
        for (const ReportPage &page : pages) {
            QStringList lines;
            for (const TextItem *line : page.textsNamed(QStringLiteral("rvtxtDescription"))) {
                if (!line->text.isEmpty())
                    lines << line->text;
            }
            // Every block on a page runs from its name through its "Total :" line.
            QVERIFY2(lines.first().startsWith(QStringLiteral("Room ")), qPrintable(lines.join('|')));
            QVERIFY2(lines.last().startsWith(QStringLiteral("Total : ")), qPrintable(lines.join('|')));
            roomsSeen += int(lines.filter(QRegularExpression(QStringLiteral("^Room \\d+$"))).size());
        }
        QCOMPARE(roomsSeen, 12);
    }

    void longNumbersAndAmountsShowWhole()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        AppContext &context = session.context;
        fillDocument(context, QStringLiteral("Invoice"), 530, 1);
        context.document.header.strCustPONumber = QStringLiteral("PO-2026-WWMM-0000-1234567");
        QCOMPARE(context.document.header.strCustPONumber.size(), 25);
        PriceLine huge = context.document.lines.priceLine(0);
        huge.laborPrice = 10999999999.99;
        huge.quantity = 1;
        context.document.lines.setPriceLine(0, huge);
        Totals::pCalcTotals(context.document, context.edition(), context.company, context.locale);

        const ReportPage page = documentJob(context).pages.first();
        const auto fitsWhole = [&page](const QString &name, const QString &text) {
            const TextItem *item = page.find<TextItem>(name);
            QVERIFY2(item, qPrintable(name));
            QCOMPARE(item->text, text);
            QVERIFY2(ReportFonts::textWidth(item->font, item->text) <= item->rect.width() + 1e-9,
                     qPrintable(name + QStringLiteral(" at %1 pt").arg(item->font.pointSize)));
        };
        fitsWhole(QStringLiteral("rvtxtCustPO"), QStringLiteral("PO-2026-WWMM-0000-1234567"));
        fitsWhole(QStringLiteral("rvtxtMiddle"), QStringLiteral("$11,000,000,002.49")); // price each
        fitsWhole(QStringLiteral("rvtxtRight"), QStringLiteral("$11,000,000,002.49"));
        fitsWhole(QStringLiteral("rvtxtSubTotal"), context.document.print.strSubTotal);
        fitsWhole(QStringLiteral("rvtxtTotal"), context.document.print.strTotal);
        // Short texts keep the font of their box.
        QCOMPARE(page.find<TextItem>(QStringLiteral("rvtxtCustTaxEmptNumber"))->font.pointSize, 10.0);
    }

    void longerOrderNumbersAndNamesStillShowInTheirBoxes()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        AppContext &context = session.context;
        fillDocument(context, QStringLiteral("Invoice"), 531, 1);
        // Older files and imports hold texts longer than the fields now allow.
        const QString order = QStringLiteral("PO-2026-0000-1111-2222-3333-4444-5555666");
        const QString unbroken = QStringLiteral("PO2026000011112222333344445555666677778888");
        const QString name = QStringLiteral("Hargrove \"Builders\" and Remodelling Company of the Greater Springfield "
                                            "Area, Incorporated, Division of \u00d6sterreich Works and Sons Ltd.");
        QVERIFY(name.size() > 120);
        for (const QString &number : {order, unbroken}) {
            context.document.header.strCustPONumber = number;
            context.document.header.strCustCmpnyName = name;
            const ReportPage page = documentJob(context).pages.first();
            const TextItem *po = page.find<TextItem>(QStringLiteral("rvtxtCustPO"));
            QVERIFY(po);
            QCOMPARE(QString(po->text).remove(QLatin1Char('\n')), number); // all of it, on two lines
            for (const QString &line : po->text.split(QLatin1Char('\n')))
                QVERIFY2(ReportFonts::textWidth(po->font, line) <= po->rect.width() + 1e-9, qPrintable(line));
            QVERIFY(po->font.pointSize >= 4);

            // A name too long for its line ends in an ellipsis at a whole letter.
            const TextItem *company = page.find<TextItem>(QStringLiteral("rvtxtCustComp"));
            QVERIFY(company);
            QVERIFY(company->text.endsWith(QChar(0x2026)));
            QVERIFY(name.startsWith(company->text.chopped(1)));
            QVERIFY(ReportFonts::textWidth(company->font, company->text) <= company->rect.width() + 1e-9);
        }
    }

    void logoFollowsTheCompanySettings_data()
    {
        QTest::addColumn<int>("edition");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("large");
        QTest::addColumn<QSize>("picture"); // empty: no logo file
        QTest::addColumn<QSizeF>("printed"); // empty: no logo printed
        QTest::newRow("no file") << 1 << "Invoice" << false << QSize() << QSizeF();
        QTest::newRow("small") << 1 << "Invoice" << false << QSize(1000, 200) << QSizeF(3.5, 0.7);
        QTest::newRow("large, width capped") << 1 << "Invoice" << true << QSize(1000, 200) << QSizeF(3.85, 1.3);
        QTest::newRow("large square") << 1 << "Estimate" << true << QSize(300, 300) << QSizeF(1.3, 1.3);
        QTest::newRow("work order") << 1 << "work order" << true << QSize(300, 300) << QSizeF();
        QTest::newRow("Lunvard") << 4 << "Invoice" << true << QSize(300, 300) << QSizeF();
    }

    void logoFollowsTheCompanySettings()
    {
        QFETCH(int, edition);
        QFETCH(QString, kind);
        QFETCH(bool, large);
        QFETCH(QSize, picture);
        QFETCH(QSizeF, printed);
        TestSession session(edition);
        session.start();
        AppContext &context = session.context;
        fillDocument(context, kind, 530, 1);
        context.company.invData.strLargeLogo = large;
        context.company.company = TrecCompanyData();
        context.company.company.strCompName = QStringLiteral("Tarnwick Painting");
        context.company.company.strCompAddress = QStringLiteral("1 Mill Road");
        if (!picture.isEmpty())
            saveLogo(context, picture);

        const ReportPage page = documentJob(context).pages.first();
        const ImageItem *logo = page.find<ImageItem>(QStringLiteral("rvBitmapLogo"));
        QCOMPARE(logo != nullptr, !printed.isEmpty());
        const double logoHeight = logo ? logo->rect.height() : 0;
        if (logo) {
            QCOMPARE(logo->rect.topLeft(), QPointF(0.3, 0.1));
            QVERIFY(qAbs(logo->rect.width() - printed.width()) < 1e-9);
            QVERIFY(qAbs(logo->rect.height() - printed.height()) < 1e-9);
        }
        // The company block starts under the logo; the customer bar never above 1.7.
        QCOMPARE(topOf(page, QStringLiteral("rvtxtCompName")), 0.1 + logoHeight);
        QCOMPARE(topOf(page, QStringLiteral("rvtxtCompAddress")), 0.3 + logoHeight);
        QVERIFY(!page.find<TextItem>(QStringLiteral("rvtxtCompEmail")));
        QCOMPARE(page.find<BoxItem>(QStringLiteral("rvrecCustTop"))->rect.top(), std::max(1.7, 0.5 + logoHeight));
    }

    void jobsThatCannotBeMadeAreReportedAndProduceNothing()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        AppContext &context = session.context;
        QList<ReportJob> printed;
        TmodPrintData printing(context, std::make_unique<RecordingPrinter>(printed));
        QTemporaryDir dir;

        fillDocument(context, QStringLiteral("Invoice"), 540, 2);
        QFile logo(Paths::GetLogoPath(context.edition()));
        QVERIFY(logo.open(QIODevice::WriteOnly));
        logo.write("not a picture");
        logo.close();
        QVERIFY(!printing.pPrint(PrintRequest::of(PrintKind::CurrentDocument)));
        QVERIFY(session.prompts.lastMessage().contains(QStringLiteral("CmpLogo.jpg")));

        QVERIFY(logo.remove());
        QCOMPARE(session.prompts.messages(QStringLiteral("Error")).size(), 1);
        QVERIFY(printed.isEmpty());
        QVERIFY(filesIn(dir.path()).isEmpty());
    }

    void valueColumnsAndAmountsFollowKindAndSettings_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("flags"); // q: quantity, p: price each, t: total, w: totals on work orders
        QTest::addColumn<int>("discount");
        QTest::addColumn<QStringList>("headings"); // left, middle, right
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QStringList>("amounts"); // deposit/paid heading and value, discount heading, total
        QTest::newRow("invoice, all shown")
            << "Invoice" << "qpt" << 0 << QStringList{"Quantity", "Price Each", "Total"}
            << QStringList{"2", "$12.50", "$25.00"} << QStringList{"Amount Paid", "$40.00", "", "$948.88"};
        QTest::newRow("quantity and total")
            << "Invoice" << "qt" << 5 << QStringList{"", "Quantity", "Total"} << QStringList{"", "2", "$25.00"}
            << QStringList{"Amount Paid", "$40.00", "Discount", "$948.88"};
        QTest::newRow("work order without prices")
            << "Work Order" << "qpt" << 10 << QStringList{"", "", "Quantity"} << QStringList{"", "", "2"}
            << QStringList{"Deposit Amount", "", "Discount", ""};
        QTest::newRow("work order with prices")
            << "WORK ORDER" << "qptw" << 0 << QStringList{"Quantity", "Price Each", "Total"}
            << QStringList{"2", "$12.50", "$25.00"} << QStringList{"Deposit Amount", "$40.00", "", "$948.88"};
        QTest::newRow("nothing shown") << "Credit" << "" << 0 << QStringList{"", "", ""} << QStringList{"", "", ""}
                                       << QStringList{"Amount Paid", "$40.00", "", "$948.88"};
    }

    void valueColumnsAndAmountsFollowKindAndSettings()
    {
        QFETCH(QString, kind);
        QFETCH(QString, flags);
        QFETCH(int, discount);
        QFETCH(QStringList, headings);
        QFETCH(QStringList, values);
        QFETCH(QStringList, amounts);
        TestSession session(Edition::Corvalo);
        session.start();
        AppContext &context = session.context;
        fillDocument(context, kind, 550, 1);
        context.document.header.intCustDiscountPercent = discount;
        context.document.print.strDiscount = QStringLiteral("$9.99");
        TrecCmpnyInvData &settings = context.company.invData;
        settings.strShowQuantity = flags.contains(QLatin1Char('q'));
        settings.strShowPrcEach = flags.contains(QLatin1Char('p'));
        settings.strShowTotal = flags.contains(QLatin1Char('t'));
        settings.strShowTotalonWO = flags.contains(QLatin1Char('w'));

        const ReportPage page = documentJob(context).pages.first();
        QCOMPARE((QStringList{textOf(page, QStringLiteral("rvtxtLeftHdng")), textOf(page, QStringLiteral("rvtxtMiddleHdng")),
                              textOf(page, QStringLiteral("rvtxtRightHdng"))}),
                 headings);
        const RowFeed feed = InvoiceRows::RvCustomConnectionInvoice(context);
        QCOMPARE((QStringList{feed.value(0, InvoiceRows::kLeft), feed.value(0, InvoiceRows::kMiddle),
                              feed.value(0, InvoiceRows::kRight)}),
                 values);
        // A value prints under its heading.
        for (const QString &column : {QStringLiteral("Left"), QStringLiteral("Middle"), QStringLiteral("Right")}) {
            const TextItem *value = page.find<TextItem>(QStringLiteral("rvtxt") + column);
            const TextItem *heading = page.find<TextItem>(QStringLiteral("rvtxt%1Hdng").arg(column));
            if (value)
                QCOMPARE(value->rect.left(), heading->rect.left());
        }

        QCOMPARE(textOf(page, QStringLiteral("rvtxtDepositPaidHdng")), amounts.at(0));
        QCOMPARE(textOf(page, QStringLiteral("rvtxtDepositPaid")), amounts.at(1));
        QCOMPARE(textOf(page, QStringLiteral("rvtxtDiscountHdng")), amounts.at(2));
        QCOMPARE(textOf(page, QStringLiteral("rvtxtDiscount")),
                 amounts.at(2).isEmpty() || amounts.at(3).isEmpty() ? QString() : QStringLiteral("$9.99"));
        QCOMPARE(textOf(page, QStringLiteral("rvtxtTotalHdng")), kind + QStringLiteral(" Total"));
        QCOMPARE(textOf(page, QStringLiteral("rvtxtTotal")), amounts.at(3));
        QVERIFY(page.find<BoxItem>(QStringLiteral("rerecDiscount")));
    }

    void rowsComeFromLinesAndNotesOrTheWorkSheetText()
    {
        TestSession corvalo(Edition::Corvalo);
        corvalo.start();
        fillDocument(corvalo.context, QStringLiteral("Invoice"), 560, 2);
        corvalo.context.document.notes = QStringLiteral("First note\r\n\r\nThird note\r\n");
        const RowFeed feed = InvoiceRows::RvCustomConnectionInvoice(corvalo.context);
        QCOMPARE(feed.name, QStringLiteral("RvCustomConnectionInvoice"));
        QCOMPARE(feed.rowCount(), 5);
        QCOMPARE(feed.value(1, InvoiceRows::kDescription), lineDescription(1));
        QCOMPARE(feed.rows.at(2), (QStringList{"First note", "", "", "", ""}));
        QCOMPARE(feed.rows.at(3), (QStringList{"", "", "", "", ""}));
        QCOMPARE(feed.value(4, InvoiceRows::kDescription), QStringLiteral("Third note"));

        corvalo.context.document.header.blnManualForm = true;
        QCOMPARE(InvoiceRows::RvCustomConnectionInvoice(corvalo.context).rowCount(), 0);
    }

    void heddrinPrintsItsWorkSheetTextOnly()
    {
        TestSession heddrin(Edition::Heddrin);
        heddrin.start();
        AppContext &context = heddrin.context;
        fillDocument(context, QStringLiteral("Invoice"), 570, 0);
        context.document.notes = QStringLiteral("Office note");
        WorkSheet room;
        room.strWorkSheetName = QStringLiteral("Living Room");
        room.intAreaWorkOn = WorkSheet::WallsOnly;
        room.intAreaLength = 12;
        room.intAreaWidth = 10;
        room.intAreaHeight = 8;
        room.intPaintsCoats = 2;
        context.document.lines.setWorkSheets({room});
        context.document.LbrPrices[1] = 0.21; // interior painting per square foot
        context.document.MatPrices[1] = 0.09;
        Totals::pCalcTotals(context.document, context.edition(), context.company, context.locale);
        const RowFeed feed = InvoiceRows::RvCustomConnectionInvoice(context);
        QCOMPARE(feed.rowCount(), 5);
        QCOMPARE(feed.value(0, InvoiceRows::kDescription), QStringLiteral("Living Room"));
        QCOMPARE(feed.value(3, InvoiceRows::kDescription), QStringLiteral("Total : $211.20"));
        QCOMPARE(feed.value(4, InvoiceRows::kDescription), QString());

        QTemporaryDir dir;
        const QString text = pdfText(writePdf(context, dir));
        QVERIFY(text.contains(QStringLiteral("Interior, Area Work On - Walls Only,")));
        QVERIFY(text.contains(QStringLiteral("SQFT : 352")));
        QVERIFY(!text.contains(QStringLiteral("Office note")));
    }

    void blankFormLeavesRoomToWrite()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        AppContext &context = session.context;
        fillDocument(context, QStringLiteral("Invoice"), 580, 3);
        context.document.header.blnManualForm = true;
        context.document.header.blnAddSignatureLine = true;

        const QList<ReportPage> pages = documentJob(context).pages.toList();
        QCOMPARE(pages.size(), 1);
        const ReportPage &page = pages.first();
        QCOMPARE(textOf(page, QStringLiteral("rvtxtCustName")), QStringLiteral("Name"));
        QCOMPARE(page.find<TextItem>(QStringLiteral("rvtxtCustName"))->color, QColor(192, 192, 192));
        int writingLines = 0;
        for (const PageItem &item : page.items)
            writingLines += std::holds_alternative<LineItem>(item) && std::get<LineItem>(item).name == "CustomerLine";
        QCOMPARE(writingLines, 6);
        QVERIFY(!page.find<TextItem>(QStringLiteral("rvtxtDescription")));
        QCOMPARE(textOf(page, QStringLiteral("rvtxtInvValidFor")), QString());
        QCOMPARE(textOf(page, QStringLiteral("rvtxtCustPmtTerms")), QStringLiteral("Net Due on the 20th"));
        QCOMPARE(textOf(page, QStringLiteral("rvtxtCustPO")), QString());
        QCOMPARE(textOf(page, QStringLiteral("rvtxtTotal")), QString());
        QCOMPARE(textOf(page, QStringLiteral("rvtxtTotalHdng")), QStringLiteral("Invoice Total"));
        // The signature block sits just above the footer bar.
        QVERIFY(qAbs(page.find<BoxItem>(QStringLiteral("rvrecAcceptanceInfo"))->rect.top() - 7.7) < 1e-9);
    }

    void hostileTextSurvivesIntoThePdf()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        AppContext &context = session.context;
        const QString hostile = QStringLiteral("Bob \"The Builder\" O'Neil (\\) % <b>&amp;</b> Zoë Ünal – Łódź €½");
        fillDocument(context, QStringLiteral("Invoice"), 590, 1);
        context.document.header.strCustFullName = hostile;
        context.company.company.strCompName = hostile;
        PriceLine longLine = context.document.lines.priceLine(0);
        longLine.description = QString(3000, QLatin1Char('x'));
        context.document.lines.setPriceLine(0, longLine);
        context.document.notes = QStringLiteral("Kitchen – ceiling \"as is\"\r\n") + QString(20000, QLatin1Char('y'));

        QTemporaryDir dir;
        const QString path = writePdf(context, dir);
        const QString text = pdfText(path);
        QVERIFY2(text.contains(hostile), qPrintable(text.left(2000)));
        QVERIFY(text.contains(QStringLiteral("Kitchen – ceiling \"as is\"")));
        // Very long texts wrap onto further pages instead of running off the sheet.
        qsizetype wrapped = 0;
        for (const QString &line : text.split(QLatin1Char('\n'))) {
            if (line.startsWith(QLatin1Char('y')) && line.count(QLatin1Char('y')) == line.size())
                wrapped += line.size();
        }
        QCOMPARE(wrapped, 20000);
        QVERIFY(pdfInfoField(path, QStringLiteral("Pages")).toInt() > 1);
        QCOMPARE(pdfInfoField(path, QStringLiteral("Author")), hostile);
    }

    void failedPdfWriteLeavesNoFileAndIsReported()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        AppContext &context = session.context;
        fillDocument(context, QStringLiteral("Invoice"), 600, 3);
        TmodPrintData printing(context);
        QTemporaryDir dir;

        // A folder that cannot exist: its parent is a file.
        QFile blocker(dir.filePath(QStringLiteral("plain-file")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QVERIFY(!printing.pCreatePDFFile(blocker.fileName() + QStringLiteral("/invoice.pdf")));
        QVERIFY(session.prompts.lastMessage().contains(QStringLiteral("invoice.pdf")));

        // A full disk: the process may not write more than a few bytes.
        const QString target = dir.filePath(QStringLiteral("invoice.pdf"));
        QFile previous(target);
        QVERIFY(previous.open(QIODevice::WriteOnly));
        previous.write("previous version");
        previous.close();
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit tiny = saved;
        tiny.rlim_cur = 2048;
        setrlimit(RLIMIT_FSIZE, &tiny);
        const bool written = printing.pCreatePDFFile(target);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(!written);
        QCOMPARE(session.prompts.messages(QStringLiteral("Error")).size(), 2);
        QVERIFY(previous.open(QIODevice::ReadOnly));
        QCOMPARE(previous.readAll(), QByteArray("previous version"));
        previous.close();
        QCOMPARE(filesIn(dir.path()), (QStringList{"invoice.pdf", "plain-file"}));

        // With room again, the file is replaced.
        QVERIFY(printing.pCreatePDFFile(target));
        QVERIFY(pdfText(target).contains(QStringLiteral("Invoice 600")));
        QCOMPARE(filesIn(dir.path()), (QStringList{"invoice.pdf", "plain-file"}));
    }

    void saveAsPdfAsksForTheFileName()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        fillDocument(session.context, QStringLiteral("Invoice"), 512, 1);
        TmodPrintData printing(session.context);
        QTemporaryDir dir;

        QVERIFY(!printing.pSaveAsPDF()); // cancelled
        QCOMPARE(session.prompts.lastMessage(), QStringLiteral("Save Invoice 512 as .pdf Document"));
        QVERIFY(filesIn(dir.path()).isEmpty());

        session.prompts.choices << dir.filePath(QStringLiteral("Invoice 512"));
        QVERIFY(printing.pSaveAsPDF());
        QCOMPARE(filesIn(dir.path()), QStringList{"Invoice 512.pdf"});
    }

    void heddrinPrintsItsOwnPriceListAndTheWarranty()
    {
        TestSession session(Edition::Heddrin);
        session.start();
        QList<ReportJob> printed;
        TmodPrintData printing(session.context, std::make_unique<RecordingPrinter>(printed));
        QVERIFY(printing.pPrint(PrintRequest::list(
            PrintKind::PriceSheet,
            {{}, ListReports::RvCustomConnectionPriceHeddrin({{"Interior Painting - per SQFT", "$0.21", "$0.09"},
                                                              {"Paint \"Closets\" - each", "$85.60", "$23.55"}})})));
        QCOMPARE(printed.size(), 1);
        const ReportPage &prices = printed.first().pages.first();
        QCOMPARE(textOf(prices, QStringLiteral("rvtxtTitle")), QStringLiteral("Price Sheet List"));
        QCOMPARE(textOf(prices, QStringLiteral("rvlblPriceHdng")), QStringLiteral("Price"));
        QCOMPARE(textOf(prices, QStringLiteral("rvlblTaxableHdng")), QStringLiteral("<missing>")); // no tax flags here
        QCOMPARE(textOf(prices, QStringLiteral("rvstrMatPrice")), QStringLiteral("$0.09"));
        QVERIFY(session.prompts.asked.isEmpty());

        QVERIFY(printing.pPrint(PrintRequest::of(PrintKind::Warranty)));
        QCOMPARE(printed.size(), 2);
        QCOMPARE(printed.last().documentName, QStringLiteral("Warranty"));
        QCOMPARE(textOf(printed.last().pages.first(), QStringLiteral("rvtxtTitle")), QStringLiteral("SAMPLE WARRANTY"));
    }

    void previewPagesThroughTheJob()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        fillDocument(session.context, QStringLiteral("Invoice"), 610, 1);
        ReportJob job = documentJob(session.context);
        const ReportPage page = job.pages.first();
        job.pages = {page, page, page};
        TfrmPrntPreview preview(job, {}, {});
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));

        const auto action = [&](const char *name) { return preview.findChild<QAction *>(QLatin1String(name)); };
        const auto button = [&](const char *name) {
            return preview.findChild<QToolButton *>(QStringLiteral("btn") + QLatin1String(name));
        };
        const QList<std::array<const char *, 3>> captions = {
            {"actClose", "Close", "Close Print Preview"},
            {"actPrint", "Print", "Print document"},
            {"actZoomIn", "Zoom In", "Zoom in document"},
            {"actZoomOut", "Zoom Out", "Zoom out document"},
            {"actPreviousPage", "Previous Page", "Preview Previous document"},
            {"actNextPage", "Next Page", "Preview Next document"}};
        for (const auto &[name, caption, hint] : captions) {
            QVERIFY2(action(name), name);
            QCOMPARE(action(name)->text(), QLatin1String(caption));
            QCOMPARE(action(name)->toolTip(), QLatin1String(hint));
        }
        QCOMPARE(preview.windowTitle(), QStringLiteral("Preview Invoice 610"));

        PageViewer *viewer = preview.viewer();
        QCOMPARE(viewer->pageCount(), 3);
        QCOMPARE(viewer->currentPage(), 1);
        QVERIFY(!action("actPreviousPage")->isEnabled());
        QVERIFY(action("actNextPage")->isEnabled());
        QTest::mouseClick(button("actNextPage"), Qt::LeftButton);
        QTest::mouseClick(button("actNextPage"), Qt::LeftButton);
        QCOMPARE(viewer->currentPage(), 3);
        QVERIFY(!action("actNextPage")->isEnabled());
        QVERIFY(action("actPreviousPage")->isEnabled());
        preview.pSelectAPageToView(2); // past the end: nothing happens
        QCOMPARE(viewer->currentPage(), 3);
        // Read to the bottom of a page, the next or previous one opens at its top.
        QScrollBar *scroll = preview.findChild<QScrollArea *>(QStringLiteral("scrollPreview"))->verticalScrollBar();
        QVERIFY(scroll->maximum() > 0);
        scroll->setValue(scroll->maximum());
        QTest::mouseClick(button("actPreviousPage"), Qt::LeftButton);
        QCOMPARE(viewer->currentPage(), 2);
        QCOMPARE(scroll->value(), 0);
        scroll->setValue(scroll->maximum());
        QTest::mouseClick(button("actNextPage"), Qt::LeftButton);
        QCOMPARE(scroll->value(), 0);
        QTest::mouseClick(button("actPreviousPage"), Qt::LeftButton);

        QCOMPARE(viewer->zoomFactor(), 100);
        const QSize atHundred = viewer->size();
        QTest::mouseClick(button("actZoomIn"), Qt::LeftButton);
        QCOMPARE(viewer->zoomFactor(), 110);
        QVERIFY(viewer->width() > atHundred.width());
        for (int i = 0; i < 30; ++i)
            preview.actZoomInExecute();
        QCOMPARE(viewer->zoomFactor(), 200);
        for (int i = 0; i < 30; ++i)
            QTest::mouseClick(button("actZoomOut"), Qt::LeftButton);
        QCOMPARE(viewer->zoomFactor(), 10); // at the step itself, zoom out does nothing
        QVERIFY(viewer->width() < atHundred.width());
    }

    void firstAndLastPageCrossALongReportInOneStep()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        fillDocument(session.context, QStringLiteral("Invoice"), 630, 1);
        ReportJob job = documentJob(session.context);
        job.pages = ReportPages(QList<ReportPage>(4348, job.pages.first()));
        TfrmPrntPreview preview(job, {}, {});
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        const auto action = [&](const char *name) { return preview.findChild<QAction *>(QLatin1String(name)); };
        PageViewer *viewer = preview.viewer();
        QScrollBar *scroll = preview.findChild<QScrollArea *>(QStringLiteral("scrollPreview"))->verticalScrollBar();

        QVERIFY(!action("actFirstPage")->isEnabled());
        QVERIFY(action("actLastPage")->isEnabled());
        QTest::keyClick(&preview, Qt::Key_End);
        QCOMPARE(viewer->currentPage(), 4348);
        QVERIFY(!action("actLastPage")->isEnabled() && !action("actNextPage")->isEnabled());
        QVERIFY(action("actFirstPage")->isEnabled() && action("actPreviousPage")->isEnabled());
        QTest::keyClick(&preview, Qt::Key_End); // already there: nothing moves
        QCOMPARE(viewer->currentPage(), 4348);

        QTest::keyClick(&preview, Qt::Key_PageUp);
        QCOMPARE(viewer->currentPage(), 4347);
        scroll->setValue(scroll->maximum());
        QTest::mouseClick(preview.findChild<QToolButton *>(QStringLiteral("btnactFirstPage")), Qt::LeftButton);
        QCOMPARE(viewer->currentPage(), 1);
        QCOMPARE(scroll->value(), 0); // the page opens at its top
        QVERIFY(!action("actFirstPage")->isEnabled() && !action("actPreviousPage")->isEnabled());

        QTest::mouseClick(preview.findChild<QToolButton *>(QStringLiteral("btnactLastPage")), Qt::LeftButton);
        QCOMPARE(viewer->currentPage(), 4348);
        QTest::keyClick(&preview, Qt::Key_Home);
        QCOMPARE(viewer->currentPage(), 1);
    }

    void onePagePreviewHasNowhereToGo()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        fillDocument(session.context, QStringLiteral("Invoice"), 620, 1);
        TfrmPrntPreview preview(documentJob(session.context), {}, {});
        QCOMPARE(preview.viewer()->pageCount(), 1);
        QVERIFY(!preview.findChild<QAction *>(QStringLiteral("actPreviousPage"))->isEnabled());
        QVERIFY(!preview.findChild<QAction *>(QStringLiteral("actNextPage"))->isEnabled());
        QVERIFY(!preview.findChild<QAction *>(QStringLiteral("actFirstPage"))->isEnabled());
        QVERIFY(!preview.findChild<QAction *>(QStringLiteral("actLastPage"))->isEnabled());
    }

    void printFromThePreviewPrintsTheSameJobAgain()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        AppContext &context = session.context;
        fillDocument(context, QStringLiteral("Invoice"), 512, 40);
        QList<ReportJob> printed;
        TmodPrintData printing(context, std::make_unique<RecordingPrinter>(printed));

        QString title;
        int pagesShown = 0;
        bool stillOpenAfterPrint = false;
        QTimer::singleShot(0, this, [&] {
            auto *preview = qobject_cast<TfrmPrntPreview *>(QApplication::activeModalWidget());
            if (!preview)
                return;
            title = preview->windowTitle();
            pagesShown = preview->viewer()->pageCount();
            preview->findChild<QAction *>(QStringLiteral("actPrint"))->trigger();
            stillOpenAfterPrint = preview->isVisible();
            preview->findChild<QAction *>(QStringLiteral("actClose"))->trigger();
        });
        printing.pPrintPreview(PrintRequest::of(PrintKind::CurrentDocument));

        QCOMPARE(title, QStringLiteral("Preview Invoice 512"));
        QVERIFY(stillOpenAfterPrint);
        QCOMPARE(printed.size(), 1);
        QCOMPARE(printed.first().documentName, QStringLiteral("Invoice 512"));
        QCOMPARE(int(printed.first().pages.size()), pagesShown);
        QVERIFY(pagesShown > 1);
        QCOMPARE(printed.first().pages.last().texts(), documentJob(context).pages.last().texts());
    }
};

QTEST_MAIN(TestPrinting)
#include "test_printing.moc"
