#include "TestEnvironment.h"
#include "app/StartUp.h"
#include "core/Edition.h"
#include "customers/CustomerStore.h"
#include "data/Database.h"
#include "data/RowVersionStep.h"
#include "data/SchemaUpgrade.h"
#include "editing/EditingSession.h"
#include "invoice/DocumentActions.h"
#include "invoice/DocumentKinds.h"
#include "invoice/DocumentStore.h"
#include "invoice/Money.h"
#include "prices/PriceStore.h"
#include "worksheets/WorkSheetPriceStore.h"

#include <QTest>

namespace {

using namespace DocumentKinds;

Payment paid(double amount, const QString &method = QStringLiteral("cash"))
{
    Payment payment;
    payment.date = QDate(2026, 12, 9);
    payment.amount = amount;
    payment.method = method;
    payment.note = QStringLiteral("Zoë's \"deposit\"");
    return payment;
}

/// A second copy of the program on the same company file: its own context, prompts
/// and editing session, started in the data folder of the first.
struct SecondCopy
{
    explicit SecondCopy(int edition)
        : context(Edition::get(edition), prompts, saving)
    {
        context.locale = QLocale(QLocale::English, QLocale::UnitedStates);
        context.windows = &windows;
        StartUp::pStartUp(context);
    }

    ScriptedPrompts prompts;
    NoSavingIndicator saving;
    AppContext context;
    AppWindows windows{context};
};

/// Two copies open on one company file, each with its own editor on a document.
struct TwoCopies
{
    explicit TwoCopies(int edition = Edition::Corvalo)
        : a(edition)
    {
        a.start();
        b = std::make_unique<SecondCopy>(edition);
        sessionB = std::make_unique<EditingSession>(b->context);
    }

    /// A new document of one line saved by copy A.
    int saveNew(const QString &kind)
    {
        CurrentDocument &doc = a.context.document;
        doc.header.blnNewInvoice = true;
        DocumentStore(a.context).pLoadInvoice();
        doc.header.strInvName = kind;
        doc.header.strInvDate = QDate(2026, 12, 9);
        doc.header.strCustCmpnyName = QStringLiteral("O'Brien \"Decks\" Ünal");
        doc.header.strCustPymntTerms = QStringLiteral("Net 30");
        if (a.context.edition().usesWorkSheets()) {
            WorkSheet sheet;
            sheet.strWorkSheetName = QStringLiteral("Living room");
            doc.lines.setWorkSheets({sheet});
        } else {
            doc.lines.appendPriceLine({QStringLiteral("Deck"), 1, 100, 0, false, false});
        }
        return lastNumber = DocumentStore(a.context).pSaveInvoice();
    }

    static void open(AppContext &context, EditingSession &session, int number)
    {
        context.document.header.blnNewInvoice = false;
        context.document.header.intInvNumber = number;
        DocumentStore(context).pLoadInvoice();
        session.open();
    }

    /// A stored header column of document \a number (the last one saved by default).
    [[nodiscard]] QString stored(const QString &column, int number = 0)
    {
        if (number == 0)
            number = lastNumber;
        Statement q = a.db()->prepare(QStringLiteral("SELECT %1 FROM tblInvHeader WHERE intInvNumber = ?").arg(column));
        q.bind(1, number);
        q.step();
        return q.textAt(0);
    }

    [[nodiscard]] QList<double> storedPayments(int number)
    {
        Statement q = a.db()->prepare(
            QStringLiteral("SELECT dbPaymentAmount FROM tblPayments WHERE intInvNumber = ? ORDER BY intPaymentID"));
        q.bind(1, number);
        QList<double> amounts;
        while (q.step())
            amounts << q.doubleAt(0);
        return amounts;
    }

    [[nodiscard]] qint64 documentCount() { return a.db()->queryInt(QStringLiteral("SELECT COUNT(*) FROM tblInvHeader")); }

    TestSession a;
    EditingSession sessionA{a.context};
    int lastNumber = 0;
    std::unique_ptr<SecondCopy> b;
    std::unique_ptr<EditingSession> sessionB;
};

enum Pick { TakeTheirs, Overwrite, KeepMineAsNew, Cancel };

} // namespace

class TestVersions : public QObject
{
    Q_OBJECT

private slots:
    void paymentsRecordedByBothCopiesAreKept()
    {
        TwoCopies copies;
        const int number = copies.saveNew(kInvoice);
        TwoCopies::open(copies.b->context, *copies.sessionB, number);
        TwoCopies::open(copies.a.context, copies.sessionA, number);

        copies.sessionA.recordPayment(paid(5));
        QVERIFY(copies.sessionA.save());
        copies.sessionB->recordPayment(paid(1, QStringLiteral("check")));
        QVERIFY(copies.sessionB->save());

        // Combined without a question: both payments, and the paid amount is their sum.
        QVERIFY(copies.b->prompts.messages(QStringLiteral("Choice")).isEmpty());
        QCOMPARE(copies.storedPayments(number), (QList<double>{5, 1}));
        QCOMPARE(copies.stored(QStringLiteral("dbPaidAmount")).toDouble(), 6.0);
        QCOMPARE(copies.b->context.document.payments.size(), 2);
        QCOMPARE(copies.b->context.document.header.dbPaidAmount, 6.0);

        // A, now behind B, edits the header and records once more: still combined.
        copies.sessionA.setPONumber(QStringLiteral("PO \"7\""));
        copies.sessionA.recordPayment(paid(2));
        QVERIFY(copies.sessionA.save());
        QVERIFY(copies.a.prompts.messages(QStringLiteral("Choice")).isEmpty());
        QCOMPARE(copies.storedPayments(number), (QList<double>{5, 1, 2}));
        QCOMPARE(copies.stored(QStringLiteral("dbPaidAmount")).toDouble(), 8.0);
        QCOMPARE(copies.stored(QStringLiteral("strCustPONumber")), QStringLiteral("PO \"7\""));
        QCOMPARE(copies.stored(QStringLiteral("intRowVersion")).toInt(), 3);
    }

    void paidInFullMeanwhileIsPostedOnce()
    {
        TwoCopies copies;
        const int number = copies.saveNew(kInvoice);
        TwoCopies::open(copies.b->context, *copies.sessionB, number);

        // A's list marks it paid in full (posting it); B, behind, adds a tip and a note.
        DocumentActions(copies.a.context).markPaidInFull(number);
        const auto posted = [&copies] {
            return Money::roundToCents(copies.a.db()->queryInt(
                QStringLiteral("SELECT CAST(ROUND(IFNULL(SUM(dbLbrTotal + dbMatTotal), 0) * 100) AS INTEGER) "
                               "FROM tblReport")) / 100.0);
        };
        QCOMPARE(posted(), 100.0);
        copies.sessionB->recordPayment(paid(3));
        QVERIFY(copies.sessionB->save());
        QVERIFY(copies.b->prompts.messages(QStringLiteral("Choice")).isEmpty());
        QCOMPARE(posted(), 100.0);
        QCOMPARE(copies.stored(QStringLiteral("strPaidInFull")), QStringLiteral("-1"));
        QCOMPARE(copies.storedPayments(number), (QList<double>{100, 3}));
        QCOMPARE(copies.stored(QStringLiteral("dbPaidAmount")).toDouble(), 103.0);
    }

    void recordPaymentFromAListKeepsWhatAnEditorStoredMeanwhile()
    {
        TwoCopies copies;
        const int number = copies.saveNew(kInvoice);
        TwoCopies::open(copies.b->context, *copies.sessionB, number);
        copies.sessionB->setPONumber(QStringLiteral("B's order"));

        // The list in A records against the stored document; B's editor saves later.
        QCOMPARE(DocumentActions(copies.a.context).recordPayment(number, paid(40)),
                 DocumentActions::PaymentOutcome::Recorded);
        QVERIFY(copies.sessionB->save());
        QVERIFY(copies.b->prompts.messages(QStringLiteral("Choice")).isEmpty());
        QCOMPARE(copies.storedPayments(number), (QList<double>{40}));
        QCOMPARE(copies.stored(QStringLiteral("dbPaidAmount")).toDouble(), 40.0);
        QCOMPARE(copies.stored(QStringLiteral("strCustPONumber")), QStringLiteral("B's order"));
    }

    void headerEditedByBothCopiesAsks_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("pick");
        QTest::addColumn<bool>("confirmLoss");
        QTest::newRow("take theirs") << QString(kInvoice) << int(TakeTheirs) << false;
        QTest::newRow("overwrite, confirmed") << QString(kInvoice) << int(Overwrite) << true;
        QTest::newRow("overwrite, not confirmed") << QString(kInvoice) << int(Overwrite) << false;
        QTest::newRow("keep mine as a new estimate") << QString(kEstimate) << int(KeepMineAsNew) << false;
        QTest::newRow("cancel") << QString(kEstimate) << int(Cancel) << false;
    }

    void headerEditedByBothCopiesAsks()
    {
        QFETCH(QString, kind);
        QFETCH(int, pick);
        QFETCH(bool, confirmLoss);
        TwoCopies copies;
        const int number = copies.saveNew(kind);
        TwoCopies::open(copies.b->context, *copies.sessionB, number);
        TwoCopies::open(copies.a.context, copies.sessionA, number);

        copies.sessionA.setPONumber(QStringLiteral("A's order"));
        copies.sessionA.recordPayment(paid(5));
        QVERIFY(copies.sessionA.save());
        copies.sessionB->setPONumber(QStringLiteral("B's order"));

        ScriptedPrompts &asked = copies.b->prompts;
        // The buttons after the one picked shift left when Keep Mine as New is not offered.
        const bool depositKind = isDepositKind(kind);
        asked.picks << (pick == Cancel && !depositKind ? pick - 1 : pick);
        asked.answers << (confirmLoss ? Prompts::Yes : Prompts::No);
        const qint64 before = copies.documentCount();
        const bool saved = copies.sessionB->save();

        const QStringList choices = asked.messages(QStringLiteral("Choice"));
        QCOMPARE(choices.size(), 1);
        QVERIFY(choices.first().contains(QStringLiteral("changed by another copy")));
        // The default is the button that loses nothing; a copied invoice would bill twice.
        QCOMPARE(asked.asked.first().buttons.first(), QStringLiteral("Cancel"));
        QCOMPARE(asked.asked.first().buttons.contains(QStringLiteral("&Keep Mine as New")), depositKind);

        const CurrentDocument &docB = copies.b->context.document;
        switch (Pick(pick)) {
        case TakeTheirs:
            QVERIFY(!saved);
            QVERIFY(!copies.sessionB->isModified());
            QCOMPARE(docB.header.strCustPONumber, QStringLiteral("A's order"));
            QCOMPARE(docB.payments.size(), 1);
            QCOMPARE(copies.stored(QStringLiteral("strCustPONumber")), QStringLiteral("A's order"));
            break;
        case Overwrite: {
            const QStringList questions = asked.messages(QStringLiteral("YesNo"));
            QCOMPARE(questions.size(), 1);
            // What would be lost is named: their payment and their order number.
            QVERIFY2(questions.first().contains(QStringLiteral("Payment of $5.00")), qPrintable(questions.first()));
            QVERIFY(questions.first().contains(QStringLiteral("PO number: \"A's order\"")));
            QCOMPARE(asked.asked.last().preferred, Prompts::No);
            QCOMPARE(saved, confirmLoss);
            QCOMPARE(copies.stored(QStringLiteral("strCustPONumber")),
                     confirmLoss ? QStringLiteral("B's order") : QStringLiteral("A's order"));
            QCOMPARE(copies.storedPayments(number), confirmLoss ? QList<double>{} : QList<double>{5});
            QCOMPARE(copies.stored(QStringLiteral("dbPaidAmount")).toDouble(), confirmLoss ? 0.0 : 5.0);
            QCOMPARE(copies.sessionB->isModified(), !confirmLoss);
            break;
        }
        case KeepMineAsNew: {
            QVERIFY(saved);
            QCOMPARE(copies.documentCount(), before + 1);
            QCOMPARE(copies.stored(QStringLiteral("strCustPONumber")), QStringLiteral("A's order"));
            const int copy = docB.header.intInvNumber;
            QVERIFY(copy != number);
            QCOMPARE(copies.stored(QStringLiteral("strCustPONumber"), copy), QStringLiteral("B's order"));
            // The deposit already stored stays with the original only.
            QCOMPARE(copies.storedPayments(copy), QList<double>{});
            QCOMPARE(copies.storedPayments(number), QList<double>{5});
            QVERIFY(asked.lastMessage().contains(QStringLiteral("saved as %1 %2").arg(kind).arg(copy)));
            break;
        }
        case Cancel:
            QVERIFY(!saved);
            QVERIFY(copies.sessionB->isModified());
            QCOMPARE(docB.header.strCustPONumber, QStringLiteral("B's order"));
            QCOMPARE(copies.stored(QStringLiteral("strCustPONumber")), QStringLiteral("A's order"));
            QCOMPARE(copies.documentCount(), before);
            break;
        }
        QCOMPARE(asked.unplanned, 0);
    }

    void documentDeletedMeanwhileIsNotStoredAgainUnasked()
    {
        TwoCopies copies;
        const int number = copies.saveNew(kInvoice);
        TwoCopies::open(copies.b->context, *copies.sessionB, number);
        copies.a.context.document.header.intInvNumber = number;
        DocumentStore(copies.a.context).pDeleteInvoice();
        copies.sessionB->setPONumber(QStringLiteral("still wanted"));

        ScriptedPrompts &asked = copies.b->prompts;
        asked.answers << Prompts::No << Prompts::Yes;
        QVERIFY(!copies.sessionB->save());
        QVERIFY(asked.lastMessage().contains(QStringLiteral("was deleted by another copy")));
        QCOMPARE(copies.documentCount(), 0);
        QVERIFY(copies.sessionB->isModified());

        QVERIFY(copies.sessionB->save());
        QCOMPARE(copies.stored(QStringLiteral("strCustPONumber")), QStringLiteral("still wanted"));
        QCOMPARE(copies.documentCount(), 1);
        QCOMPARE(asked.unplanned, 0);
    }

    void customerEditedByBothCopiesAsks()
    {
        TwoCopies copies;
        CustomerStore storeA(copies.a.context);
        CustomerStore storeB(copies.b->context);
        CustomerRecord created;
        created.strCustFirstName = QStringLiteral("Zoë");
        created.strCustLastName = QStringLiteral("O'Neil \"ZO\"");
        created.strCustMainPhone = QStringLiteral("555-0100");
        const qint64 id = storeA.save(created);

        for (const Pick pick : {TakeTheirs, Overwrite}) {
            CustomerRecord mine = *storeB.find(id);
            CustomerRecord theirs = *storeA.find(id);
            const QString theirPhone = QStringLiteral("555-01%1").arg(40 + int(pick));
            theirs.strCustMainPhone = theirPhone;
            QCOMPARE(storeA.saveOrAsk(theirs, copies.a.prompts), RowVersions::SaveOutcome::Saved);

            mine.strCustCity = QStringLiteral("Zürich");
            ScriptedPrompts &asked = copies.b->prompts;
            asked.asked.clear();
            asked.picks << int(pick);
            asked.answers << Prompts::Yes;
            const RowVersions::SaveOutcome outcome = storeB.saveOrAsk(mine, asked);
            const CustomerRecord stored = *storeA.find(id);
            if (pick == TakeTheirs) {
                QCOMPARE(outcome, RowVersions::SaveOutcome::TookTheirs);
                QCOMPARE(mine, stored);
                QCOMPARE(stored.strCustCity, QString());
                asked.answers.clear();
            } else {
                QCOMPARE(outcome, RowVersions::SaveOutcome::Saved);
                QVERIFY(asked.lastMessage().contains(QStringLiteral("Main phone: ") + theirPhone));
                QCOMPARE(stored.strCustCity, QStringLiteral("Zürich"));
                QCOMPARE(stored.strCustMainPhone, mine.strCustMainPhone);
                QVERIFY(stored.strCustMainPhone != theirPhone);
            }
        }

        // Deleted meanwhile: stored again only when the user says so.
        CustomerRecord mine = *storeB.find(id);
        storeA.remove(id);
        mine.strCustNotes = QStringLiteral("keep me");
        copies.b->prompts.answers << Prompts::No;
        QCOMPARE(storeB.saveOrAsk(mine, copies.b->prompts), RowVersions::SaveOutcome::KeptEditing);
        QCOMPARE(copies.a.db()->queryInt(QStringLiteral("SELECT COUNT(*) FROM tblCustomers WHERE intCustomerID = ")
                                         + QString::number(id)),
                 0);
        copies.b->prompts.answers << Prompts::Yes;
        QCOMPARE(storeB.saveOrAsk(mine, copies.b->prompts), RowVersions::SaveOutcome::Saved);
        QCOMPARE(storeA.find(mine.intCustomerID)->strCustNotes, QStringLiteral("keep me"));
    }

    void priceItemChangedMeanwhileIsNotWrittenOver()
    {
        TwoCopies copies;
        PriceStore storeA(copies.a.context);
        PriceStore storeB(copies.b->context);
        PriceItem item;
        item.strPrcItemName = QStringLiteral("Trim \"oak\" ½ inch");
        item.dbLbrPrc = 12.5;
        const qint64 id = storeA.save(item);
        PriceItem mine = *storeB.find(id);
        PriceItem theirs = *storeA.find(id);
        theirs.dbLbrPrc = 14;
        (void)storeA.save(theirs);

        mine.dbMatPrc = 3;
        QVERIFY_THROWS_EXCEPTION(RowConflict, (void)storeB.save(mine));
        QCOMPARE(storeA.find(id)->dbLbrPrc, 14.0);
        copies.b->prompts.picks << int(Cancel) - 1;
        QCOMPARE(storeB.saveOrAsk(mine, copies.b->prompts), RowVersions::SaveOutcome::KeptEditing);
        QCOMPARE(storeA.find(id)->dbMatPrc, 0.0);
    }

    void workSheetPriceChangedMeanwhileAsks()
    {
        TwoCopies copies(Edition::Heddrin);
        WorkSheetPriceStore storeA(copies.a.context);
        WorkSheetPriceStore storeB(copies.b->context);
        WorkSheetPriceItem mine = storeB.list().at(2);
        WorkSheetPriceItem theirs = storeA.list().at(2);
        theirs.dbLbrPrc = 0.61;
        QCOMPARE(storeA.saveCompanyPriceOrAsk(theirs, copies.a.prompts), RowVersions::SaveOutcome::Saved);

        mine.dbMatPrc = 0.07;
        ScriptedPrompts &asked = copies.b->prompts;
        asked.picks << int(Overwrite) << int(Overwrite);
        asked.answers << Prompts::No << Prompts::Yes;
        QCOMPARE(storeB.saveCompanyPriceOrAsk(mine, asked), RowVersions::SaveOutcome::KeptEditing);
        QVERIFY(asked.lastMessage().contains(QStringLiteral("Labor price: 0.61")));
        QCOMPARE(storeA.list().at(2).dbLbrPrc, 0.61);
        QCOMPARE(storeB.saveCompanyPriceOrAsk(mine, asked), RowVersions::SaveOutcome::Saved);
        QCOMPARE(storeA.list().at(2).dbMatPrc, 0.07);
        QCOMPARE(storeA.list().at(2).dbLbrPrc, mine.dbLbrPrc);
    }

    void olderFilesStartAtVersionZero_data()
    {
        QTest::addColumn<int>("edition");
        QTest::newRow("price items") << int(Edition::Corvalo);
        QTest::newRow("work-sheet prices") << int(Edition::Heddrin);
    }

    void olderFilesStartAtVersionZero()
    {
        QFETCH(int, edition);
        TwoCopies copies(edition);
        const int number = copies.saveNew(kInvoice);
        const QStringList tables = {QStringLiteral("tblInvHeader"), QStringLiteral("tblCustomers"),
                                    QStringLiteral("tblPrices")};
        {
            // The file as the release before versions left it.
            const auto db = copies.a.db();
            for (const QString &table : tables)
                db->exec(QStringLiteral("ALTER TABLE %1 DROP COLUMN intRowVersion").arg(table));
            db->prepare(QStringLiteral("UPDATE tblSchemaLevel SET intSchemaLevel = ?"))
                .bindAll(RowVersionStep::kLevel - 1)
                .run();
        }
        const QString path = copies.a.context.databasePath();
        const SchemaUpgrade::UpgradePlan plan = SchemaUpgrade::planUpgrade(
            path, copies.a.context.locale, copies.a.prompts, SchemaUpgrade::Occasion::StartUp, QDate(2026, 12, 9));
        const SchemaUpgrade::UpgradeReport report =
            SchemaUpgrade::pUpgradeDataBase(path, {copies.a.context.edition(), copies.a.context.locale}, plan);
        QCOMPARE(report.fromLevel, RowVersionStep::kLevel - 1);
        const auto db = copies.a.db();
        for (const QString &table : tables) {
            QVERIFY(db->columnExists(table, QStringLiteral("intRowVersion")));
            QCOMPARE(db->queryInt(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE intRowVersion <> 0").arg(table)), 0);
        }

        // Saved documents open at version 0 and their next save moves it on.
        TwoCopies::open(copies.a.context, copies.sessionA, number);
        QCOMPARE(copies.a.context.document.saved.intRowVersion, 0);
        copies.sessionA.setPONumber(QStringLiteral("after the upgrade"));
        QVERIFY(copies.sessionA.save());
        QCOMPARE(copies.stored(QStringLiteral("intRowVersion"), number).toInt(), 1);
    }
};

QTEST_GUILESS_MAIN(TestVersions)
#include "test_versions.moc"
