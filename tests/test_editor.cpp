#include "RecordingPrintModule.h"
#include "TestEnvironment.h"
#include "core/Edition.h"
#include "customers/QuickCustomer.h"
#include "customers/TfrmCustomerLunvard.h"
#include "data/Database.h"
#include "editing/EditorRules.h"
#include "editing/PaidAndDeposit.h"
#include "editing/TfrmInvoiceLunvard.h"
#include "editing/TfrmInvoiceNotes.h"
#include "editing/TfrmInvoicePriceItemEdit.h"
#include "editing/TfrmPaidAndDeposit.h"
#include "invoice/DocumentStore.h"
#include "invoice/Money.h"
#include "core/AllowNumDecimalOnly.h"
#include "prices/PriceLineEntry.h"
#include "prices/TfrmPriceLunvard.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSet>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <functional>

namespace {

const QString kHostile = QStringLiteral("O'Neil \"Bob\" \u00c5ngstr\u00f6m \U0001F3E0");

template<typename T>
T *child(QWidget *parent, const QString &name)
{
    T *found = parent->findChild<T *>(name);
    if (!found)
        qFatal("no %s named %s", T::staticMetaObject.className(), qPrintable(name));
    return found;
}

/// Acts on the next modal dialog as soon as its own event loop runs. A dialog of
/// another class fails the test and is closed, so nothing hangs.
template<typename Dialog>
void whenDialogOpens(std::function<void(Dialog &)> act)
{
    QTimer::singleShot(0, [act] {
        QWidget *modal = QApplication::activeModalWidget();
        auto *dialog = qobject_cast<Dialog *>(modal);
        if (!dialog) {
            if (modal)
                modal->close();
            QFAIL("the expected dialog did not open");
        }
        act(*dialog);
        if (dialog->isVisible()) // a step left it open: close it so the test goes on
            dialog->reject();
    });
}

/// Types \a keys one character at a time; keys that are not ASCII arrive as
/// text-only key events, as an input method would send them.
void typeInto(QWidget *field, const QString &keys)
{
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (keys.at(i).unicode() < 0x80) {
            QTest::keyClick(field, keys.at(i).toLatin1());
            continue;
        }
        const qsizetype length = keys.at(i).isHighSurrogate() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, keys.mid(i, length), Qt::NoModifier);
        i += length - 1;
    }
}

struct Session : TestSession
{
    Session()
        : TestSession(Edition::Lunvard)
        , store(context)
    {
        start();
    }

    CurrentDocument &doc() { return context.document; }
    TrecInvHeader &header() { return context.document.header; }

    void newDocument()
    {
        header().blnNewInvoice = true;
        store.pLoadInvoice();
    }

    /// Opens the editor on a new document, as the new-document command does.
    TfrmInvoiceLunvard &openEditor()
    {
        newDocument();
        editor = std::make_unique<TfrmInvoiceLunvard>(context);
        editor->show();
        return *editor;
    }

    template<typename T>
    T *editorChild(const QString &name)
    {
        return child<T>(editor.get(), name);
    }
    QString text(const QString &name) { return editorChild<QLineEdit>(name)->text(); }
    QString label(const QString &name) { return editorChild<QLabel>(name)->text(); }
    QAction *action(const QString &name) { return editorChild<QAction>(name); }

    void addCustomer(const QString &company, const QString &first = {}, const QString &last = {})
    {
        whenDialogOpens<TfrmCustomerLunvard>([=](TfrmCustomerLunvard &d) {
            typeInto(child<QLineEdit>(&d, "txtCustCmpnyName"), company);
            typeInto(child<QLineEdit>(&d, "txtCustFrstName"), first);
            typeInto(child<QLineEdit>(&d, "txtCustLstName"), last);
            typeInto(child<QLineEdit>(&d, "txtCustAddress"), QStringLiteral("12 Elm Street"));
            typeInto(child<QLineEdit>(&d, "txtCustCity"), QStringLiteral("Springfield"));
            typeInto(child<QLineEdit>(&d, "txtCustState"), QStringLiteral("IL"));
            typeInto(child<QLineEdit>(&d, "txtCustZipCode"), QStringLiteral("62701"));
            child<QAction>(&d, "actOK")->trigger();
        });
        QTest::mouseClick(editorChild<QPushButton>("btnAddCustomer"), Qt::LeftButton);
    }

    void addLine(const QString &description, const QString &labor, const QString &material, const QString &quantity)
    {
        whenDialogOpens<TfrmPriceLunvard>([=](TfrmPriceLunvard &d) {
            typeInto(child<QLineEdit>(&d, "txtPriceItmDiscription"), description);
            typeInto(child<QLineEdit>(&d, "txtLaborPrice"), labor);
            typeInto(child<QLineEdit>(&d, "txtMatPrice"), material);
            typeInto(child<QLineEdit>(&d, "txtQuantity"), quantity);
            child<QAction>(&d, "actOK")->trigger();
        });
        QTest::mouseClick(editorChild<QPushButton>("btnAddPriceItem"), Qt::LeftButton);
    }

    void clickLine(int row)
    {
        auto *list = editorChild<QTableView>("lstInvoice");
        const QRect cell = list->visualRect(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    }

    void setPaidOrDeposit(const std::function<void(TfrmPaidAndDeposit &)> &act)
    {
        whenDialogOpens<TfrmPaidAndDeposit>(act);
        QTest::mouseClick(editorChild<QPushButton>("btnPaidDeposit"), Qt::LeftButton);
    }

    void chooseKind(const QString &kind)
    {
        auto *kinds = editorChild<QComboBox>("cmbInvoiceType");
        kinds->setCurrentIndex(kinds->findText(kind));
    }

    int storedNextNumber() { return store.GetInvoiceNumber(); }
    qint64 count(const QString &sql) { return db()->queryInt(sql); }

    DocumentStore store;
    std::unique_ptr<TfrmInvoiceLunvard> editor;
};

} // namespace

class TestEditor : public QObject
{
    Q_OBJECT

private slots:
    // ---- logic without windows ----

    void amountFilterLetsInDigitsAndOneSeparator_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("state");
        const int invalid = QValidator::Invalid, partial = QValidator::Intermediate, ok = QValidator::Acceptable;
        QTest::newRow("digits") << "en_US" << "1234567890" << ok;
        QTest::newRow("one point") << "en_US" << "12.50" << ok;
        QTest::newRow("leading point") << "en_US" << ".5" << ok;
        QTest::newRow("two points") << "en_US" << "1.2.3" << invalid;
        QTest::newRow("letter") << "en_US" << "12a" << invalid;
        QTest::newRow("minus") << "en_US" << "-5" << invalid;
        QTest::newRow("group separator") << "en_US" << "1,000" << invalid;
        QTest::newRow("blank") << "en_US" << "1 0" << invalid;
        QTest::newRow("other script digits") << "en_US" << QStringLiteral("\u0661\u0662") << invalid;
        QTest::newRow("empty") << "en_US" << "" << partial;
        QTest::newRow("point alone") << "en_US" << "." << partial;
        QTest::newRow("comma locale") << "de_DE" << "12,5" << ok;
        QTest::newRow("point in comma locale") << "de_DE" << "12.5" << invalid;
    }
    void amountFilterLetsInDigitsAndOneSeparator()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(int, state);
        AllowNumDecimalOnly filter{QLocale(locale)};
        int position = 0;
        QCOMPARE(int(filter.validate(text, position)), state);
    }

    void amountRuleRefusesWhatDoesNotFitAndOneWordingTellsIt()
    {
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        AllowNumDecimalOnly filter(us, nullptr, 10);
        int position = 0;
        QString pasted = QStringLiteral("1000000000000");
        QCOMPARE(filter.validate(pasted, position), QValidator::Invalid); // refused whole, not cut to 10
        QString fits = QStringLiteral("1000000000");
        QCOMPARE(filter.validate(fits, position), QValidator::Acceptable);
        filter.allowLength(13); // a longer stored text stays editable
        QCOMPARE(filter.validate(pasted, position), QValidator::Acceptable);

        QString lone = QStringLiteral(".");
        filter.fixup(lone);
        QVERIFY(lone.isEmpty());
        QString started = QStringLiteral("5.");
        filter.fixup(started);
        QCOMPARE(started, QStringLiteral("5."));
        QVERIFY(!AllowNumDecimalOnly::hasDigits(QStringLiteral(",")));
        QVERIFY(AllowNumDecimalOnly::hasDigits(QStringLiteral(",5")));
        QCOMPARE(AllowNumDecimalOnly::notANumber(QStringLiteral("labor price"), QStringLiteral("."),
                                                 QLocale(QLocale::German, QLocale::Germany)),
                 QStringLiteral("The labor price \".\" is not a number. Enter digits with at most one decimal "
                                "separator, such as 12,50."));
    }

    void quickCustomerReplacesTheWholeCustomerBlock()
    {
        TrecInvHeader header;
        header.strCustExtraPhone1 = "555-1";
        header.strCustExtraPhone2 = "555-2";
        header.strCustPymntTerms = "Net 10";
        header.intCustDiscountPercent = 15;
        header.strCustNotes = "gate code 1234";
        header.strCustTaxExempt = true;
        header.strCustTaxExemptNum = "EX-9";
        header.strCustPONumber = "PO-77";

        QuickCustomer customer;
        QVERIFY(!customer.canUse());
        customer.address = "1 Main";
        QVERIFY(!customer.canUse()); // an address is not a customer
        customer.lastName = QStringLiteral("   ");
        QVERIFY(!customer.canUse()); // nor are blanks
        customer.lastName.clear();
        customer.companyName = kHostile;
        QVERIFY(customer.canUse());
        customer.applyTo(header);
        QCOMPARE(header.strCustCmpnyName, kHostile);
        QCOMPARE(header.strCustFullName, QString());
        QCOMPARE(header.strCustCtyStZp, QStringLiteral("  "));
        QCOMPARE(header.strCustAddress, QStringLiteral("1 Main"));
        for (const QString &cleared : {header.strCustExtraPhone1, header.strCustExtraPhone2, header.strCustPymntTerms,
                                       header.strCustNotes, header.strCustTaxExemptNum})
            QVERIFY(cleared.isEmpty());
        QCOMPARE(header.intCustDiscountPercent, 0);
        QVERIFY(!header.strCustTaxExempt);
        QCOMPARE(header.strCustPONumber, QStringLiteral("PO-77"));

        customer.firstName = "Ann";
        customer.applyTo(header);
        QCOMPARE(header.strCustFullName, QStringLiteral("Ann "));
        customer.firstName.clear();
        customer.lastName = "Lee";
        customer.city = "Salem";
        customer.zipCode = "97301";
        customer.applyTo(header);
        QCOMPARE(header.strCustFullName, QStringLiteral(" Lee"));
        QCOMPARE(header.strCustCtyStZp, QStringLiteral("Salem  97301"));
    }

    void typedPriceLinesBecomeRows()
    {
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        PriceLineEntry entry{kHostile, "2", "", "25"};
        QVERIFY(entry.toLine(us) == (PriceLine{kHostile, 2, 0, 25, true, true}));
        const QLocale german(QLocale::German, QLocale::Germany);
        QVERIFY((PriceLineEntry{"x", "1,5", "2", "0,25"}.toLine(german) == PriceLine{"x", 1.5, 2, 0.25, true, true}));

        QVERIFY(!entry.problem(us));
        entry.quantity.clear();
        QCOMPARE(entry.problem(us).value_or(QString()), QStringLiteral("Enter a Quantity for this Price Item."));
        entry.quantity = ".";
        QCOMPARE(entry.problem(us).value_or(QString()),
                 QStringLiteral("The quantity \".\" is not a number. Enter digits with at most one decimal "
                                "separator, such as 12.50."));
        entry.quantity = "1";
        entry.materialPrice = ".";
        QVERIFY(entry.problem(us));
        QVERIFY(!entry.toLine(us));

        PriceLineEntry edited = PriceLineEntry::fromLine({"Old", 1, 4, 5.5, true, false}, german);
        QCOMPARE(edited.materialPrice, QStringLiteral("5,5"));
        QVERIFY(edited.laborTaxable);
        QVERIFY(!edited.materialTaxable);
        edited.description = "New";
        edited.laborPrice.clear();
        edited.materialTaxable = true;
        QVERIFY(edited.toLine(german) == (PriceLine{"New", 1, 0, 5.5, true, true}));
    }

    void quickPriceOkNeedsDescriptionPriceAndQuantity()
    {
        PriceLineEntry entry;
        bool ok = false;
        const auto change = [&](QString PriceLineEntry::*field, const char *text) {
            entry.*field = QString::fromLatin1(text);
            ok = quickPriceOkEnabled(ok, entry);
        };
        change(&PriceLineEntry::description, "Paint");
        change(&PriceLineEntry::quantity, "2");
        QVERIFY(!ok); // no price yet
        change(&PriceLineEntry::materialPrice, "25");
        QVERIFY(ok);
        change(&PriceLineEntry::description, "");
        QVERIFY(ok); // stays once given
        change(&PriceLineEntry::materialPrice, "");
        QVERIFY(ok);
        change(&PriceLineEntry::description, "Paint");
        change(&PriceLineEntry::laborPrice, "3");
        change(&PriceLineEntry::quantity, "");
        QVERIFY(!ok); // only an emptied quantity takes it away
    }

    void paidAndDepositAmounts()
    {
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        QCOMPARE(PaidAndDeposit::recommendedDeposit(25, 1000, us), QStringLiteral("$250.00"));
        QCOMPARE(PaidAndDeposit::recommendedDeposit(30, 0.5, us), QStringLiteral("$0.15"));

        TrecInvHeader header;
        header.strInvName = "work order";
        header.dbDepositAmount = 12.5;
        header.dbPaidAmount = 7;
        QCOMPARE(PaidAndDeposit::amountText(header, us), QStringLiteral("12.50"));
        QVERIFY(!PaidAndDeposit::apply(header, "", false, us));
        QCOMPARE(header.dbDepositAmount, 0.0);
        QCOMPARE(header.dbPaidAmount, 7.0);

        header.strInvName = "Invoice";
        QCOMPARE(PaidAndDeposit::amountText(header, us), QStringLiteral("7.00"));
        QCOMPARE(PaidAndDeposit::apply(header, ".", true, us).value_or(QString()),
                 QStringLiteral("The amount \".\" is not a number. Enter digits with at most one decimal "
                                "separator, such as 12.50."));
        QCOMPARE(header.dbPaidAmount, 7.0); // untouched on error
        QVERIFY(!header.strPaidInFull);
        QVERIFY(!PaidAndDeposit::apply(header, "999999999", true, us));
        QCOMPARE(header.dbPaidAmount, 999999999.0);
        QVERIFY(header.strPaidInFull);

        // An amount shown for editing: cents always, a fraction of a cent kept, binary
        // noise not; what is shown the field itself would take, and reads back the same.
        const QLocale german(QLocale::German, QLocale::Germany);
        QCOMPARE(Money::fieldText(0, us), QStringLiteral("0.00"));
        QCOMPARE(Money::fieldText(0.1 + 0.2, us), QStringLiteral("0.30"));
        QCOMPARE(Money::fieldText(12.345, us), QStringLiteral("12.345"));
        QCOMPARE(Money::fieldText(1234.5, german), QStringLiteral("1234,50"));
        QRandomGenerator random(27);
        for (int i = 0; i < 2000; ++i) {
            const double amount = double(random.bounded(Q_INT64_C(100000000000))) / (i % 3 == 0 ? 10000.0 : 100.0);
            for (const QLocale &locale : {us, german}) {
                const QString shown = Money::fieldText(amount, locale);
                QVERIFY2(AllowNumDecimalOnly::accepts(shown, locale), qPrintable(shown));
                QCOMPARE(Money::parseDecimal(shown, locale).value_or(-1), amount);
                QVERIFY2(shown.size() - shown.indexOf(locale.decimalPoint()) - 1 >= 2, qPrintable(shown));
            }
        }

        header.strInvName = "Memo";
        QVERIFY(!PaidAndDeposit::apply(header, "5", false, us));
        QCOMPARE(header.dbPaidAmount, 999999999.0);
        QVERIFY(!header.strPaidInFull);
        QVERIFY(!PaidAndDeposit::wordingFor(PaidAndDeposit::groupOf("Memo")));
    }

    void kindSelectorMovesDocumentsForward_data()
    {
        QTest::addColumn<int>("edition");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("isNew");
        QTest::addColumn<QStringList>("offered");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("new Lunvard") << 4 << "" << true << QStringList{"Estimate", "Invoice"} << true;
        QTest::newRow("Ostrev estimate") << 3 << "estimate" << false
                                         << QStringList{"Estimate", "Work Order", "Invoice"} << true;
        QTest::newRow("Ostrev work order") << 3 << "Work Order" << false << QStringList{"Work Order", "Invoice"}
                                           << true;
        QTest::newRow("Corvalo change order") << 1 << "Change Order" << false
                                              << QStringList{"Change Order", "Invoice"} << true;
        QTest::newRow("invoice keeps its kind") << 1 << "Invoice" << false << QStringList{"Invoice"} << false;
        QTest::newRow("credit keeps its kind") << 3 << "Credit" << false << QStringList{"Credit"} << false;
        QTest::newRow("past due keeps its kind") << 1 << "PAST DUE" << false << QStringList{"Past Due"} << false;
    }
    void kindSelectorMovesDocumentsForward()
    {
        QFETCH(int, edition);
        QFETCH(QString, kind);
        QFETCH(bool, isNew);
        const EditorRules::KindChoice choice =
            EditorRules::pLoadInvNames(Edition::get(edition).invoiceTypes(), kind, isNew);
        QTEST(choice.kinds, "offered");
        QTEST(choice.enabled, "enabled");
    }

    void customerBlockListsFilledFieldsThenNotes()
    {
        TrecInvHeader header;
        header.strCustFullName = "Ann Lee";
        header.strCustCtyStZp = "Salem OR 97301";
        header.strCustExtraPhone2 = "Cell 555";
        QCOMPARE(EditorRules::customerBlock(header), QStringLiteral("Ann Lee\nSalem OR 97301\nCell 555"));
        header.strCustNotes = "dog in yard";
        QCOMPARE(EditorRules::customerBlock(header),
                 QStringLiteral("Ann Lee\nSalem OR 97301\nCell 555\n\nNotes ( Not Printed ):\ndog in yard"));
        QCOMPARE(EditorRules::customerBlock(TrecInvHeader{}), QString());
    }

    // ---- the editor and its dialogs ----

    void newDocumentOpensAsEstimateAndFollowsTheKind()
    {
        Session s;
        TfrmInvoiceLunvard &editor = s.openEditor();
        QCOMPARE(editor.windowTitle(), QStringLiteral("Estimate 500"));
        QCOMPARE(s.label("lblInvoiceNameNumber"), QStringLiteral("Estimate Number: 500"));
        QCOMPARE(s.editorChild<QComboBox>("cmbInvoiceType")->count(), 2);
        QCOMPARE(s.label("lblInvoiceDate"), QDate::currentDate().toString("M/d/yyyy"));
        QCOMPARE(s.header().strInvDate, QDate::currentDate());
        QCOMPARE(s.editorChild<QPushButton>("btnPaidDeposit")->text().remove(QLatin1Char('&')),
                 QStringLiteral("Deposit Required"));
        QCOMPARE(s.editorChild<QPushButton>("btnPaidDeposit")->toolTip(), QStringLiteral("Set a Deposit Amount"));
        QCOMPARE(s.label("lblPaidAndDeposit"), QStringLiteral("Deposit Required"));
        QCOMPARE(s.label("lblTotal"), QStringLiteral("Estimate Total"));
        QCOMPARE(s.text("txtInvoiceTotal"), QStringLiteral("$0.00"));
        QCOMPARE(s.label("lblInvInfo"), QString());
        QVERIFY(!s.action("actPrint")->isEnabled());
        QVERIFY(!s.action("actPrintPreview")->isVisible());
        QCOMPARE(s.editorChild<QCheckBox>("ckbxTaxRate1")->text(), QStringLiteral("Local Tax"));
        QCOMPARE(s.editorChild<QCheckBox>("ckbxTaxRate2")->text(), QStringLiteral("State Tax"));
        QVERIFY(!s.editorChild<QCheckBox>("ckbxTaxRate3")->isEnabled()); // no third rate
        auto *list = s.editorChild<QTableView>("lstInvoice");
        for (int column = InvoiceLines::LabPrice; column < InvoiceLines::PriceColumnCount; ++column)
            QVERIFY(list->isColumnHidden(column));

        s.chooseKind("Invoice");
        QCOMPARE(editor.windowTitle(), QStringLiteral("Invoice 500"));
        QCOMPARE(s.label("lblInvoiceNameNumber"), QStringLiteral("Invoice Number: 500"));
        QCOMPARE(s.editorChild<QPushButton>("btnPaidDeposit")->text(), QStringLiteral("Amount Paid"));
        QCOMPARE(s.label("lblPaidAndDeposit"), QStringLiteral("Amount Paid"));
        QCOMPARE(s.label("lblTotal"), QStringLiteral("Invoice Total"));
        QCOMPARE(s.header().strInvName, QStringLiteral("Invoice"));
        QCOMPARE(s.header().intInvNumber, 500);

        s.editorChild<QDateEdit>("dateTimePickerInvoice")->setDate(QDate(2027, 2, 28));
        QCOMPARE(s.header().strInvDate, QDate(2027, 2, 28));
        QCOMPARE(s.prompts.asked.size(), 0);
    }

    void customerAndLinesMakeTheDocumentPrintable()
    {
        Session s;
        s.openEditor();
        typeInto(s.editorChild<QLineEdit>("txtPaymentTerms"), "Net 15");

        // The OK of the quick customer entry waits for a name; Close writes nothing.
        whenDialogOpens<TfrmCustomerLunvard>([](TfrmCustomerLunvard &d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Customer Information"));
            auto *ok = child<QAction>(&d, "actOK");
            QVERIFY(!ok->isEnabled());
            typeInto(child<QLineEdit>(&d, "txtCustAddress"), "1 Main");
            QVERIFY(!ok->isEnabled());
            typeInto(child<QLineEdit>(&d, "txtCustLstName"), "X");
            QVERIFY(ok->isEnabled());
            QTest::keyClick(child<QLineEdit>(&d, "txtCustLstName"), Qt::Key_Backspace);
            QVERIFY(!ok->isEnabled());
            typeInto(child<QLineEdit>(&d, "txtCustFrstName"), "Ann");
            child<QAction>(&d, "actClose")->trigger();
        });
        QTest::mouseClick(s.editorChild<QPushButton>("btnAddCustomer"), Qt::LeftButton);
        QCOMPARE(s.header().strCustFullName, QString());
        QVERIFY(s.editorChild<QPlainTextEdit>("txtCustInformation")->toPlainText().isEmpty());

        s.addCustomer(kHostile, "Ann", "Lee");
        QCOMPARE(s.editorChild<QPlainTextEdit>("txtCustInformation")->toPlainText(),
                 kHostile + "\nAnn Lee\n12 Elm Street\nSpringfield IL 62701");
        QCOMPARE(s.text("txtPaymentTerms"), QStringLiteral("Net 15")); // the customer brought no terms
        QCOMPARE(s.header().strCustPymntTerms, QStringLiteral("Net 15"));
        QVERIFY(!s.action("actPrint")->isEnabled());

        s.addLine("Paint walls", "10", "5", "2");
        QVERIFY(s.action("actPrint")->isEnabled());
        QVERIFY(s.doc().lines.priceLine(0) == (PriceLine{"Paint walls", 2, 10, 5, true, true}));
        QCOMPARE(s.doc().lines.cell(0, InvoiceLines::PriceEach), QStringLiteral("$15.00"));
        QCOMPARE(s.doc().lines.cell(0, InvoiceLines::Total), QStringLiteral("$30.00"));
        QCOMPARE(s.text("txtInvoiceSubTotal"), QStringLiteral("$30.00"));
        QCOMPARE(s.text("txtInvoiceTaxTotal"), QStringLiteral("$0.00"));
        QCOMPARE(s.text("txtInvoiceTotal"), QStringLiteral("$30.00"));

        s.editorChild<QCheckBox>("ckbxTaxRate2")->click(); // State Tax, 5 %
        QCOMPARE(s.text("txtInvoiceTaxTotal"), QStringLiteral("$1.50"));
        QCOMPARE(s.text("txtInvoiceTotal"), QStringLiteral("$31.50"));
        QVERIFY(s.header().strUseTax2);
    }

    void quickPriceFieldsRefuseWhatIsNotAnAmount()
    {
        Session s;
        s.openEditor();
        whenDialogOpens<TfrmPriceLunvard>([&](TfrmPriceLunvard &d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Price Items"));
            auto *quantity = child<QLineEdit>(&d, "txtQuantity");
            auto *labor = child<QLineEdit>(&d, "txtLaborPrice");
            auto *material = child<QLineEdit>(&d, "txtMatPrice");
            typeInto(quantity, "12a.5.0");
            QCOMPARE(quantity->text(), QStringLiteral("12.50"));
            typeInto(labor, "-7,x9");
            QCOMPARE(labor->text(), QStringLiteral("79"));

            // Pasting is filtered like typing: refused text does not arrive.
            QApplication::clipboard()->setText("3.5.1");
            material->paste();
            QCOMPARE(material->text(), QString());
            QApplication::clipboard()->setText("1e5");
            material->paste();
            QCOMPARE(material->text(), QString());
            QApplication::clipboard()->setText("2.25");
            material->paste();
            QCOMPARE(material->text(), QStringLiteral("2.25"));

            QVERIFY(!child<QAction>(&d, "actOK")->isEnabled()); // no description yet
            typeInto(child<QLineEdit>(&d, "txtPriceItmDiscription"), kHostile);
            QVERIFY(child<QAction>(&d, "actOK")->isEnabled());
            child<QAction>(&d, "actOK")->trigger();
        });
        QTest::mouseClick(s.editorChild<QPushButton>("btnAddPriceItem"), Qt::LeftButton);
        QCOMPARE(s.doc().lines.rowCount(), 1);
        QCOMPARE(s.doc().lines.cell(0, InvoiceLines::Description), kHostile);
        QCOMPARE(s.doc().lines.cell(0, InvoiceLines::Total), QStringLiteral("$1,015.63")); // 12.5 x 81.25
    }

    void aQuantityThatIsNotANumberIsRefusedNotStored()
    {
        Session s;
        s.openEditor();
        whenDialogOpens<TfrmPriceLunvard>([&](TfrmPriceLunvard &d) {
            typeInto(child<QLineEdit>(&d, "txtPriceItmDiscription"), "Trim");
            typeInto(child<QLineEdit>(&d, "txtLaborPrice"), "4");
            typeInto(child<QLineEdit>(&d, "txtQuantity"), ".");
            child<QAction>(&d, "actOK")->trigger();
            QVERIFY(d.isVisible()); // stays open for a correction
            QCOMPARE(s.prompts.messages("Error"), QStringList{"The quantity \".\" is not a number. Enter digits with "
                                                              "at most one decimal separator, such as 12.50."});
            QTest::keyClick(child<QLineEdit>(&d, "txtQuantity"), Qt::Key_Backspace);
            typeInto(child<QLineEdit>(&d, "txtQuantity"), "3");
            child<QAction>(&d, "actOK")->trigger();
        });
        QTest::mouseClick(s.editorChild<QPushButton>("btnAddPriceItem"), Qt::LeftButton);
        QCOMPARE(s.doc().lines.rowCount(), 1);
        QCOMPARE(s.doc().lines.priceLine(0).materialPrice, 0.0);
        QCOMPARE(s.text("txtInvoiceSubTotal"), QStringLiteral("$12.00"));

        // Close adds nothing.
        whenDialogOpens<TfrmPriceLunvard>([](TfrmPriceLunvard &d) {
            typeInto(child<QLineEdit>(&d, "txtPriceItmDiscription"), "Skipped");
            child<QAction>(&d, "actClose")->trigger();
        });
        QTest::mouseClick(s.editorChild<QPushButton>("btnAddPriceItem"), Qt::LeftButton);
        QCOMPARE(s.doc().lines.rowCount(), 1);
    }

    void hugeAmountsKeepTheTotalsReadable()
    {
        Session s;
        s.openEditor();
        s.addCustomer("Big Co");
        s.addLine("Bridge", "9999999999", "", "100");
        s.editorChild<QCheckBox>("ckbxTaxRate1")->click();
        QCOMPARE(s.text("txtInvoiceSubTotal"), QStringLiteral("$999,999,999,900.00"));
        QCOMPARE(s.text("txtInvoiceTaxTotal"), QStringLiteral("$12,299,999,998.77"));
        QCOMPARE(s.text("txtInvoiceTotal"), QStringLiteral("$1,012,299,999,898.77"));
        QVERIFY(s.prompts.asked.isEmpty());
    }

    void aLineAddedOutsideTheEditorCountsAtTheNextRefresh()
    {
        Session s;
        s.openEditor();
        s.doc().lines.appendPriceLine({"Imported", 2, 1, 1, true, true});
        s.editorChild<QCheckBox>("ckbxTaxRate1")->click();
        s.editorChild<QCheckBox>("ckbxTaxRate1")->click();
        QCOMPARE(s.text("txtInvoiceSubTotal"), QStringLiteral("$4.00"));
        QVERIFY(s.prompts.messages("Error").isEmpty());

        s.action("actHelp")->trigger(); // no help file beside the test program
        QCOMPARE(s.prompts.messages("Plain"), QStringList{"Unable to open the Help files!"});
    }

    void editingAndRemovingALine()
    {
        Session s;
        s.openEditor();
        s.addCustomer("Acme");
        s.addLine("Prime", "10", "5", "1");
        s.addLine("Widget", "20", "", "2");
        s.addLine("Sand", "1", "1", "1");
        QCOMPARE(s.text("txtInvoiceSubTotal"), QStringLiteral("$57.00"));

        whenDialogOpens<TfrmInvoicePriceItemEdit>([](TfrmInvoicePriceItemEdit &d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Edit Price Item"));
            QCOMPARE(child<QLineEdit>(&d, "txtPriceItmDiscription")->text(), QStringLiteral("Widget"));
            QCOMPARE(child<QLineEdit>(&d, "txtLaborPrice")->text(), QStringLiteral("20"));
            QCOMPARE(child<QLineEdit>(&d, "txtMatPrice")->text(), QStringLiteral("0.0"));
            QVERIFY(child<QCheckBox>(&d, "ckbxLaborTaxable")->isChecked());
            QVERIFY(child<QCheckBox>(&d, "ckbxMatTaxable")->isHidden()); // Lunvard taxes every line alike
            QVERIFY(child<QPushButton>(&d, "tlbtnOK")->isHidden());
            auto *labor = child<QLineEdit>(&d, "txtLaborPrice");
            labor->selectAll();
            QTest::keyClick(labor, Qt::Key_Delete);
            QVERIFY(child<QPushButton>(&d, "tlbtnOK")->isVisible());
            typeInto(child<QLineEdit>(&d, "txtMatPrice"), "5"); // 0.05
            QTest::mouseClick(child<QPushButton>(&d, "tlbtnOK"), Qt::LeftButton);
        });
        s.clickLine(1);
        QCOMPARE(s.context.selectedLineIndex, 1);
        QCOMPARE(s.doc().lines.priceLine(1).laborPrice, 0.0);
        QCOMPARE(s.doc().lines.priceLine(1).materialPrice, 0.05);
        QCOMPARE(s.text("txtInvoiceSubTotal"), QStringLiteral("$17.10"));

        // No keeps the line and the dialog; Yes removes exactly the clicked line.
        s.prompts.answers = {Prompts::No, Prompts::Yes};
        whenDialogOpens<TfrmInvoicePriceItemEdit>([&](TfrmInvoicePriceItemEdit &d) {
            QTest::mouseClick(child<QPushButton>(&d, "tlbtnRemove"), Qt::LeftButton);
            QVERIFY(d.isVisible());
            QCOMPARE(s.doc().lines.rowCount(), 3);
            QTest::mouseClick(child<QPushButton>(&d, "tlbtnRemove"), Qt::LeftButton);
        });
        s.clickLine(0);
        QCOMPARE(s.prompts.messages("YesNoCancel"),
                 QStringList({"Remove Prime from Estimate 500?", "Remove Prime from Estimate 500?"}));
        QCOMPARE(s.doc().lines.rowCount(), 2);
        QCOMPARE(s.doc().lines.cell(0, InvoiceLines::Description), QStringLiteral("Widget"));
        QCOMPARE(s.text("txtInvoiceSubTotal"), QStringLiteral("$2.10"));

        // Emptying the quantity is refused: a line without one has no total.
        whenDialogOpens<TfrmInvoicePriceItemEdit>([&](TfrmInvoicePriceItemEdit &d) {
            child<QLineEdit>(&d, "txtQuantity")->clear();
            QTest::mouseClick(child<QPushButton>(&d, "tlbtnOK"), Qt::LeftButton);
            QVERIFY(d.isVisible());
            QTest::mouseClick(child<QPushButton>(&d, "tlbtnCancel"), Qt::LeftButton);
        });
        s.clickLine(0);
        QCOMPARE(s.prompts.lastMessage(), QStringLiteral("Enter a Quantity for this Price Item."));
        QCOMPARE(s.doc().lines.cell(0, InvoiceLines::Quantity), QStringLiteral("2"));
    }

    void notesAreWrittenOnlyByOK()
    {
        Session s;
        s.openEditor();
        s.chooseKind("Invoice");
        bool changed = true;
        whenDialogOpens<TfrmInvoiceNotes>([&changed](TfrmInvoiceNotes &d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Invoice 500 Notes"));
            QVERIFY(child<QPushButton>(&d, "tlbtnOK")->isHidden());
            typeInto(child<QPlainTextEdit>(&d, "txtInvoiceNotes"), "thrown away");
            QTest::mouseClick(child<QPushButton>(&d, "tlbtnCancel"), Qt::LeftButton);
            changed = d.changedDocument();
        });
        QTest::mouseClick(s.editorChild<QPushButton>("btnAddNotes"), Qt::LeftButton);
        QCOMPARE(s.doc().notes, QString());
        QVERIFY(!changed);

        whenDialogOpens<TfrmInvoiceNotes>([&changed](TfrmInvoiceNotes &d) {
            auto *notes = child<QPlainTextEdit>(&d, "txtInvoiceNotes");
            QCOMPARE(notes->toolTip(), QStringLiteral("Add notes to Invoice 500"));
            typeInto(notes, kHostile);
            QVERIFY(child<QPushButton>(&d, "tlbtnOK")->isVisible());
            QTest::mouseClick(child<QPushButton>(&d, "tlbtnOK"), Qt::LeftButton);
            changed = d.changedDocument();
        });
        QTest::mouseClick(s.editorChild<QPushButton>("btnAddNotes"), Qt::LeftButton);
        QCOMPARE(s.doc().notes, kHostile);
        QVERIFY(changed);
    }

    void depositPaidAndPaidInFullReachTheTotals()
    {
        Session s;
        s.openEditor();
        s.addCustomer("Acme");
        s.addLine("Deck", "600", "400", "1");

        s.setPaidOrDeposit([](TfrmPaidAndDeposit &d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Deposit Amount"));
            QCOMPARE(child<QLabel>(&d, "lblPaidAndDeposit")->text(), QStringLiteral("Deposit Amount required"));
            QCOMPARE(child<QLineEdit>(&d, "txtRecDepositAmount")->text(), QStringLiteral("$250.00"));
            QCOMPARE(child<QLineEdit>(&d, "txtInvTotal")->text(), QStringLiteral("$1,000.00"));
            QCOMPARE(child<QLabel>(&d, "lblInvTotal")->text(), QStringLiteral("Estimate Total"));
            QVERIFY(child<QCheckBox>(&d, "ckbxPaidInFull")->isHidden());
            auto *amount = child<QLineEdit>(&d, "txtPaidAndDeposit");
            QCOMPARE(amount->text(), QStringLiteral("0.00"));
            QVERIFY(!child<QPushButton>(&d, "tlbtnOK")->isEnabled()); // shown, offered after a change
            amount->clear();
            QVERIFY(!child<QPushButton>(&d, "tlbtnOK")->isEnabled());
            typeInto(amount, "2.5.0x");
            QCOMPARE(amount->text(), QStringLiteral("2.50"));
            typeInto(amount, "1234567"); // nine characters at most
            QCOMPARE(amount->text(), QStringLiteral("2.5012345"));
            amount->setText("250");
            QTest::mouseClick(child<QPushButton>(&d, "tlbtnOK"), Qt::LeftButton);
        });
        QCOMPARE(s.header().dbDepositAmount, 250.0);
        QCOMPARE(s.text("txtPaidAndDeposit"), QStringLiteral("$250.00"));
        QCOMPARE(s.text("txtInvoiceTotal"), QStringLiteral("$1,000.00")); // a deposit is not a payment

        s.chooseKind("Invoice");
        QCOMPARE(s.text("txtPaidAndDeposit"), QStringLiteral("$0.00"));
        s.setPaidOrDeposit([&](TfrmPaidAndDeposit &d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Amount Paid"));
            QVERIFY(child<QLineEdit>(&d, "txtRecDepositAmount")->isHidden());
            auto *amount = child<QLineEdit>(&d, "txtPaidAndDeposit");
            amount->clear();
            typeInto(amount, ".");
            QTest::mouseClick(child<QPushButton>(&d, "tlbtnOK"), Qt::LeftButton);
            QVERIFY(d.isVisible()); // not a number: reported, nothing written
            QCOMPARE(s.header().dbPaidAmount, 0.0);
            QTest::keyClick(amount, Qt::Key_Backspace);
            typeInto(amount, "400");
            QTest::mouseClick(child<QPushButton>(&d, "tlbtnOK"), Qt::LeftButton);
        });
        QCOMPARE(s.prompts.messages("Error"), QStringList{"The amount \".\" is not a number. Enter digits with at "
                                                          "most one decimal separator, such as 12.50."});
        QCOMPARE(s.text("txtPaidAndDeposit"), QStringLiteral("$400.00"));
        QCOMPARE(s.text("txtInvoiceTotal"), QStringLiteral("$600.00"));

        s.setPaidOrDeposit([](TfrmPaidAndDeposit &d) {
            QCOMPARE(child<QLineEdit>(&d, "txtPaidAndDeposit")->text(), QStringLiteral("400.00"));
            QCOMPARE(child<QLineEdit>(&d, "txtInvTotal")->text(), QStringLiteral("$600.00"));
            child<QCheckBox>(&d, "ckbxPaidInFull")->click();
            QTest::mouseClick(child<QPushButton>(&d, "tlbtnOK"), Qt::LeftButton);
        });
        QVERIFY(s.header().strPaidInFull);
        QCOMPARE(s.header().dbPaidAmount, 400.0);
        QCOMPARE(s.text("txtInvoiceTotal"), QStringLiteral("Paid In Full"));
        QCOMPARE(s.text("txtPaidAndDeposit"), QStringLiteral("$600.00"));

        // Cancel leaves everything as it was.
        s.setPaidOrDeposit([](TfrmPaidAndDeposit &d) {
            child<QCheckBox>(&d, "ckbxPaidInFull")->click();
            QTest::mouseClick(child<QPushButton>(&d, "tlbtnCancel"), Qt::LeftButton);
        });
        QVERIFY(s.header().strPaidInFull);
    }

    void footNoteKeepsAtMostFiveLines()
    {
        Session s;
        s.openEditor();
        auto *footNote = s.editorChild<QPlainTextEdit>("txtInvoiceFootNotes");
        footNote->setFocus();
        for (const char *line : {"one", "two", "three", "four", "five"}) {
            if (QByteArray(line) != "one")
                QTest::keyClick(footNote, Qt::Key_Return);
            typeInto(footNote, line);
        }
        QTest::keyClick(footNote, Qt::Key_Return);
        typeInto(footNote, "!");
        QCOMPARE(footNote->toPlainText(), QStringLiteral("one\ntwo\nthree\nfour\nfive!"));
        QCOMPARE(s.doc().print.strInvFootNotes, QStringLiteral("one\ntwo\nthree\nfour\nfive!"));

        QApplication::clipboard()->setText("a\nb");
        footNote->paste();
        QCOMPARE(footNote->toPlainText(), QStringLiteral("one\ntwo\nthree\nfour\nfive!"));
    }

    void eachPrintTakesItsOwnNumberUnlessItFails()
    {
        Session s;
        s.openEditor();
        s.addCustomer("Acme");
        s.addLine("Gutter", "80", "20", "1");
        QVERIFY(s.action("actPrint")->isEnabled());

        s.action("actPrint")->trigger(); // no printing module yet
        QCOMPARE(s.prompts.messages("Information"), QStringList{"Printing is not available yet."});
        QCOMPARE(s.storedNextNumber(), 500);

        RecordingPrintModule printer(s.context);
        s.action("actPrint")->trigger();
        s.action("actPrint")->trigger();
        QCOMPARE(printer.documentNumbers, QList<int>({500, 501}));
        QCOMPARE(printer.calls, QStringList({"print 1", "print 1"}));
        QCOMPARE(s.storedNextNumber(), 502);
        QCOMPARE(s.header().intInvNumber, 501);
        QCOMPARE(s.label("lblInvoiceNameNumber"), QStringLiteral("Estimate Number: 501"));

        printer.succeeds = false; // cancelled or failed: the number is given back
        s.action("actPrint")->trigger();
        QCOMPARE(printer.documentNumbers.last(), 502);
        QCOMPARE(s.storedNextNumber(), 502);

        // No number can be taken: the user is told, nothing is printed, and the editor goes on.
        printer.succeeds = true;
        s.db()->exec("ALTER TABLE tblCompanyInvData RENAME TO tblAway");
        s.action("actPrint")->trigger();
        s.db()->exec("ALTER TABLE tblAway RENAME TO tblCompanyInvData");
        QCOMPARE(s.prompts.messages("Error").size(), 1);
        QVERIFY(s.prompts.lastMessage().startsWith("The document was not printed: its number could not be taken."));
        QCOMPARE(printer.documentNumbers.size(), 3);
        QCOMPARE(s.storedNextNumber(), 502);

        s.editor->close();
        QVERIFY(!s.editor->isVisible());
        QCOMPARE(s.count("SELECT COUNT(*) FROM tblInvHeader"), 0);
        QCOMPARE(s.count("SELECT COUNT(*) FROM tblInvData"), 0);
        QCOMPARE(s.prompts.unplanned, 0);
    }

    void printIsBusyWhileAJobIsSent()
    {
        Session s;
        s.openEditor();
        s.addCustomer("Acme");
        s.addLine("Gutter", "80", "20", "1");
        RecordingPrintModule printer(s.context);
        auto *print = s.editor->findChild<QToolBar *>()->widgetForAction(s.action("actPrint"));
        bool busy = false;
        printer.whilePrinting = [&] {
            busy = !s.action("actPrint")->isEnabled();
            // An impatient second click while the job is sent.
            QTest::mouseClick(print, Qt::LeftButton);
        };
        QTest::mouseClick(print, Qt::LeftButton);
        QVERIFY(busy);
        QCOMPARE(printer.calls, QStringList({"print 1"}));
        QCOMPARE(s.storedNextNumber(), 501);
        QVERIFY(s.action("actPrint")->isEnabled());
    }

    void dialogsTakeEnterAndEscape()
    {
        Session s;
        s.openEditor();
        whenDialogOpens<TfrmCustomerLunvard>([](TfrmCustomerLunvard &d) {
            typeInto(child<QLineEdit>(&d, "txtCustCmpnyName"), QStringLiteral("Acme"));
            QTest::keyClick(child<QLineEdit>(&d, "txtCustCmpnyName"), Qt::Key_Return);
            QVERIFY(!d.isVisible());
        });
        QTest::mouseClick(s.editorChild<QPushButton>("btnAddCustomer"), Qt::LeftButton);
        QCOMPARE(s.header().strCustCmpnyName, QStringLiteral("Acme"));

        whenDialogOpens<TfrmPriceLunvard>([](TfrmPriceLunvard &d) {
            typeInto(child<QLineEdit>(&d, "txtPriceItmDiscription"), QStringLiteral("Gutter"));
            typeInto(child<QLineEdit>(&d, "txtLaborPrice"), QStringLiteral("80"));
            typeInto(child<QLineEdit>(&d, "txtQuantity"), QStringLiteral("2"));
            QTest::keyClick(child<QLineEdit>(&d, "txtQuantity"), Qt::Key_Enter);
        });
        QTest::mouseClick(s.editorChild<QPushButton>("btnAddPriceItem"), Qt::LeftButton);
        QCOMPARE(s.doc().lines.rowCount(), 1);

        // The line edit: Escape drops the change, Enter keeps it, Remove asks with No first.
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
            whenDialogOpens<TfrmInvoicePriceItemEdit>([key](TfrmInvoicePriceItemEdit &d) {
                auto *quantity = child<QLineEdit>(&d, "txtQuantity");
                quantity->selectAll();
                typeInto(quantity, QStringLiteral("3"));
                QVERIFY(child<QPushButton>(&d, "tlbtnOK")->isDefault());
                QTest::keyClick(quantity, key);
                QVERIFY(!d.isVisible());
            });
            s.clickLine(0);
        }
        QCOMPARE(s.doc().lines.cell(0, InvoiceLines::Quantity), QStringLiteral("3"));
        whenDialogOpens<TfrmInvoicePriceItemEdit>(
            [](TfrmInvoicePriceItemEdit &d) { QTest::mouseClick(child<QPushButton>(&d, "tlbtnRemove"), Qt::LeftButton); });
        s.prompts.answers = {Prompts::No};
        s.clickLine(0);
        QCOMPARE(s.prompts.asked.last().preferred, Prompts::No);
        QCOMPARE(s.doc().lines.rowCount(), 1);

        s.setPaidOrDeposit([](TfrmPaidAndDeposit &d) {
            auto *amount = child<QLineEdit>(&d, "txtPaidAndDeposit");
            typeInto(amount, QStringLiteral("25"));
            QTest::keyClick(amount, Qt::Key_Return);
            QVERIFY(!d.isVisible());
        });
        QCOMPARE(s.header().dbDepositAmount, 25.0);

        // In the notes Enter is a new line; Ctrl+Enter is OK and Escape cancels.
        for (const auto &[key, modifier] : {std::pair{Qt::Key_Escape, Qt::NoModifier},
                                            std::pair{Qt::Key_Return, Qt::ControlModifier}}) {
            whenDialogOpens<TfrmInvoiceNotes>([key, modifier](TfrmInvoiceNotes &d) {
                auto *notes = child<QPlainTextEdit>(&d, "txtInvoiceNotes");
                QTest::keyClicks(notes, QStringLiteral("Gate"));
                QTest::keyClick(notes, Qt::Key_Return);
                QTest::keyClicks(notes, QStringLiteral("code"));
                QTest::keyClick(notes, key, modifier);
                QVERIFY(!d.isVisible());
            });
            QTest::mouseClick(s.editorChild<QPushButton>("btnAddNotes"), Qt::LeftButton);
        }
        QCOMPARE(s.doc().notes, QStringLiteral("Gate\ncode"));
        QCOMPARE(s.prompts.unplanned, 0);

        // Every command of the editor has an Alt key of its own.
        QSet<QChar> letters;
        int commands = 0;
        for (QAction *command : s.editor->findChildren<QAction *>()) {
            if (!command->objectName().startsWith(QLatin1String("act")) || command->text().isEmpty())
                continue;
            ++commands;
            const qsizetype mark = command->text().indexOf(QLatin1Char('&'));
            QVERIFY2(mark >= 0, qPrintable(command->text()));
            letters.insert(command->text().at(mark + 1).toUpper());
            QVERIFY(command->shortcuts().contains(QKeySequence(Qt::ALT | command->text().at(mark + 1).toUpper().unicode())));
        }
        QVERIFY(commands >= 4);
        QCOMPARE(letters.size(), commands);
    }

    void replacedTaxRatesAreAskedAboutOnOpening()
    {
        Session s;
        s.newDocument();
        s.header().dbTaxRate2 = 0.04; // rates saved with an older document
        s.header().strCustCmpnyName = "Acme";
        s.doc().lines.appendPriceLine(*PriceLineEntry{"Fence", "1", "10", ""}.toLine(s.context.locale));
        s.prompts.answers = {Prompts::Yes};
        TfrmInvoiceLunvard editor(s.context);
        editor.show();
        QCOMPARE(s.prompts.messages("YesNo"),
                 QStringList{"Saved Tax Rates for Estimate 500 are different than current Tax Rates, "
                             "Do you want to update to current Tax Rates?"});
        QCOMPARE(s.header().dbTaxRate2, 0.05);
        QVERIFY(child<QAction>(&editor, "actPrint")->isEnabled());
    }

    void maximisedStateIsRememberedAndClosingAsksNothing()
    {
        Session s;
        s.context.preferences[AppPreferences::FrmInvoiceMaximized] = true;
        TfrmInvoiceLunvard &editor = s.openEditor();
        QVERIFY(editor.isMaximized());
        QVERIFY(editor.minimumSize() == QSize(750, 600));
        editor.showNormal();
        editor.close();
        QVERIFY(!s.context.preferences[AppPreferences::FrmInvoiceMaximized]);

        TfrmInvoiceLunvard &again = s.openEditor();
        QVERIFY(!again.isMaximized());
        again.showMaximized();
        QTest::keyClick(&again, Qt::Key_Escape);
        QVERIFY(!again.isVisible());
        QVERIFY(s.context.preferences[AppPreferences::FrmInvoiceMaximized]);
        QVERIFY(s.prompts.asked.isEmpty());
    }

    void aStrayEscapeDoesNotDropUnprintedWork()
    {
        Session s;
        TfrmInvoiceLunvard &editor = s.openEditor();
        s.addCustomer("Acme");
        s.addLine("Prime", "10", "5", "1");
        s.prompts.answers = {Prompts::No};
        QTest::keyClick(&editor, Qt::Key_Escape);
        QVERIFY(editor.isVisible());
        QCOMPARE(s.prompts.messages("YesNo"),
                 QStringList{"Estimate 500 has changes that were not printed. Close it and discard them?"});
        QCOMPARE(s.doc().lines.rowCount(), 1);

        // Printed, it closes without a word, until it changes again.
        RecordingPrintModule printer(s.context);
        s.action("actPrint")->trigger();
        editor.close();
        QVERIFY(!editor.isVisible());
        QCOMPARE(s.prompts.asked.size(), 1);

        TfrmInvoiceLunvard &again = s.openEditor();
        s.addLine("Sand", "1", "1", "1");
        s.prompts.answers = {Prompts::Yes};
        again.close();
        QVERIFY(!again.isVisible());
        QCOMPARE(s.prompts.messages("YesNo").size(), 2);
    }
};

QTEST_MAIN(TestEditor)
#include "test_editor.moc"
