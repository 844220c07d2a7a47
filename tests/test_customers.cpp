#include "ListWindows.h"
#include "TestEnvironment.h"
#include "RecordingPrintModule.h"
#include "core/Edition.h"
#include "customers/CustomerListModel.h"
#include "customers/CustomerStore.h"
#include "customers/TfrmCustomer.h"
#include "data/Database.h"
#include "invoice/DocumentStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTest>

using namespace ListWindows;

namespace {

const QString kHostile = QStringLiteral("O'Brien \"Bob\" %_\\ Dünn \u2013 \u65e5\u672c; DROP TABLE tblCustomers;--");

struct Session : TestSession
{
    explicit Session(int edition = Edition::Corvalo)
        : TestSession(edition)
        , store(context)
    {
        start(QDate(2026, 12, 9));
    }

    qint64 add(const QString &first, const QString &last, const QString &company = {})
    {
        CustomerRecord c;
        c.strCustFirstName = first;
        c.strCustLastName = last;
        c.strCustCompany = company;
        return store.save(c);
    }

    QStringList lastNames(CustomerSearch kind, const QString &text)
    {
        QStringList names;
        for (const CustomerListEntry &e : store.list(kind, text))
            names << e.strCustLastName;
        return names;
    }

    qint64 count(const QString &sql) { return db()->queryInt(sql); }

    CustomerStore store;
};

/// The seed rows: Joe Blow (1), John Doe (2), Jane Doe (3, tax exempt, discount 5).
constexpr qint64 kJoe = 1;
constexpr qint64 kJane = 3;

QTableView *list(const TfrmCustomer &w)
{
    return child<QTableView>(w, "lstvCustomers");
}

int rowOf(const TfrmCustomer &w, const QString &customerName)
{
    return rowShowing(list(w), CustomerListModel::CustomerName, customerName);
}

QLineEdit *field(const TfrmCustomer &w, const char *name)
{
    return child<QLineEdit>(w, name);
}

QString pageCaption(const TfrmCustomer &w)
{
    return child<QGroupBox>(w, "gbxCustomer")->title();
}

} // namespace

class TestCustomers : public QObject
{
    Q_OBJECT

private slots:
    void everySearchKindFindsItsCustomers()
    {
        Session s;
        using K = CustomerSearch;
        QCOMPARE(s.lastNames(K::AllCustomers, QStringLiteral("ignored")), QStringList({"Blow", "Doe", "Doe"}));
        QCOMPARE(s.lastNames(K::CompanyName, QStringLiteral("jo")), QStringList({"Blow"}));
        QCOMPARE(s.lastNames(K::LastName, QStringLiteral("dO")), QStringList({"Doe", "Doe"}));
        QCOMPARE(s.lastNames(K::FirstName, QStringLiteral("JA")), QStringList({"Doe"}));
        QCOMPARE(s.lastNames(K::PhoneNumber, QStringLiteral("225-")), QStringList({"Blow"}));
        QCOMPARE(s.lastNames(K::City, QStringLiteral("john c")), QStringList({"Doe"}));
        QCOMPARE(s.lastNames(K::State, QStringLiteral("JANE")), QStringList({"Doe"}));
        QCOMPARE(s.lastNames(K::ZipCode, QStringLiteral("888")), QStringList({"Doe", "Doe"}));
        QCOMPARE(s.lastNames(K::TaxExempt, QString()), QStringList({"Doe"}));
        // A prefix, not a substring: "Blow" does not begin with "low".
        QVERIFY(s.lastNames(K::LastName, QStringLiteral("low")).isEmpty());
        // Empty text lists every row.
        QCOMPARE(s.lastNames(K::CompanyName, QString()).size(), 3);

        for (int i = 0; i < 9; ++i)
            s.add(QStringLiteral("Extra"), QStringLiteral("N%1").arg(i));
        QStringList ids;
        for (const CustomerListEntry &e : s.store.list(K::CustomerId, QStringLiteral("1")))
            ids << QString::number(e.intCustomerID);
        QCOMPARE(ids, QStringList({"1", "10", "11", "12"}));
    }

    void searchTextIsTakenLiterally_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("percent") << "100%" << QStringList{"100% Pure"};
        QTest::newRow("underscore") << "a_" << QStringList{"A_B"};
        QTest::newRow("apostrophe") << "o'b" << QStringList{"O'Brien"};
        QTest::newRow("double quote") << "say \"" << QStringList{"Say \"Hi\""};
        QTest::newRow("escape character") << "c:\\" << QStringList{"C:\\dir"};
        QTest::newRow("upper finds lower")
            << QString::fromUtf8("ÉCOLE") << QStringList{QString::fromUtf8("école"), QString::fromUtf8("ÉCOLE NORD")};
        QTest::newRow("lower finds upper") << QString::fromUtf8("école n") << QStringList{QString::fromUtf8("ÉCOLE NORD")};
        QTest::newRow("sharp s") << QString::fromUtf8("ßtraße") << QStringList{QString::fromUtf8("ßTRAßE")};
        QTest::newRow("greek") << QString::fromUtf8("σοφ") << QStringList{QString::fromUtf8("ΣΟΦΙΑ")};
        QTest::newRow("quote alone") << "'" << QStringList{};
    }

    void searchTextIsTakenLiterally()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, found);
        Session s;
        for (const char *name : {"100% Pure", "100 Proof", "A_B", "AxB", "O'Brien", "Say \"Hi\"", "C:\\dir", "C:dir",
                                 "école", "ecole", "ÉCOLE NORD", "ßTRAßE", "ΣΟΦΙΑ"})
            s.add(QStringLiteral("First"), QString::fromUtf8(name));
        QCOMPARE(s.lastNames(CustomerSearch::LastName, typed), found);
    }

    void listShowsTheComposedColumns()
    {
        Session s;
        CustomerListModel model;
        model.setEntries(s.store.open(CustomerSearch::AllCustomers));
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.index(0, CustomerListModel::CustId).data().toString(), QStringLiteral("1"));
        QCOMPARE(model.index(0, CustomerListModel::CustomerName).data().toString(), QStringLiteral("Joe Blow"));
        QCOMPARE(model.index(0, CustomerListModel::CityStateZip).data().toString(),
                 QStringLiteral("Joe City, Joe State 12345"));
        QCOMPARE(model.index(1, CustomerListModel::Company).data().toString(), QString());
        QCOMPARE(model.headerData(4, Qt::Horizontal).toString(), QStringLiteral("City, State Zip"));
        QCOMPARE(CustomerListModel::columnWidth(CustomerListModel::CustId), 0);
    }

    void choosingFillsTheHeaderByTheRules()
    {
        CustomerRecord c;
        c.strCustFirstName = QStringLiteral("First");
        c.strCustLastName = QStringLiteral("Last");
        c.strCustCity = QStringLiteral("Town");
        c.strCustState = QStringLiteral("ST");
        c.strCustZipCode = QStringLiteral("12345");
        c.strCustExtraPhone1 = QStringLiteral("555-0101");
        c.strCustExtraPhone1Name = QStringLiteral("Cell");
        c.strCustExtraPhone2Name = QStringLiteral("Fax");
        c.intCustDiscount = 10;
        TrecInvHeader h;
        h.strCustPONumber = QStringLiteral("PO-7");
        h.intInvNumber = 512;
        h.strCustExtraPhone2 = QStringLiteral("old");
        copyCustomerToHeader(c, Edition::get(Edition::Corvalo), h);
        QCOMPARE(h.strCustFullName, QStringLiteral("First Last"));
        QCOMPARE(h.strCustCtyStZp, QStringLiteral("Town ST 12345"));
        QCOMPARE(h.strCustExtraPhone1, QStringLiteral("Cell: 555-0101"));
        QCOMPARE(h.strCustExtraPhone2, QString());
        QCOMPARE(h.intCustDiscountPercent, 10);
        QCOMPARE(h.strCustPONumber, QStringLiteral("PO-7"));
        QCOMPARE(h.intInvNumber, 512);

        copyCustomerToHeader(c, Edition::get(Edition::Ostrev), h);
        QCOMPARE(h.intCustDiscountPercent, 0);
        QCOMPARE(h.strCustExtraPhone1, QString());

        c = {};
        c.strCustFirstName = QStringLiteral("Solo");
        copyCustomerToHeader(c, Edition::get(Edition::Corvalo), h);
        QCOMPARE(h.strCustFullName, QStringLiteral("Solo "));
        QCOMPARE(h.strCustCtyStZp, QStringLiteral("  "));
        c.strCustFirstName.clear();
        copyCustomerToHeader(c, Edition::get(Edition::Corvalo), h);
        QCOMPARE(h.strCustFullName, QString());
    }

    void newCustomerIsSavedExactlyAsTyped()
    {
        Session s;
        TfrmCustomer w(s.context);
        w.show();
        QCOMPARE(w.windowTitle(), QStringLiteral("Customer Maintenance"));
        QCOMPARE(pageCaption(w), QStringLiteral("Customer Information Work Area"));
        QVERIFY(action(w, "actPrint")->isEnabled());

        action(w, "actNewCustomer")->trigger();
        QCOMPARE(pageCaption(w), QStringLiteral("New Customer Information"));
        QVERIFY(!action(w, "actNewCustomer")->isEnabled());
        QVERIFY(!action(w, "actDelete")->isEnabled());
        QVERIFY(action(w, "actCancel")->isEnabled());
        QVERIFY(!action(w, "actPrint")->isEnabled());
        QCOMPARE(w.focusWidget(), field(w, "txtCustCmpnyName"));

        // Only a name makes a customer worth saving.
        QTest::keyClicks(field(w, "txtCustCity"), QStringLiteral("Town"));
        QVERIFY(!action(w, "actSave")->isEnabled());
        typeText(field(w, "txtCustCmpnyName"), QStringLiteral("O'Brien \"Bau\" Söhne"));
        QVERIFY(action(w, "actSave")->isEnabled());
        field(w, "txtCustCmpnyName")->clear();
        QVERIFY(!action(w, "actSave")->isEnabled());

        const QString company = kHostile.left(35);
        typeText(field(w, "txtCustCmpnyName"), company);
        QCOMPARE(field(w, "txtCustCmpnyName")->text(), company);
        field(w, "txtCustExtraPhone1Name")->setText(QStringLiteral("Fäx \"1\""));
        child<QCheckBox>(w, "ckbxTaxExempt")->click();
        child<QComboBox>(w, "cmbPaymentTerms")->setEditText(QStringLiteral("Net 45 \u2013 \"firm\""));
        QTest::keyClick(child<QSpinBox>(w, "SpinEditCustDiscount"), Qt::Key_Up);
        QTest::keyClicks(child<QSpinBox>(w, "SpinEditCustDiscount"), QStringLiteral("7"));
        child<QPlainTextEdit>(w, "txtCustNotes")->setPlainText(kHostile);
        action(w, "actSave")->trigger();

        QCOMPARE(pageCaption(w), QStringLiteral("Customer Information Work Area"));
        QCOMPARE(list(w)->model()->rowCount(), 4);
        const std::optional<CustomerRecord> stored = s.store.find(4);
        QVERIFY(stored);
        QCOMPARE(stored->strCustCompany, company);
        QCOMPARE(stored->strCustCity, QStringLiteral("Town"));
        QCOMPARE(stored->strCustExtraPhone1Name, QStringLiteral("Fäx \"1\""));
        QVERIFY(stored->strCustTaxExmpt);
        QCOMPARE(stored->strCustPmtTerms, QStringLiteral("Net 45 \u2013 \"firm\""));
        QCOMPARE(stored->intCustDiscount, 1); // the arrow counts, typing does not
        QCOMPARE(stored->strCustNotes, kHostile);
        QCOMPARE(s.count(QStringLiteral("SELECT COUNT(*) FROM tblCustomers")), 4);
        QCOMPARE(s.prompts.asked.size(), 0);
    }

    void namesOfBlanksAreNoNameAndNamesAreTrimmed()
    {
        Session s;
        TfrmCustomer w(s.context);
        w.show();
        action(w, "actNewCustomer")->trigger();
        typeText(field(w, "txtCustFrstName"), QStringLiteral("   "));
        typeText(field(w, "txtCustCmpnyName"), QStringLiteral(" "));
        action(w, "actSave")->trigger();
        QCOMPARE(s.prompts.messages("Information"), QStringList{CustomerRecord::nameNeeded()});
        QCOMPARE(pageCaption(w), QStringLiteral("New Customer Information"));
        QCOMPARE(s.count(QStringLiteral("SELECT COUNT(*) FROM tblCustomers")), 3);

        typeText(field(w, "txtCustLstName"), QStringLiteral(" Mößner "));
        action(w, "actSave")->trigger();
        QCOMPARE(pageCaption(w), QStringLiteral("Customer Information Work Area"));
        const std::optional<CustomerRecord> stored = s.store.find(4);
        QVERIFY(stored);
        QCOMPARE(stored->strCustLastName, QStringLiteral("Mößner"));
        QCOMPARE(stored->strCustFirstName, QString());
        QCOMPARE(stored->strCustCompany, QString());
    }

    void notesStopAtTheirLimitButStoredTextIsNeverCut()
    {
        Session s;
        CustomerRecord longOne;
        longOne.strCustLastName = QString(30, QLatin1Char('L'));
        longOne.strCustNotes = QString(300, QLatin1Char('n'));
        const qint64 id = s.store.save(longOne);

        TfrmCustomer w(s.context);
        w.show();
        clickRow(list(w), rowOf(w, QLatin1Char(' ') + longOne.strCustLastName));
        QCOMPARE(field(w, "txtCustLstName")->text(), longOne.strCustLastName);
        auto *notes = child<QPlainTextEdit>(w, "txtCustNotes");
        QCOMPARE(notes->toPlainText().size(), 300);
        QTest::keyClicks(field(w, "txtCustCity"), QStringLiteral("X"));
        action(w, "actSave")->trigger();
        QCOMPARE(s.store.find(id)->strCustNotes.size(), 300);
        QCOMPARE(s.store.find(id)->strCustLastName, longOne.strCustLastName);

        action(w, "actNewCustomer")->trigger();
        QTest::keyClicks(field(w, "txtCustFrstName"), QString(25, QLatin1Char('f')));
        QCOMPARE(field(w, "txtCustFrstName")->text().size(), 20);
        notes->setFocus();
        QTest::keyClicks(notes, QString(260, QLatin1Char('x')));
        QCOMPARE(notes->toPlainText().size(), 250);
    }

    void editingAsksBeforeLeavingUnsavedChanges()
    {
        Session s;
        TfrmCustomer w(s.context);
        w.show();
        clickRow(list(w), rowOf(w, QStringLiteral("Joe Blow")));
        QCOMPARE(pageCaption(w), QStringLiteral("Edit Customer Information"));
        QCOMPARE(field(w, "txtCustId")->text(), QStringLiteral("1"));
        QCOMPARE(child<QComboBox>(w, "cmbPaymentTerms")->currentText(), QStringLiteral("Due upon receipt"));
        QVERIFY(!action(w, "actSave")->isEnabled());
        QVERIFY(action(w, "actDelete")->isEnabled());
        QVERIFY(!child<QComboBox>(w, "cmboCustSearch")->isEnabled());

        // Nothing changed: back to the list without a question.
        action(w, "actCancel")->trigger();
        QCOMPARE(pageCaption(w), QStringLiteral("Customer Information Work Area"));
        QVERIFY(s.prompts.asked.isEmpty());
        QVERIFY(field(w, "txtCustCmpnyName")->text().isEmpty());

        clickRow(list(w), rowOf(w, QStringLiteral("Joe Blow")));
        QTest::keyClicks(field(w, "txtCustCity"), QStringLiteral(" North"));
        s.prompts.answers = {Prompts::Cancel, Prompts::No};
        action(w, "actCancel")->trigger();
        QCOMPARE(pageCaption(w), QStringLiteral("Edit Customer Information"));
        action(w, "actCancel")->trigger();
        QCOMPARE(pageCaption(w), QStringLiteral("Customer Information Work Area"));
        QCOMPARE(s.store.find(kJoe)->strCustCity, QStringLiteral("Joe City"));

        clickRow(list(w), rowOf(w, QStringLiteral("Joe Blow")));
        QTest::keyClicks(field(w, "txtCustCity"), QStringLiteral(" North"));
        s.prompts.answers = {Prompts::Yes};
        action(w, "actCancel")->trigger();
        QCOMPARE(s.store.find(kJoe)->strCustCity, QStringLiteral("Joe City North"));
        QCOMPARE(s.prompts.messages(QStringLiteral("YesNoCancel")),
                 QStringList(3, QStringLiteral("Save changes to this customer?")));
        QCOMPARE(s.prompts.unplanned, 0);
    }

    void closingAsksWithEachAnswer_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("staysOpen");
        QTest::addColumn<QString>("storedCity");
        QTest::newRow("yes saves and closes") << int(Prompts::Yes) << false << "Jane Town";
        QTest::newRow("no closes") << int(Prompts::No) << false << "Jane City";
        QTest::newRow("cancel stays") << int(Prompts::Cancel) << true << "Jane City";
    }

    void closingAsksWithEachAnswer()
    {
        QFETCH(int, answer);
        QFETCH(bool, staysOpen);
        QFETCH(QString, storedCity);
        Session s;
        TfrmCustomer w(s.context);
        w.show();
        clickRow(list(w), rowOf(w, QStringLiteral("Jane Doe")));
        field(w, "txtCustCity")->setText(QStringLiteral("Jane Town"));
        s.prompts.answers = {Prompts::Answer(answer)};
        action(w, "actClose")->trigger();
        QCOMPARE(s.prompts.lastMessage(), QStringLiteral("Save changes to this customer?"));
        QCOMPARE(w.isVisible(), staysOpen);
        QCOMPARE(s.store.find(kJane)->strCustCity, storedCity);
        if (staysOpen)
            QCOMPARE(field(w, "txtCustCity")->text(), QStringLiteral("Jane Town"));
    }

    void deletingAsksAndLeavesDocumentsAlone()
    {
        Session s;
        // A saved invoice that carries Jane's data.
        DocumentStore documents(s.context);
        s.context.document.header.blnNewInvoice = true;
        documents.pLoadInvoice();
        s.context.document.header.strInvName = QStringLiteral("Invoice");
        copyCustomerToHeader(*s.store.find(kJane), s.context.edition(), s.context.document.header);
        s.context.document.lines.appendPriceLine({"Work", 1, 10, 0, false, false});
        const int number = documents.pSaveInvoice();

        TfrmCustomer w(s.context);
        w.show();
        for (Prompts::Answer refusal : {Prompts::No, Prompts::Cancel}) {
            clickRow(list(w), rowOf(w, QStringLiteral("Jane Doe")));
            s.prompts.answers = {refusal};
            action(w, "actDelete")->trigger();
            QCOMPARE(s.prompts.lastMessage(), QStringLiteral("Delete this Customers from your list?"));
            QCOMPARE(s.prompts.asked.last().preferred, Prompts::No); // Enter keeps the customer
            QCOMPARE(pageCaption(w), QStringLiteral("Edit Customer Information"));
            QVERIFY(s.store.find(kJane));
            action(w, "actCancel")->trigger();
        }
        clickRow(list(w), rowOf(w, QStringLiteral("Jane Doe")));
        s.prompts.answers = {Prompts::Yes};
        action(w, "actDelete")->trigger();
        QVERIFY(!s.store.find(kJane));
        QCOMPARE(rowOf(w, QStringLiteral("Jane Doe")), -1);
        QCOMPARE(pageCaption(w), QStringLiteral("Customer Information Work Area"));
        QCOMPARE(s.count(QStringLiteral("PRAGMA freelist_count")), 0);

        s.context.document.header.blnNewInvoice = false;
        s.context.document.header.intInvNumber = number;
        documents.pLoadInvoice();
        QCOMPARE(s.context.document.header.strCustCmpnyName, QStringLiteral("Janes Place"));
        QCOMPARE(s.context.document.header.strCustTaxExemptNum, QStringLiteral("1414141"));
    }

    void searchControlsFollowTheKind()
    {
        Session s;
        TfrmCustomer w(s.context);
        w.show();
        auto *kind = child<QComboBox>(w, "cmboCustSearch");
        auto *text = field(w, "txtCustSearch");
        QVERIFY(!text->isEnabled());
        kind->setCurrentIndex(int(CustomerSearch::FirstName));
        QVERIFY(text->isEnabled());
        QCOMPARE(w.focusWidget(), text);
        QTest::keyClicks(text, QStringLiteral("j"));
        QCOMPARE(list(w)->model()->rowCount(), 3);
        QTest::keyClicks(text, QStringLiteral("A"));
        QCOMPARE(list(w)->model()->rowCount(), 1);
        QTest::keyClicks(text, QStringLiteral("x"));
        QCOMPARE(list(w)->model()->rowCount(), 0);
        QVERIFY(!action(w, "actPrint")->isEnabled());
        QVERIFY(!action(w, "actPrintPreview")->isEnabled());

        kind->setCurrentIndex(int(CustomerSearch::TaxExempt));
        QVERIFY(!text->isEnabled());
        QVERIFY(text->text().isEmpty());
        QCOMPARE(list(w)->model()->rowCount(), 1);
        QVERIFY(action(w, "actPrint")->isEnabled());

        RecordingPrintModule printer(s.context);
        action(w, "actPrint")->trigger();
        action(w, "actPrintPreview")->trigger();
        QCOMPARE(printer.calls, QStringList({QStringLiteral("print 3"), QStringLiteral("preview 3")}));
        // The printout holds exactly the customers listed.
        QCOMPARE(printer.requests.size(), 2);
        const RowFeed &rows = printer.requests.last().printout.rows;
        QCOMPARE(rows.rowCount(), 1);
        QCOMPARE(rows.value(0, QStringLiteral("rvstrCustomerID")),
                 QString::number(w.listModel().entry(0).intCustomerID));
    }

    void anEmptyListCannotBePrinted()
    {
        Session s;
        s.db()->exec(QStringLiteral("DELETE FROM tblCustomers"));
        TfrmCustomer w(s.context);
        QCOMPARE(list(w)->model()->rowCount(), 0);
        QVERIFY(!action(w, "actPrint")->isEnabled());
        QVERIFY(!action(w, "actPrintPreview")->isEnabled());
    }

    void pickingFillsTheCurrentDocument_data()
    {
        QTest::addColumn<int>("edition");
        QTest::addColumn<int>("discount");
        QTest::addColumn<QString>("phone1");
        QTest::newRow("corvalo") << int(Edition::Corvalo) << 5 << "2nd Line: 220-444-9875";
        QTest::newRow("ostrev") << int(Edition::Ostrev) << 0 << "";
    }

    void pickingFillsTheCurrentDocument()
    {
        QFETCH(int, edition);
        QFETCH(int, discount);
        QFETCH(QString, phone1);
        Session s(edition);
        TrecInvHeader &h = s.context.document.header;
        h.strCustPONumber = QStringLiteral("PO 9");
        h.strInvDate = QDate(2026, 12, 9);
        TfrmCustomer w(s.context, nullptr, ListUse::PickForDocument);
        w.show();
        QVERIFY(!action(w, "actPrint")->isEnabled());
        QVERIFY(!action(w, "actPrintPreview")->isEnabled());
        QCOMPARE(action(w, "actPrintPreview")->isVisible(), edition == Edition::Corvalo);

        clickRow(list(w), rowOf(w, QStringLiteral("Jane Doe")));
        QVERIFY(!w.isVisible());
        QVERIFY(w.changedDocument());
        QCOMPARE(h.strCustCmpnyName, QStringLiteral("Janes Place"));
        QCOMPARE(h.strCustFullName, QStringLiteral("Jane Doe"));
        QCOMPARE(h.strCustAddress, QStringLiteral("55555 Street Place"));
        QCOMPARE(h.strCustCtyStZp, QStringLiteral("Jane City Jane State 88888"));
        QCOMPARE(h.strCustMainPhone, QStringLiteral("220-444-9874 ext 1234"));
        QCOMPARE(h.strCustExtraPhone1, phone1);
        QCOMPARE(h.intCustDiscountPercent, discount);
        QCOMPARE(h.strCustPymntTerms, QStringLiteral("Due by the 15th"));
        QCOMPARE(h.strCustNotes, QStringLiteral("Fast Pay"));
        QVERIFY(h.strCustTaxExempt);
        QCOMPARE(h.strCustTaxExemptNum, QStringLiteral("1414141"));
        QCOMPARE(h.strCustPONumber, QStringLiteral("PO 9"));
        QCOMPARE(h.strInvDate, QDate(2026, 12, 9));
        QVERIFY(s.prompts.asked.isEmpty());
    }

    void aNewCustomerCanBeAddedInPickMode()
    {
        Session s;
        TfrmCustomer w(s.context, nullptr, ListUse::PickForDocument);
        w.show();
        action(w, "actNewCustomer")->trigger();
        QTest::keyClicks(field(w, "txtCustLstName"), QStringLiteral("Ng"));
        action(w, "actSave")->trigger();
        QVERIFY(w.isVisible());
        QVERIFY(!w.changedDocument());
        // Chosen from the keyboard this time.
        list(w)->setCurrentIndex(list(w)->model()->index(rowOf(w, QStringLiteral(" Ng")), 1));
        QTest::keyClick(list(w), Qt::Key_Return);
        QVERIFY(!w.isVisible());
        QCOMPARE(s.context.document.header.strCustFullName, QStringLiteral(" Ng"));
    }

    void ostrevHidesButKeepsDiscountAndExtraPhones()
    {
        Session s(Edition::Ostrev);
        TfrmCustomer w(s.context);
        w.show();
        clickRow(list(w), rowOf(w, QStringLiteral("Jane Doe")));
        QVERIFY(child<QSpinBox>(w, "SpinEditCustDiscount")->isHidden());
        QVERIFY(field(w, "txtCustExtraPhone1")->isHidden());
        QVERIFY(field(w, "txtCustExtraPhone2Name")->isHidden());
        QVERIFY(!field(w, "txtCustTaxExemptNumber")->isHidden());
        QVERIFY(!action(w, "actPrintPreview")->isVisible());
        QTest::keyClicks(field(w, "txtCustAddress"), QStringLiteral(" B"));
        action(w, "actSave")->trigger();
        const CustomerRecord jane = *s.store.find(kJane);
        QCOMPARE(jane.strCustAddress, QStringLiteral("55555 Street Place B"));
        QCOMPARE(jane.intCustDiscount, 5);
        QCOMPARE(jane.strCustExtraPhone2, QStringLiteral("220-444-9876"));
        QCOMPARE(jane.strCustExtraPhone1Name, QStringLiteral("2nd Line"));
    }

    void paymentTermsOfferTheCompanyTerms()
    {
        Session s;
        s.context.company.invData.strInvTerms[7] = QStringLiteral("Net 60");
        TfrmCustomer w(s.context);
        QCOMPARE(field(w, "txtCustId")->toolTip(), QStringLiteral("Computer generated number \u2013 Cannot be changed"));
        auto *terms = child<QComboBox>(w, "cmbPaymentTerms");
        QStringList items;
        for (int i = 0; i < terms->count(); ++i)
            items << terms->itemText(i);
        QCOMPARE(items, QStringList({"Due on day of completion", "Due on the 10th", "Due on the 20th",
                                     "Net Due on the 20th", "Net 60"}));
        QVERIFY(terms->currentText().isEmpty());
    }

    void aFailedSaveKeepsEverythingTyped()
    {
        Session s;
        s.db()->exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON tblCustomers "
                                    "BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END"));
        TfrmCustomer w(s.context);
        w.show();
        action(w, "actNewCustomer")->trigger();
        QTest::keyClicks(field(w, "txtCustCmpnyName"), QStringLiteral("Keep Me"));
        action(w, "actSave")->trigger();
        QCOMPARE(s.prompts.messages(QStringLiteral("Error")), QStringList{"database or disk is full"});
        QCOMPARE(pageCaption(w), QStringLiteral("New Customer Information"));
        QCOMPARE(field(w, "txtCustCmpnyName")->text(), QStringLiteral("Keep Me"));
        QCOMPARE(s.count(QStringLiteral("SELECT COUNT(*) FROM tblCustomers")), 3);

        // Closing then asks; a save that fails again keeps the window open.
        s.prompts.answers = {Prompts::Yes};
        w.close();
        QVERIFY(w.isVisible());
        QCOMPARE(s.prompts.messages(QStringLiteral("Error")).size(), 2);
    }

    void aLockedDatabaseIsReportedNotFatal()
    {
        Session s;
        BusyPolicy::setTotalWaitMs(100);
        const auto standardWait = qScopeGuard([] { BusyPolicy::setTotalWaitMs(0); });
        const auto holder = s.db();
        holder->exec(QStringLiteral("BEGIN EXCLUSIVE"));
        TfrmCustomer w(s.context);
        QCOMPARE(list(w)->model()->rowCount(), 0);
        QCOMPARE(s.prompts.messages(QStringLiteral("Error")),
                 QStringList({"The company database is in use by another program. Try again in a moment."}));
        QVERIFY(s.prompts.errorDetails.last().contains(QLatin1String("locked")));
        holder->exec(QStringLiteral("ROLLBACK"));
        child<QComboBox>(w, "cmboCustSearch")->setCurrentIndex(int(CustomerSearch::AllCustomers) + 1);
        QCOMPARE(list(w)->model()->rowCount(), 3);
    }
};

QTEST_MAIN(TestCustomers)
#include "test_customers.moc"
