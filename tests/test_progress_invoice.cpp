#include "KeyboardDriving.h"
#include "TestEnvironment.h"
#include "accounts/ProgressTableModel.h"
#include "accounts/TfrmJobView.h"
#include "accounts/TfrmProgressInvoice.h"
#include "core/Edition.h"
#include "data/Database.h"
#include "invoice/DocumentKinds.h"
#include "invoice/DocumentStore.h"
#include "invoice/Totals.h"
#include "printing/PdfOutput.h"
#include "printing/ProgressScheduleReport.h"

#include "invoice/CentSplit.h"
#include "invoice/Money.h"
#include "invoice/ProgressBilling.h"
#include "invoice/ProgressSession.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QProcess>
#include <QTableView>
#include <QTest>
#include <cmath>

using namespace ProgressBilling;

namespace {

std::vector<ScheduleItem> randomSchedule(QRandomGenerator &random, int count)
{
    std::vector<ScheduleItem> schedule;
    for (int i = 0; i < count; ++i) {
        ScheduleItem item;
        const double value = double(random.bounded(1, 10'000'000));
        item.laborCents = std::round(value * random.generateDouble());
        item.materialCents = value - item.laborCents;
        if (random.bounded(8) == 0) {
            item.laborCents = -item.laborCents;
            item.materialCents = -item.materialCents;
        }
        item.laborTaxed = random.bounded(2) == 0;
        item.materialTaxed = random.bounded(2) == 0;
        item.description = QStringLiteral("Wall \"%1\" – Fußboden").arg(i);
        schedule.push_back(item);
    }
    return schedule;
}

/// The job's bills so far: one bill taking every item part of the way.
Billed randomBefore(QRandomGenerator &random, const std::vector<ScheduleItem> &schedule, const Terms &terms)
{
    std::vector<double> completed;
    for (const ScheduleItem &item : schedule)
        completed.push_back(std::round(item.valueCents() * random.generateDouble()));
    return after(Billed{}, bill(schedule, Billed{}, completed, terms));
}

/// A job of three items, a third billed before, 10 % retainage and one tax.
ProgressJobs::Book threeItemBook()
{
    ProgressJobs::Book book;
    book.jobId = 41;
    book.sourceNumber = 41;
    book.customer = QStringLiteral("O'Neil \"Dach\" GmbH");
    const std::vector<ScheduleItem> items = {
        {.laborCents = 300'000, .materialCents = 0, .laborTaxed = true, .description = "Framing"},
        {.laborCents = 100'000, .materialCents = 100'000, .materialTaxed = true, .description = "Roof – tiles"},
        {.laborCents = 0, .materialCents = 50'000, .description = {}}};
    for (std::size_t i = 0; i < items.size(); ++i)
        book.items.push_back({.id = qint64(i + 1), .sourceNumber = 41, .sourceLine = int(i), .item = items[i]});
    book.terms = {.retainagePercent = 10, .rates = {0.05, 0, 0}, .depositsReceivedCents = 0};
    book.before = after(Billed{}, bill(items, Billed{}, {100'000, 0, 0}, book.terms));
    book.latestBill = 50;
    return book;
}

QString labelText(const QWidget &window, const char *name)
{
    auto *label = window.findChild<QLabel *>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("<no %1>").arg(QLatin1String(name));
}

/// An amount in cents as a user of \a locale types it: no grouping, the locale's mark.
QString typedAmount(double cents, const QLocale &locale)
{
    return locale.toString(cents / 100.0, 'f', 2).remove(locale.groupSeparator());
}

} // namespace

class TestProgressInvoice : public QObject
{
    Q_OBJECT
private slots:
    void typedFiguresAddUpToTheCent_data();
    void typedFiguresAddUpToTheCent();
    void whatDoesNotReadIsKeptAndRefused();
    void completedToDateStaysWithinTheItem();
    void windowHoldsEachKeyAndAsksBeforeLosingIt();
    void windowRefusesToSaveWhatCannotBeBilled();
    void continuationPagesCarryEveryItemAndTheTotals();
    void jobViewBillsTheJobAndPrintsTheSchedule();
    void jobViewOffersProgressBillingInEditionsOneAndTwo_data();
    void jobViewOffersProgressBillingInEditionsOneAndTwo();
};

void TestProgressInvoice::typedFiguresAddUpToTheCent_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany);
}

void TestProgressInvoice::typedFiguresAddUpToTheCent()
{
    QFETCH(QLocale, locale);
    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    for (int run = 0; run < 200; ++run) {
        const std::vector<ScheduleItem> schedule = randomSchedule(random, random.bounded(1, 40));
        Terms terms;
        terms.retainagePercent = random.bounded(0, 16);
        terms.rates = {0.0725, 0, random.bounded(2) ? 0.08875 : 0.0};
        terms.depositsReceivedCents = random.bounded(0, 500'000);
        const Billed before = random.bounded(3) == 0 ? Billed{} : randomBefore(random, schedule, terms);
        ProgressSession session(schedule, before, terms, locale);

        std::vector<double> expected;
        for (int i = 0; i < session.itemCount(); ++i) {
            const ScheduleItem &item = schedule[std::size_t(i)];
            const double was = before.completedOf(std::size_t(i));
            double completed = was;
            switch (random.bounded(4)) {
            case 0: {
                const double percent = random.bounded(0, 10'001) / 100.0;
                session.typePercent(i, locale.toString(percent, 'f', 2) + (random.bounded(2) ? QStringLiteral(" %") : QString()));
                completed = completedForPercent(item, percent);
                break;
            }
            case 1:
                completed = std::round(item.valueCents() * random.generateDouble());
                session.typeAmount(i, typedAmount(completed, locale));
                break;
            case 2: // typed over, then emptied: back to what was billed before
                session.typeAmount(i, QStringLiteral("1"));
                session.typeAmount(i, QString());
                break;
            default:
                break;
            }
            expected.push_back(completed);
        }

        const QString context = QStringLiteral("seed %1, run %2").arg(seed).arg(run);
        QVERIFY2(!session.refusal(), qPrintable(context + QLatin1Char(' ') + session.refusal().value_or(QString())));
        QVERIFY2(session.completedToDateCents() == expected, qPrintable(context));

        ProgressSession::Row sum;
        for (int i = 0; i < session.itemCount(); ++i) {
            const ProgressSession::Row r = session.row(i);
            QCOMPARE(r.beforeCents + r.thisPeriodCents, r.toDateCents);
            QCOMPARE(r.toDateCents + r.balanceCents, r.valueCents);
            sum.valueCents += r.valueCents;
            sum.thisPeriodCents += r.thisPeriodCents;
            sum.toDateCents += r.toDateCents;
            sum.balanceCents += r.balanceCents;
            sum.retainageCents += r.retainageCents;
        }
        const ProgressSession::Row totals = session.totals();
        QCOMPARE(totals.valueCents, sum.valueCents);
        QCOMPARE(totals.thisPeriodCents, sum.thisPeriodCents);
        QCOMPARE(totals.toDateCents, sum.toDateCents);
        QCOMPARE(totals.balanceCents, sum.balanceCents);
        QCOMPARE(totals.retainageCents, sum.retainageCents);

        const Bill &bill = session.bill();
        QCOMPARE(bill.workCents, totals.thisPeriodCents);
        QCOMPARE(totals.retainageCents, before.retainageHeldCents() + bill.retainageCents);
        QCOMPARE(bill.amountDueCents(),
                 bill.workCents + bill.taxTotalCents() - bill.retainageCents - bill.depositsAppliedCents);
        for (double figure : {totals.valueCents, totals.toDateCents, totals.retainageCents, bill.amountDueCents()})
            QCOMPARE(figure, std::round(figure));
    }
}

void TestProgressInvoice::whatDoesNotReadIsKeptAndRefused()
{
    const QLocale german(QLocale::German, QLocale::Germany);
    std::vector<ScheduleItem> schedule = {{.laborCents = 60'000, .materialCents = 40'000, .description = "Dach"},
                                          {.laborCents = 0, .materialCents = 50'000, .description = {}}};
    ProgressSession session(schedule, Billed{}, Terms{.retainagePercent = 10}, german);
    QVERIFY(!session.isChanged());

    session.typePercent(0, QStringLiteral("25,5"));
    QCOMPARE(session.row(0).toDateCents, 25'500.0);
    QVERIFY(session.isChanged());

    // Thousands grouping, a second mark, letters and a huge figure do not read: the
    // text stays as typed, the item keeps its last figure, and the bill is refused.
    for (const QString &text : {QStringLiteral("1.000,5"), QStringLiteral("12,5,0"), QStringLiteral("zwölf"),
                                QStringLiteral("99999999999999")}) {
        session.typePercent(0, text);
        QCOMPARE(session.typedText(0), text);
        QCOMPARE(session.entry(0), ProgressSession::Entry::Percent);
        QCOMPARE(session.row(0).toDateCents, 25'500.0);
        QVERIFY2(session.itemProblem(0), qPrintable(text));
        QVERIFY(session.refusal()->startsWith(QStringLiteral("Item 1 (Dach)")));
    }

    session.typeAmount(1, QStringLiteral("12,345"));
    QVERIFY(session.itemProblem(1)->contains(QStringLiteral("fractions of a cent")));
    QCOMPARE(session.row(1).toDateCents, 0.0);

    session.typePercent(0, QStringLiteral("50"));
    session.typeAmount(1, QStringLiteral("100.25")); // the stored form reads under any locale
    QVERIFY(!session.refusal());
    QCOMPARE(session.row(1).toDateCents, 10'025.0);
    QCOMPARE(session.bill().workCents, 50'000.0 + 10'025.0);
    QCOMPARE(session.bill().retainageCents, 6'003.0); // 10 % of 600.25, rounded once
    session.markSaved();
    QVERIFY(!session.isChanged());
}

void TestProgressInvoice::completedToDateStaysWithinTheItem()
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const std::vector<ScheduleItem> schedule = {{.laborCents = 10'000, .materialCents = 0, .description = "Frame"},
                                                {.laborCents = -2'000, .materialCents = 0, .description = "Credit"}};
    const Billed before = after(Billed{}, bill(schedule, Billed{}, {5'000, -1'000}, Terms{}));
    ProgressSession session(schedule, before, Terms{}, english);

    session.typePercent(0, QStringLiteral("100.01"));
    QVERIFY(session.refusal()->contains(QStringLiteral("cannot pass the scheduled value")));
    session.typeAmount(0, QStringLiteral("-0.01"));
    QVERIFY(session.refusal()->contains(QStringLiteral("less than nothing")));
    session.typePercent(1, QStringLiteral("150"));
    QVERIFY(session.itemProblem(1)->startsWith(QStringLiteral("Item 2 (Credit)")));
    session.typePercent(1, QStringLiteral("-10")); // a deduction taken the other way
    QVERIFY(session.itemProblem(1));

    // Lowered work is allowed: a negative period, saved as a credit.
    session.typeAmount(0, QStringLiteral("20"));
    session.typePercent(1, QStringLiteral("50"));
    QVERIFY(!session.refusal());
    QCOMPARE(session.row(0).thisPeriodCents, -3'000.0);
    QVERIFY(session.bill().isCredit());
}

void TestProgressInvoice::windowHoldsEachKeyAndAsksBeforeLosingIt()
{
    using namespace KeyboardDriving;
    TestSession s(Edition::Corvalo);
    s.start(QDate(2026, 12, 9));
    TfrmProgressInvoice window(s.context, threeItemBook());
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto *grid = window.findChild<QTableView *>(QStringLiteral("grdSchedule"));
    QCOMPARE(focused(), grid);
    QCOMPARE(grid->currentIndex().column(), int(ProgressTableModel::Percent));

    // Each key is held as it is typed: no Enter, no leaving the cell.
    type(QStringLiteral("6"));
    QCOMPARE(window.session().row(0).toDateCents, 18'000.0);
    type(QStringLiteral("0"));
    QCOMPARE(window.session().row(0).toDateCents, 180'000.0);
    QCOMPARE(labelText(window, "lblWorkThisPeriod"), QStringLiteral("$800.00"));
    QCOMPARE(labelText(window, "lblLessRetainage"), QStringLiteral("$80.00"));
    QCOMPARE(labelText(window, "lblTax1"), QStringLiteral("$40.00"));
    QCOMPARE(labelText(window, "lblAmountDue"), QStringLiteral("$760.00"));

    // The amount of the next item, typed after the arrow keys moved there.
    press(Qt::Key_Escape); // leaves the cell; what was typed stays
    QCOMPARE(window.session().typedText(0), QStringLiteral("60"));
    press(Qt::Key_Down);
    press(Qt::Key_Right);
    type(QStringLiteral("50"));
    QCOMPARE(window.session().entry(1), ProgressSession::Entry::Amount);
    QCOMPARE(window.session().row(1).toDateCents, 5'000.0);
    press(Qt::Key_Escape);
    QCOMPARE(grid->model()->index(3, ProgressTableModel::ToDate).data().toString(), QStringLiteral("$1,850.00"));

    // Tab reaches the buttons and comes back to the grid.
    QVERIFY(tabTo(window.findChild<QPushButton *>(QStringLiteral("btnCancel"))));
    QVERIFY(tabTo(window.findChild<QPushButton *>(QStringLiteral("btnSave"))));
    QVERIFY(tabTo(grid));

    // Escape asks; Cancel keeps the window and the figures, No closes without saving.
    s.prompts.answers = {Prompts::Cancel};
    press(Qt::Key_Escape);
    QVERIFY(window.isVisible());
    QCOMPARE(s.prompts.asked.last().kind, QStringLiteral("YesNoCancel"));
    QCOMPARE(window.session().row(0).toDateCents, 180'000.0);
    s.prompts.answers = {Prompts::No};
    press(Qt::Key_Escape);
    QVERIFY(!window.isVisible());
    QCOMPARE(window.result(), int(QDialog::Rejected));
    QCOMPARE(window.savedNumber(), 0);
    QCOMPARE(s.prompts.unplanned, 0);
}

void TestProgressInvoice::windowRefusesToSaveWhatCannotBeBilled()
{
    using namespace KeyboardDriving;
    TestSession s(Edition::Heddrin);
    s.context.locale = QLocale(QLocale::German, QLocale::Germany);
    s.start(QDate(2026, 12, 9));
    TfrmProgressInvoice window(s.context, threeItemBook());
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    type(QStringLiteral("100,5"));
    QVERIFY(labelText(window, "lblRefusal").contains(QStringLiteral("Item 1 (Framing)")));
    QCOMPARE(labelText(window, "lblAmountDue"), QStringLiteral("-"));
    auto *grid = window.findChild<QTableView *>(QStringLiteral("grdSchedule"));
    QCOMPARE(grid->model()->index(0, ProgressTableModel::Percent).data().toString(), QStringLiteral("100,5"));

    // Enter closes the cell, the next Enter is Save, which is refused: nothing is lost.
    press(Qt::Key_Return);
    QCoreApplication::processEvents(); // the cell closes once the key is handled
    QCOMPARE(focused(), grid);
    press(Qt::Key_Return);
    QVERIFY(window.isVisible());
    QCOMPARE(s.prompts.messages(QStringLiteral("Error")).size(), 1);
    QVERIFY(s.prompts.lastMessage().contains(QStringLiteral("cannot pass the scheduled value")));
    QCOMPARE(window.session().typedText(0), QStringLiteral("100,5"));

    // Lowering the work below what was billed is a credit the window says it is.
    QVERIFY(tabTo(grid));
    grid->setCurrentIndex(grid->model()->index(0, ProgressTableModel::ToDate));
    type(QStringLiteral("500"));
    QVERIFY(labelText(window, "lblRefusal").contains(QStringLiteral("Credit")));
    QCOMPARE(labelText(window, "lblWorkThisPeriod"), QStringLiteral("-500,00 €"));
    press(Qt::Key_Escape);
    s.prompts.answers = {Prompts::No};
    window.close();
    QVERIFY(!window.isVisible());
}

void TestProgressInvoice::continuationPagesCarryEveryItemAndTheTotals()
{
    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    const std::vector<ScheduleItem> schedule = randomSchedule(random, 90);
    ProgressSchedule sheet;
    sheet.locale = QLocale(QLocale::English, QLocale::UnitedStates);
    sheet.heading = QStringLiteral("Invoice 512 - Job 41 - O'Neil \"Dach\"");
    std::vector<double> before, completed;
    for (std::size_t i = 0; i < schedule.size(); ++i) {
        const QString words = QStringLiteral("Drywall, tape and finish – Zimmer %1 ").arg(i).repeated(random.bounded(1, 6));
        sheet.descriptions.append(i % 10 == 3 ? QString() : words.trimmed());
        before.push_back(std::round(schedule[i].valueCents() * random.generateDouble() / 2));
        completed.push_back(before.back() + std::round((schedule[i].valueCents() - before.back()) * random.generateDouble()));
    }
    Billed billedBefore;
    billedBefore.completedCents = before;
    sheet.rows = ProgressRows::of(schedule, billedBefore, completed, 123'456);

    const QList<ReportPage> pages = ProgressScheduleReport::pages(sheet);
    QVERIFY2(pages.size() > 2, qPrintable(QStringLiteral("seed %1").arg(seed)));

    // Every description prints whole, in order, with a stand-in for a missing one.
    QStringList printed;
    for (const ReportPage &page : pages) {
        QVERIFY(page.find<LineItem>(QStringLiteral("rvlnHeadings")));
        QVERIFY(page.find<TextItem>(QStringLiteral("rvtxtHeading"))->text.startsWith(QStringLiteral("Invoice 512")));
        for (const TextItem *item : page.textsNamed(QStringLiteral("rvstrItem"))) {
            QVERIFY(item->rect.bottom() <= 10.35);
            printed << item->text;
        }
    }
    QStringList expected;
    for (qsizetype i = 0; i < sheet.descriptions.size(); ++i)
        expected << (sheet.descriptions.at(i).isEmpty() ? QStringLiteral("Item %1").arg(i + 1) : sheet.descriptions.at(i));
    expected << QStringLiteral("Total");
    QCOMPARE(printed.join(QLatin1Char(' ')).simplified(), expected.join(QLatin1Char(' ')).simplified());

    // The totals close the last page and add up the columns.
    const ReportPage &last = pages.last();
    const ProgressRows::Row total = ProgressRows::total(sheet.rows);
    QCOMPARE(total.retainageCents, 123'456.0);
    const auto lastOf = [&](const char *name) { return last.textsNamed(QLatin1String(name)).last()->text; };
    QCOMPARE(lastOf("rvstrRetainage"), QStringLiteral("$1,234.56"));
    QCOMPARE(lastOf("rvstrCompletedToDate"), Money::currencyText(total.toDateCents / 100, sheet.locale));
    QCOMPARE(lastOf("rvstrScheduledValue"), Money::currencyText(total.valueCents / 100, sheet.locale));
    QCOMPARE(lastOf("rvstrThisPeriod"), Money::currencyText(total.thisPeriodCents / 100, sheet.locale));
    for (int p = 0; p + 1 < pages.size(); ++p)
        QVERIFY(!pages.at(p).find<LineItem>(QStringLiteral("rvlnTotal")));

    // The text of the PDF stays extractable.
    QTemporaryDir dir;
    ReportJob job;
    job.pages = pages;
    const QString path = dir.filePath(QStringLiteral("schedule.pdf"));
    PdfOutput::writeFile(job, path);
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), QStringLiteral("-l"),
                                             QStringLiteral("1"), path, QStringLiteral("-")});
    QVERIFY(text.waitForFinished(60000));
    const QString firstPage = QString::fromUtf8(text.readAllStandardOutput());
    QVERIFY(firstPage.contains(QStringLiteral("Continuation Sheet")));
    QVERIFY(firstPage.contains(QStringLiteral("Balance to")));
}

/// Saves a Corvalo estimate of two untaxed lines, as the user saves one.
int saveEstimate(AppContext &context)
{
    DocumentStore store(context);
    TrecInvHeader &h = context.document.header;
    h.blnNewInvoice = true;
    store.pLoadInvoice();
    h.strInvName = DocumentKinds::kEstimate;
    h.strInvDate = QDate(2026, 11, 2);
    h.intCustomerID = 7;
    h.strCustCmpnyName = QStringLiteral("Acme \"Roofing\"");
    h.strUseTax1 = h.strUseTax2 = h.strUseTax3 = false;
    context.document.lines.appendPriceLine({.description = QStringLiteral("Framing – Haus"), .quantity = 1,
                                            .laborPrice = 1000, .materialTaxable = false});
    context.document.lines.appendPriceLine({.description = QStringLiteral("Roof"), .quantity = 1, .laborPrice = 600,
                                            .materialPrice = 400, .laborTaxable = false, .materialTaxable = false});
    Totals::pCalcTotals(context.document, context.edition(), context.company, context.locale);
    return store.pSaveInvoice();
}

void TestProgressInvoice::jobViewBillsTheJobAndPrintsTheSchedule()
{
    using namespace KeyboardDriving;
    TestSession s(Edition::Corvalo);
    s.start(QDate(2026, 12, 9));
    const int estimate = saveEstimate(s.context);

    TfrmJobView view(s.context, estimate, false);
    view.show();
    QVERIFY(QTest::qWaitForWindowActive(&view));
    auto *retainage = view.findChild<QLineEdit *>(QStringLiteral("txtRetainagePercent"));
    QVERIFY(tabTo(retainage));
    press(Qt::Key_A, Qt::ControlModifier);
    type(QStringLiteral("1x"));
    QVERIFY(!view.findChild<QLabel *>(QStringLiteral("lblRetainageProblem"))->text().isEmpty());
    press(Qt::Key_Backspace);
    type(QStringLiteral("0"));
    QVERIFY(view.findChild<QLabel *>(QStringLiteral("lblRetainageProblem"))->text().isEmpty());
    QCOMPARE(ProgressJobs::retainagePercent(s.context, estimate), 10.0); // kept as typed, no Enter

    auto billed = whenOpen<TfrmProgressInvoice>([](TfrmProgressInvoice &) {
        type(QStringLiteral("50"));
        press(Qt::Key_Return);
        QCoreApplication::processEvents();
        press(Qt::Key_Return);
    });
    pressAltFor(view.findChild<QPushButton *>(QStringLiteral("btnProgressInvoice"))->text());
    auto *held = view.findChild<QLabel *>(QStringLiteral("lblRetainageHeld"));
    QVERIFY(held->isHidden()); // until the job bills by progress
    QTRY_VERIFY(*billed); // the button's letter clicks it as a mouse would, a moment later
    QVERIFY(!held->isHidden());
    QCOMPARE(held->text(), QStringLiteral("$50.00"));
    QCOMPARE(view.findChild<QLabel *>(QStringLiteral("lblContractSum"))->text(), QStringLiteral("$2,000.00"));
    QCOMPARE(view.findChild<QLabel *>(QStringLiteral("lblBalanceToFinish"))->text(), QStringLiteral("$1,500.00"));
    QCOMPARE(s.prompts.unplanned, 0);
    const auto db = s.db();
    const int bill = int(db->queryInt(QStringLiteral("SELECT MAX(intInvNumber) FROM tblInvHeader")));
    QVERIFY(bill > estimate);
    QVERIFY(ProgressJobs::isProgressInvoice(*db, bill));

    // Printed: the invoice, then the whole schedule on its continuation sheet.
    s.context.document.header.blnNewInvoice = false;
    s.context.document.header.intInvNumber = bill;
    DocumentStore(s.context).pLoadInvoice();
    const ReportJob job = PrintJobs::RvSystemPrntDocsPrint(s.context, PrintRequest::of(PrintKind::CurrentDocument));
    QVERIFY(job.pages.size() >= 2);
    const ReportPage invoice = job.pages.first();
    const auto printed = [&](const char *name) { return invoice.find<TextItem>(QLatin1String(name))->text; };
    QCOMPARE(printed("rvtxtSubTotalHdng"), QStringLiteral("Work Completed This Period"));
    QCOMPARE(printed("rvtxtSubTotal"), QStringLiteral("$500.00"));
    QCOMPARE(printed("rvtxtRetainageHdng"), QStringLiteral("Less Retainage"));
    QCOMPARE(printed("rvtxtRetainage"), QStringLiteral("$50.00"));
    QCOMPARE(printed("rvtxtTotalHdng"), QStringLiteral("Amount Due"));
    QCOMPARE(printed("rvtxtTotal"), QStringLiteral("$450.00"));
    const ReportPage sheet = job.pages.last();
    QCOMPARE(sheet.find<TextItem>(QStringLiteral("rvtxtTitle"))->text, QStringLiteral("Continuation Sheet"));
    QStringList items;
    for (const TextItem *item : sheet.textsNamed(QStringLiteral("rvstrItem")))
        items << item->text;
    QCOMPARE(items, (QStringList{QStringLiteral("Framing – Haus"), QStringLiteral("Roof"), QStringLiteral("Total")}));
    QCOMPARE(sheet.textsNamed(QStringLiteral("rvstrThisPeriod")).last()->text, QStringLiteral("$500.00"));
    QCOMPARE(sheet.textsNamed(QStringLiteral("rvstrRetainage")).last()->text, QStringLiteral("$50.00"));
    QCOMPARE(sheet.textsNamed(QStringLiteral("rvstrBalanceToFinish")).last()->text, QStringLiteral("$1,500.00"));

    // The release bills what was held back, after asking.
    s.prompts.answers = {Prompts::Yes};
    view.findChild<QPushButton *>(QStringLiteral("btnReleaseRetainage"))->click();
    QVERIFY(s.prompts.asked.last().message.contains(QStringLiteral("$50.00")));
    QCOMPARE(db->queryInt(QStringLiteral("SELECT MAX(intInvNumber) FROM tblInvHeader")), qint64(bill + 1));
    QCOMPARE(held->text(), QStringLiteral("$0.00"));
    QCOMPARE(s.prompts.unplanned, 0);
}

void TestProgressInvoice::jobViewOffersProgressBillingInEditionsOneAndTwo_data()
{
    QTest::addColumn<int>("edition");
    for (int edition = 1; edition <= 4; ++edition)
        QTest::newRow(qPrintable(Edition::get(edition).GetEditionName())) << edition;
}

void TestProgressInvoice::jobViewOffersProgressBillingInEditionsOneAndTwo()
{
    QFETCH(int, edition);
    TestSession s(edition);
    s.start(QDate(2026, 12, 9));
    TfrmJobView view(s.context, 1, false);
    const bool offered = Edition::get(edition).billsByProgress();
    QCOMPARE(offered, edition == Edition::Corvalo || edition == Edition::Heddrin);
    QCOMPARE(view.findChild<QPushButton *>(QStringLiteral("btnProgressInvoice")) != nullptr, offered);
    QCOMPARE(view.findChild<QPushButton *>(QStringLiteral("btnReleaseRetainage")) != nullptr, offered);
    QCOMPARE(view.findChild<QLineEdit *>(QStringLiteral("txtRetainagePercent")) != nullptr, offered);
}

QTEST_MAIN(TestProgressInvoice)
#include "test_progress_invoice.moc"
