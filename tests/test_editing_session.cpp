#include "RecordingPrintModule.h"
#include "TestEnvironment.h"
#include "core/Edition.h"
#include "data/Database.h"
#include "editing/EditingSession.h"
#include "invoice/DocumentStore.h"

#include <QSignalSpy>
#include <QTest>

namespace {

/// A started program of one edition and a session on its current document, as an
/// editor would hold it; the dialogs are stood in for by writing the document and
/// telling the session.
struct Fixture
{
    explicit Fixture(int edition)
        : s(edition)
    {
        s.start();
    }

    /// Begins a new document, or loads saved \a number, and opens the session on it.
    void open(int number = 0)
    {
        TrecInvHeader &header = s.context.document.header;
        header.blnNewInvoice = number == 0;
        header.intInvNumber = number;
        DocumentStore(s.context).pLoadInvoice();
        session.open();
    }

    void addCustomerAndLine()
    {
        s.context.document.header.strCustFullName = QStringLiteral("Jane \"JD\" Doe");
        s.context.document.lines.appendPriceLine({QStringLiteral("Paint"), 2, 10, 5, true, true});
        session.documentEdited();
    }

    int savedCount()
    {
        return int(s.db()->queryInt(QStringLiteral("SELECT COUNT(*) FROM tblInvHeader")));
    }

    TestSession s;
    EditingSession session{s.context};
};

} // namespace

class TestEditingSession : public QObject
{
    Q_OBJECT

private slots:
    void aStoredDocumentIsSavedOnlyWhenChangedAndComplete()
    {
        Fixture f(Edition::Corvalo);
        f.open();
        QVERIFY(!f.session.isModified());
        QVERIFY(!f.session.canSave());
        QVERIFY(!f.session.canDelete());
        QCOMPARE(f.session.header().strInvName, f.session.kinds().kinds.first());

        f.session.setPONumber(QStringLiteral("PO 7"));
        QVERIFY(f.session.isModified());
        QVERIFY(!f.session.canSave()); // no customer, no line
        // Not savable yet, but typed into: closing asks, and Enter (No) keeps it.
        f.s.prompts.answers = {Prompts::No, Prompts::Yes};
        QVERIFY(!f.session.mayClose());
        QCOMPARE(f.s.prompts.asked.size(), 1);
        QCOMPARE(f.s.prompts.asked.first().message,
                 QStringLiteral("Discard the unsaved %1?").arg(f.session.caption()));
        QCOMPARE(f.s.prompts.asked.first().preferred, Prompts::No);
        QVERIFY(f.session.mayClose());
        f.s.prompts.asked.clear();

        QSignalSpy changed(&f.session, &EditingSession::changed);
        f.addCustomerAndLine();
        QCOMPARE(changed.size(), 1);
        QVERIFY(f.session.canSave());
        QCOMPARE(f.session.document().print.strSubTotal, QStringLiteral("$30.00"));

        QVERIFY(f.session.save());
        QCOMPARE(f.savedCount(), 1);
        QVERIFY(!f.session.isModified());
        QVERIFY(f.session.canDelete());
        QVERIFY(f.session.mayClose());
        QVERIFY(f.s.prompts.asked.isEmpty());

        // The same value again is no change.
        f.session.setPONumber(QStringLiteral("PO 7"));
        QVERIFY(!f.session.isModified());
    }

    void closingWithUnsavedChangesAsksOnce()
    {
        Fixture f(Edition::Ostrev);
        f.open();
        f.addCustomerAndLine();
        const int number = f.session.header().intInvNumber;
        const QString question = QStringLiteral("Save changes to %1?").arg(f.session.caption());

        f.s.prompts.answers = {Prompts::Cancel};
        QVERIFY(!f.session.mayClose());
        QCOMPARE(f.s.prompts.messages("YesNoCancel"), QStringList{question});
        QVERIFY(f.session.isModified());
        QCOMPARE(f.savedCount(), 0);

        f.s.prompts.answers = {Prompts::Yes};
        QVERIFY(f.session.mayClose());
        QCOMPARE(f.savedCount(), 1);

        f.open(number);
        f.session.setDate(QDate(2026, 1, 10));
        f.s.prompts.answers = {Prompts::No};
        QVERIFY(f.session.mayClose());
        f.open(number);
        QVERIFY(f.session.date() != QDate(2026, 1, 10));
    }

    void deletingLeavesNothingToAskOrSave()
    {
        Fixture f(Edition::Corvalo);
        f.open();
        f.addCustomerAndLine();
        QVERIFY(f.session.save());
        f.session.setPONumber(QStringLiteral("changed"));

        f.s.prompts.answers = {Prompts::No};
        QVERIFY(!f.session.deleteDocument());
        QCOMPARE(f.savedCount(), 1);
        f.s.prompts.answers = {Prompts::Yes};
        QVERIFY(f.session.deleteDocument());
        QCOMPARE(f.savedCount(), 0);
        QVERIFY(!f.session.canSave());
        const qsizetype asked = f.s.prompts.asked.size();
        QVERIFY(f.session.mayClose());
        QCOMPARE(f.s.prompts.asked.size(), asked);
        QVERIFY(!f.session.save());
        QCOMPARE(f.savedCount(), 0);
    }

    void changedTaxRatesAreAskedOnceAndAYesIsAChange()
    {
        Fixture f(Edition::Corvalo);
        f.open();
        f.addCustomerAndLine();
        f.session.setUseTax(0, true);
        QVERIFY(f.session.save());
        const int number = f.session.header().intInvNumber;
        const double oldRate = f.session.header().dbTaxRate1;
        f.s.context.company.invData.dbTaxRate1 = oldRate + 0.01; // the company's rate went up since

        f.s.prompts.answers = {Prompts::Yes};
        f.open(number);
        QCOMPARE(f.s.prompts.messages("YesNo").size(), 1);
        QCOMPARE(f.session.header().dbTaxRate1, oldRate + 0.01);
        QVERIFY(f.session.isModified());
        QVERIFY(f.session.canSave());
        const QString shownTotal = f.session.document().print.strTotal;

        QVERIFY(f.session.save());
        f.session.setPONumber(QStringLiteral("again"));
        QVERIFY(f.session.save());
        QCOMPARE(f.s.prompts.messages("YesNo").size(), 1); // saving never asks again
        f.open(number);
        QCOMPARE(f.s.prompts.messages("YesNo").size(), 1); // the stored rates are current now
        QCOMPARE(f.session.document().print.strTotal, shownTotal);

        // A No keeps the saved rates and is no change.
        f.s.context.company.invData.dbTaxRate1 = oldRate + 0.02;
        f.s.prompts.answers = {Prompts::No};
        f.open(number);
        QCOMPARE(f.s.prompts.messages("YesNo").size(), 2);
        QCOMPARE(f.session.header().dbTaxRate1, oldRate + 0.01);
        QVERIFY(!f.session.isModified());
        QVERIFY(f.session.mayClose());
    }

    void headerRulesHoldWhateverTheOrder()
    {
        Fixture f(Edition::Corvalo);
        f.open();
        f.session.setKind(QStringLiteral("Invoice"));
        f.session.setUseTax(0, true);
        f.session.setUseTax(1, true);
        f.session.setTaxExempt(true);
        QVERIFY(!f.session.header().strUseTax1 && !f.session.header().strUseTax2);

        f.session.setRecurring(true);
        QVERIFY(f.session.header().strRecurring);
        f.session.setKind(QStringLiteral("Estimate"));
        QVERIFY(!f.session.header().strRecurring);
        QVERIFY(!f.session.recurringAllowed());

        f.session.setKind(QStringLiteral("Invoice"));
        f.session.setRecurring(true);
        f.s.context.document.header.strPaidInFull = true; // as the paid dialog sets it
        f.session.documentEdited();
        QCOMPARE(f.s.prompts.messages("Information"), QStringList{"Invoice can not be Paid In Full and Recurring"});
        QVERIFY(!f.session.header().strRecurring);

        f.session.setFootNote(2);
        QCOMPARE(f.session.document().print.strInvFootNotes, f.s.context.company.invData.strInvFootNote[2]);
        f.session.setFootNote(9);
        QCOMPARE(f.session.header().intInvFootNotes, 3);
    }

    void lunvardAsksBeforeDroppingWorkNotPrinted()
    {
        Fixture f(Edition::Lunvard);
        RecordingPrintModule printer(f.s.context);
        f.open();
        f.session.setKind(QStringLiteral("Estimate"));
        QVERIFY(f.session.mayClose()); // no customer and no line: nothing to lose
        QVERIFY(f.s.prompts.asked.isEmpty());

        f.addCustomerAndLine();
        QVERIFY(!f.session.canSave());
        f.s.prompts.answers = {Prompts::No};
        QVERIFY(!f.session.mayClose());
        QCOMPARE(f.s.prompts.asked.size(), 1);
        QCOMPARE(f.s.prompts.asked.first().kind, QStringLiteral("YesNo"));
        QVERIFY(f.s.prompts.lastMessage().contains(f.session.caption()));

        printer.succeeds = false;
        QVERIFY(!f.session.print(false));
        QVERIFY(f.session.isModified());

        printer.succeeds = true;
        QVERIFY(f.session.print(false));
        QVERIFY(!f.session.isModified());
        QVERIFY(f.session.mayClose());
        QCOMPARE(f.s.prompts.asked.size(), 1);

        f.session.setPrintedFootNote(QStringLiteral("Thanks!"));
        f.s.prompts.answers = {Prompts::Yes};
        QVERIFY(f.session.mayClose());
        QCOMPARE(f.s.prompts.asked.size(), 2);
        QCOMPARE(f.savedCount(), 0); // this edition never stores a document
    }
};

QTEST_GUILESS_MAIN(TestEditingSession)
#include "test_editing_session.moc"
