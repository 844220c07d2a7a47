#include "TestEnvironment.h"
#include "core/Edition.h"
#include "core/TablePrintout.h"
#include "printing/PrintJobs.h"
#include "printing/ReportFonts.h"
#include "printing/TmodPrintData.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

/// The cells of \a column (from 1) on \a page, top to bottom.
QList<const TextItem *> cellsOf(const ReportPage &page, int column)
{
    return page.textsNamed(QStringLiteral("rvstrColumn%1").arg(column));
}

/// Aged receivables as a window would list them: \a customers rows and two totals.
TablePrintout receivables(int customers)
{
    TablePrintout table;
    table.title = QStringLiteral("Aged Receivables");
    table.subTitle = {QStringLiteral("As of March 31, 2026"), QStringLiteral("All customers")};
    table.headings = {QStringLiteral("Customer"), QStringLiteral("Invoice"), QStringLiteral("Current"),
                      QStringLiteral("31-60"), QStringLiteral("Over 60")};
    table.widths = {3.0, 1.0, 1.2, 1.2, 1.2};
    table.rightAligned = QStringLiteral("01111");
    for (int i = 0; i < customers; ++i)
        table.rows << QStringList{QStringLiteral("Customer %1").arg(i + 1), QString::number(1000 + i),
                                  QStringLiteral("$%1.00").arg(i * 10), QString(), QStringLiteral("$5.00")};
    table.rows << QStringList{QStringLiteral("=Total"), QString(), QStringLiteral("$17,700.00"), QString(),
                              QStringLiteral("$300.00")};
    return table;
}

ReportJob jobOf(const AppContext &context, const TablePrintout &table)
{
    return PrintJobs::RvSystemPrntDocsPrint(context, PrintRequest::list(PrintKind::Table, table.toListPrintout()));
}

QString runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QStringLiteral("<%1 failed>").arg(program);
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

/// The titled table every list window prints through.
class TestTables : public QObject
{
    Q_OBJECT

private slots:
    void longTableRepeatsItsFurnitureAndKeepsEveryRow()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        const TablePrintout table = receivables(150);
        const ReportJob job = jobOf(session.context, table);
        QCOMPARE(job.documentName, QStringLiteral("Aged Receivables"));
        QCOMPARE(job.info.title, QStringLiteral("Aged Receivables"));
        QCOMPARE(job.previewTitle, QStringLiteral("Preview Aged Receivables"));

        const qsizetype count = job.pages.size();
        QVERIFY(count >= 3);
        QStringList printed;
        for (qsizetype i = 0; i < count; ++i) {
            const ReportPage page = job.pages.at(i);
            QCOMPARE(page.find<TextItem>(QStringLiteral("rvtxtPageNumber"))->text,
                     QStringLiteral("Page %1 of %2").arg(i + 1).arg(count));
            QCOMPARE(page.textsNamed(QStringLiteral("rvtxtSubTitle")).size(), 2);
            QCOMPARE(page.find<TextItem>(QStringLiteral("rvlblColumn5"))->text, QStringLiteral("Over 60"));
            const double rule = page.find<LineItem>(QStringLiteral("rvlnHeadings"))->line.y1();
            QVERIFY(page.find<TextItem>(QStringLiteral("rvlblColumn1"))->rect.bottom() <= rule);
            const double foot = page.find<TextItem>(QStringLiteral("rvtxtPageNumber"))->rect.top();
            for (const TextItem *cell : cellsOf(page, 1)) {
                QVERIFY(cell->rect.top() > rule);
                QVERIFY(cell->rect.bottom() <= foot);
                printed << cell->text;
            }
        }
        QCOMPARE(printed.size(), table.rows.size());
        QCOMPARE(printed.first(), QStringLiteral("Customer 1"));
        QCOMPARE(printed.at(149), QStringLiteral("Customer 150"));
        QCOMPARE(printed.last(), QStringLiteral("Total"));
    }

    void totalRowsAreBoldAndAmountsLineUpOnTheRight()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        TablePrintout table = receivables(2);
        table.rows.insert(1, {QStringLiteral("=Subtotal \"North\""), QString(), QStringLiteral("$0.00")});
        const ReportPage page = jobOf(session.context, table).pages.first();
        const QList<const TextItem *> names = cellsOf(page, 1);
        QCOMPARE(names.size(), 4);
        QCOMPARE(names.at(0)->text, QStringLiteral("Customer 1"));
        QVERIFY(!names.at(0)->font.bold);
        QCOMPARE(names.at(1)->text, QStringLiteral("Subtotal \"North\""));
        QVERIFY(names.at(1)->font.bold);
        QVERIFY(cellsOf(page, 3).at(1)->font.bold); // the whole row
        QVERIFY(!names.at(2)->font.bold);
        QCOMPARE(names.at(3)->text, QStringLiteral("Total"));
        QVERIFY(names.at(3)->font.bold);
        // A rule sets each total off from the rows above it.
        QList<double> rules;
        for (const PageItem &item : page.items) {
            if (const auto *line = std::get_if<LineItem>(&item); line && line->name == QLatin1String("rvlnTotal"))
                rules << line->line.y1();
        }
        QCOMPARE(rules.size(), 2);
        QVERIFY(rules.at(0) > names.at(0)->rect.bottom() - 0.05 && rules.at(0) < names.at(1)->rect.top());
        QVERIFY(rules.at(1) > names.at(2)->rect.bottom() - 0.05 && rules.at(1) < names.at(3)->rect.top());

        // Amounts share their right edge, under a right-aligned heading; names start on the left.
        const TextItem *heading = page.find<TextItem>(QStringLiteral("rvlblColumn3"));
        QVERIFY(heading->alignment & Qt::AlignRight);
        for (const TextItem *amount : cellsOf(page, 3)) {
            QVERIFY(amount->alignment & Qt::AlignRight);
            QCOMPARE(amount->rect.right(), heading->rect.right());
        }
        QVERIFY(names.first()->alignment & Qt::AlignLeft);
        QCOMPARE(names.first()->rect.left(), page.find<TextItem>(QStringLiteral("rvlblColumn1"))->rect.left());
        // Columns follow each other at their widths from the left margin.
        QVERIFY(qAbs(cellsOf(page, 2).first()->rect.left() - cellsOf(page, 1).first()->rect.left() - 3.0) < 1e-9);
    }

    void longTextsStayInTheirColumns()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        TablePrintout table;
        table.title = QStringLiteral("Statement");
        table.headings = {QStringLiteral("Customer"), QStringLiteral("Balance"), QStringLiteral("Note")};
        table.widths = {1.5, 0.8, 2.0};
        table.rightAligned = QStringLiteral("01");
        const QString longName = QStringLiteral("Hargrove, Whitcombe & Delacroix-Ravensworth Renovations Ltd.");
        table.rows << QStringList{longName, QStringLiteral("$123,456,789.00"), QStringLiteral("ok")}
                   << QStringList{QStringLiteral("Bo"), QStringLiteral("$123,456,789,123,456,789.00"), QString()};
        const ReportPage page = jobOf(session.context, table).pages.first();
        const QList<const TextItem *> names = cellsOf(page, 1), balances = cellsOf(page, 2);
        const double nextColumn = balances.first()->rect.left();
        for (const TextItem *cell : names + balances) {
            QVERIFY(cell->clip);
            QVERIFY2(ReportFonts::textWidth(cell->font, cell->text) <= cell->rect.width() + 1e-9, qPrintable(cell->text));
        }
        QVERIFY(names.first()->rect.right() < nextColumn);
        QVERIFY(names.first()->text.endsWith(QChar(0x2026)));
        QVERIFY(longName.startsWith(names.first()->text.chopped(1)));
        // An amount shrinks to show whole; one too long even then is cut short, never overprinted.
        QCOMPARE(balances.first()->text, QStringLiteral("$123,456,789.00"));
        QVERIFY(balances.first()->font.pointSize < 10);
        QVERIFY(balances.last()->text.endsWith(QChar(0x2026)));
        QVERIFY(balances.first()->rect.right() < cellsOf(page, 3).first()->rect.left());
    }

    void widthsFollowTheCallerWhateverTheLocaleAndFitThePage()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        const QLocale previous;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        TablePrintout table;
        table.headings = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
        table.widths = {1.25, 2.5};
        table.rows << QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
        const ListPrintout printout = table.toListPrintout();
        QLocale::setDefault(previous);
        QCOMPARE(printout.parameters.value(TableParameters::columnWidths), QStringLiteral("1.25,2.5"));

        ReportPage page = jobOf(session.context, table).pages.first();
        const auto leftOf = [&page](int column) { return cellsOf(page, column).first()->rect.left(); };
        QVERIFY(qAbs(leftOf(2) - leftOf(1) - 1.25) < 1e-9);
        QVERIFY(qAbs(leftOf(3) - leftOf(2) - 2.5) < 1e-9);
        // The column without a width takes the rest of the row.
        QVERIFY(qAbs(cellsOf(page, 3).first()->rect.right() - page.find<LineItem>(QStringLiteral("rvlnHeadings"))->line.x2()) < 0.1);

        // Too wide for the sheet: narrowed in proportion, the last column ending inside the margin.
        table.widths = {6.0, 4.0, 2.0};
        page = jobOf(session.context, table).pages.first();
        const double right = cellsOf(page, 3).first()->rect.right();
        QVERIFY(right <= page.find<LineItem>(QStringLiteral("rvlnHeadings"))->line.x2());
        QVERIFY(right > 7.9);
        QVERIFY(qAbs((leftOf(2) - leftOf(1)) / (leftOf(3) - leftOf(2)) - 1.5) < 1e-9);
    }

    void emptyTablePrintsItsTitleAndHeadings()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        TablePrintout table = receivables(0);
        table.rows.clear();
        const ReportJob job = jobOf(session.context, table);
        QCOMPARE(job.pages.size(), 1);
        const ReportPage page = job.pages.first();
        QCOMPARE(page.find<TextItem>(QStringLiteral("rvtxtTitle"))->text, QStringLiteral("Aged Receivables"));
        QVERIFY(page.find<TextItem>(QStringLiteral("rvtxtTitle"))->font.bold);
        QCOMPARE(page.find<TextItem>(QStringLiteral("rvlblColumn1"))->text, QStringLiteral("Customer"));
        QCOMPARE(page.find<TextItem>(QStringLiteral("rvtxtPageNumber"))->text, QStringLiteral("Page 1 of 1"));
        QVERIFY(cellsOf(page, 1).isEmpty());
    }

    void savedPdfKeepsQuotesAndUnicode()
    {
        TestSession session(Edition::Corvalo);
        session.start();
        TmodPrintData printing(session.context);
        const QString hostile = QStringLiteral("Zoë \"Ünal\" O'Neil – Łódź €½ <b>&amp;</b>");
        TablePrintout table = receivables(3);
        table.title = QStringLiteral("Receivables A/B: \"March\"");
        table.subTitle = {hostile};
        table.rows[1][0] = hostile;
        QTemporaryDir dir;
        session.prompts.choices << dir.filePath(QStringLiteral("receivables"));
        QVERIFY(printing.pSaveAsPDF(PrintRequest::list(PrintKind::Table, table.toListPrintout())));
        QCOMPARE(session.prompts.lastMessage(), QStringLiteral("Save Receivables A/B: \"March\" as .pdf Document"));

        const QString path = dir.filePath(QStringLiteral("receivables.pdf"));
        const QString text = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path,
                                                                   QStringLiteral("-")});
        QCOMPARE(text.count(hostile), 2);
        QVERIFY(text.contains(QStringLiteral("Page 1 of 1")));
        QVERIFY(runTool(QStringLiteral("pdfinfo"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path})
                    .contains(QStringLiteral("Receivables A/B: \"March\"")));
    }
};

QTEST_MAIN(TestTables)
#include "test_tables.moc"
