#include "ListWindows.h"
#include "RecordingPrintModule.h"
#include "TestEnvironment.h"
#include "core/Edition.h"
#include "widgets/Ribbon.h"
#include "data/Database.h"
#include "invoice/DocumentStore.h"
#include "invoice/InvoiceLines.h"
#include "worksheets/TfrmInvoiceHeddrin.h"
#include "worksheets/TfrmPriceHeddrin.h"
#include "worksheets/WorkSheetPriceStore.h"
#include "worksheets/WorkSheetRules.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDateEdit>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolBox>
#include <QToolTip>
#include <QTreeWidget>
#include <QWheelEvent>

using namespace ListWindows;
using L = InvoiceLines;

namespace {

struct Session : TestSession
{
    Session()
        : TestSession(Edition::Heddrin)
    {
        context.locale = QLocale(QLocale::English, QLocale::UnitedStates);
        start(QDate(2026, 12, 9));
    }

    /// A new document with a customer, as the editor's opener leaves it.
    void newDocument()
    {
        context.document.header.blnNewInvoice = true;
        DocumentStore(context).pLoadInvoice();
        context.document.header.strCustFullName = QStringLiteral("Zoë \"Quote\" O'Brien");
    }

    void reopen(int number)
    {
        context.document.header.blnNewInvoice = false;
        context.document.header.intInvNumber = number;
        DocumentStore(context).pLoadInvoice();
    }

    double storedPrice(const QString &table, int id, const QString &where = {})
    {
        Statement q = db()->prepare(QStringLiteral("SELECT dbLbrPrc FROM %1 WHERE intPrcItemNumID = ? %2").arg(table, where));
        q.bind(1, id);
        q.step();
        return q.doubleAt(0);
    }
};

/// A measured interior room with two coats: priced above 0.
WorkSheet paintedRoom(const QString &name)
{
    WorkSheet sheet;
    sheet.strWorkSheetName = name;
    sheet.intAreaWorkOn = WorkSheet::WallsOnly;
    sheet.intAreaLength = 12;
    sheet.intAreaWidth = 10;
    sheet.intAreaHeight = 8;
    sheet.intPaintsCoats = 2;
    return sheet;
}

void choose(QComboBox *box, int index)
{
    box->setCurrentIndex(index);
    emit box->activated(index);
}

QStringList listed(const QTreeWidget *list, int column)
{
    QStringList texts;
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        texts << list->topLevelItem(row)->text(column);
    return texts;
}

/// One notch of the mouse wheel over \a widget, upwards.
void wheelOver(QWidget *widget)
{
    const QPointF at = QPointF(widget->rect().center());
    QWheelEvent notch(at, widget->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &notch);
}

/// Replaces all of \a spin's text by \a typed, key by key.
void typeOver(QAbstractSpinBox *spin, const QString &typed)
{
    spin->setFocus();
    spin->selectAll();
    QTest::keyClicks(spin, typed);
}

void clickSheet(QTreeWidget *list, int row)
{
    QTreeWidgetItem *item = list->topLevelItem(row);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

} // namespace

class TestHeddrin : public QObject
{
    Q_OBJECT

private slots:
    void newSheetsAndLimits()
    {
        const WorkSheet third = WorkSheetRules::newSheet(3);
        QCOMPARE(third.strWorkSheetName, QStringLiteral("Work Sheet 3"));
        WorkSheet unnamed = third;
        unnamed.strWorkSheetName.clear();
        QVERIFY(unnamed == WorkSheet());
        QCOMPARE(third.intIntExt, 0);
        QCOMPARE(third.intAreaWorkOn, int(WorkSheet::WallsAndCeiling));
        QCOMPARE(third.intAreaMultiplier, 1);

        QCOMPARE(WorkSheetRules::limits(L::AreaHeight).maximum, 500);
        QCOMPARE(WorkSheetRules::limits(L::AreaMultiplier).minimum, 1);
        QCOMPARE(WorkSheetRules::limits(L::NumOfClosets).maximum, 200);
        QCOMPARE(WorkSheetRules::limits(L::Prime).maximum, 2);
        QCOMPARE(WorkSheetRules::choices(L::AreaWorkOn).value(3), QStringLiteral("1 Wall Only"));
        QCOMPARE(WorkSheetRules::choices(L::RmvBorder), QStringList({"False", "True"}));

        WorkSheet wild = paintedRoom("Hall");
        wild.intAreaLength = 5000;
        wild.intAreaMultiplier = 0;
        wild.intPaintsCoats = -3;
        wild.intWash = 7;
        WorkSheetRules::applyTies(wild);
        QCOMPARE(wild.intAreaLength, 1000);
        QCOMPARE(wild.intAreaMultiplier, 1);
        QCOMPARE(wild.intPaintsCoats, 0);
        QCOMPARE(wild.intWash, 1);
    }

    void kindRulesDropWhatTheSurfaceCannotHave()
    {
        WorkSheet outside = paintedRoom("Porch");
        outside.intIntExt = 1;
        outside.intNumOfClosets = 2;
        outside.intHngWallpaper = outside.intRmvWallpaper = outside.intHngBoarder = outside.intRmvBorder = 1;
        outside.intNumOfDoors = 3;
        WorkSheetRules::applyTies(outside);
        QCOMPARE(outside.intNumOfClosets, 0);
        QCOMPARE(outside.intHngWallpaper + outside.intRmvWallpaper + outside.intHngBoarder + outside.intRmvBorder, 0);
        QCOMPARE(outside.intNumOfDoors, 3);

        WorkSheet ceiling = paintedRoom("Ceiling");
        ceiling.intAreaWorkOn = WorkSheet::CeilingOnly;
        WorkSheetRules::applyTies(ceiling);
        QCOMPARE(ceiling.intAreaHeight, 0);
        QCOMPARE(ceiling.intAreaWidth, 10);

        WorkSheet wall = paintedRoom("Wall");
        wall.intAreaWorkOn = WorkSheet::OneWallOnly;
        WorkSheetRules::applyTies(wall);
        QCOMPARE(wall.intAreaWidth, 0);
        QCOMPARE(wall.intAreaHeight, 8);
    }

    void completeState()
    {
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        WorkSheet doorsOnly;
        doorsOnly.intNumOfDoors = 2;
        const LineAmounts priced{.total = 69.80};
        QVERIFY(!WorkSheetRules::isComplete(doorsOnly, LineAmounts{}, true));
        QVERIFY(WorkSheetRules::isComplete(doorsOnly, priced, true));

        // Paint chosen without measurements: the sheet being edited is not done.
        WorkSheet unmeasured = doorsOnly;
        unmeasured.intPaintsCoats = 2;
        QVERIFY(!WorkSheetRules::isComplete(unmeasured, priced, true));
        QVERIFY(WorkSheetRules::isComplete(unmeasured, priced, false));
        QVERIFY(WorkSheetRules::isComplete(paintedRoom("Den"), LineAmounts{.total = 1056, .sqft = 352}, true));
        QCOMPARE(WorkSheetRules::displayName({}, 4), QStringLiteral("Work Sheet 4"));
    }

    void priceStoreKeepsCompanyAndDocumentApart()
    {
        Session s;
        WorkSheetPriceStore store(s.context);
        QCOMPARE(store.list().size(), 27);
        QCOMPARE(store.list().first().dbLbrPrc, 0.21);

        s.newDocument();
        s.context.document.lines.appendWorkSheet(paintedRoom("Den"));
        const int number = DocumentStore(s.context).pSaveInvoice();

        store.saveDocumentPrice(number, 1, 0.50, 0.10);
        QCOMPARE(s.storedPrice("tblPrices", 1), 0.21);
        QCOMPARE(store.list(number).first().dbLbrPrc, 0.50);
        QCOMPARE(store.list().first().dbLbrPrc, 0.21);

        store.saveCompanyPrice(2, 9.99, 1.11);
        QCOMPARE(store.list().at(1).dbLbrPrc, 9.99);
        QCOMPARE(store.list(number).at(1).dbLbrPrc, 0.22); // the document keeps what it was saved with

        // A document without a row for the item still gets the change.
        s.db()->exec(QStringLiteral("DELETE FROM tblSavedPrices WHERE intPrcItemNumID = 3"));
        store.saveDocumentPrice(number, 3, 4.0, 1.0);
        QCOMPARE(store.list(number).at(2).dbLbrPrc, 4.0);
    }

    void editorAddsSheetsAndRefusesIncompleteOnes()
    {
        Session s;
        s.newDocument();
        TfrmInvoiceHeddrin editor(s.context);
        editor.show();
        QAction *save = action(editor, "actSave");
        QAction *print = action(editor, "actPrint");
        QAction *pdf = action(editor, "actPDF");
        auto *list = child<QTreeWidget>(editor, "lstvwWorkSheetName");
        auto *current = child<QLabel>(editor, "lblCurrentWorkSheet");
        QCOMPARE(current->text(), QStringLiteral("Current Work Sheet: None"));
        QVERIFY(!save->isEnabled() && !print->isEnabled() && !pdf->isEnabled());
        QVERIFY(!action(editor, "actDelete")->isEnabled());
        QVERIFY(!action(editor, "actEditPrices")->isEnabled());
        QVERIFY(!child<QLineEdit>(editor, "txtAreaName")->isEnabled());

        action(editor, "actAddWorkSheet")->trigger();
        QCOMPARE(listed(list, 0), QStringList{"Work Sheet 1"});
        QCOMPARE(listed(list, 1), QStringList{"No"});
        QCOMPARE(current->text(), QStringLiteral("Current Work Sheet: Work Sheet 1"));
        QVERIFY(child<QLineEdit>(editor, "txtAreaName")->isEnabled());
        QVERIFY(!save->isEnabled());

        action(editor, "actAddWorkSheet")->trigger();
        QCOMPARE(s.prompts.lastMessage(), QStringLiteral("Work Sheet 1 is not complete. Please add work to complete!"));
        QCOMPARE(s.context.document.lines.rowCount(), 1);

        // Paint without measurements is applied, with a warning, and keeps the sheet open.
        child<QSpinBox>(editor, "SpinEditDoors")->setValue(1);
        child<QSpinBox>(editor, "SpinEditPaintCoats")->setValue(2);
        QCOMPARE(s.prompts.lastMessage(),
                 QStringLiteral("Please add Area Length, Width or Height as needed under Work Sheet Information."));
        QCOMPARE(s.context.document.lines.cell(0, L::PaintsCoats), QStringLiteral("2"));
        QCOMPARE(listed(list, 1), QStringList{"No"});
        QVERIFY(save->isEnabled()); // the door prices it, though the sheet is not complete

        child<QSpinBox>(editor, "SpinEditAreaLength")->setValue(12);
        child<QSpinBox>(editor, "SpinEditAreaWidth")->setValue(10);
        child<QSpinBox>(editor, "SpinEditAreaHeight")->setValue(8);
        QCOMPARE(listed(list, 1), QStringList{"Yes"});
        QCOMPARE(child<QLineEdit>(editor, "txtAreaSQFTTotal")->text(), QStringLiteral("472"));
        QVERIFY(save->isEnabled() && print->isEnabled() && pdf->isEnabled());

        auto *name = child<QLineEdit>(editor, "txtAreaName");
        name->clear();
        QTest::keyClicks(name, QStringLiteral("Kitchen"));
        QCOMPARE(s.context.document.lines.cell(0, L::WorkSheetName), QStringLiteral("Kitchen"));

        action(editor, "actAddWorkSheet")->trigger();
        QCOMPARE(listed(list, 0), QStringList({"Kitchen", "Work Sheet 2"}));
        QCOMPARE(editor.currentWorkSheet(), 1);
        QVERIFY(!print->isEnabled()); // the sheet being edited prices to 0

        const int asked = int(s.prompts.asked.size());
        clickSheet(list, 0);
        QCOMPARE(editor.currentWorkSheet(), 1);
        QCOMPARE(s.prompts.asked.size(), asked + 1);
        QCOMPARE(s.prompts.lastMessage(), QStringLiteral("Work Sheet 2 is not complete. Please add work to complete!"));

        // Ceiling only: no height; the box comes back when the walls do, still at 0.
        auto *height = child<QSpinBox>(editor, "SpinEditAreaHeight");
        height->setValue(9);
        choose(child<QComboBox>(editor, "cmbxAreaWorkOn"), WorkSheet::CeilingOnly);
        QVERIFY(!height->isEnabled());
        QCOMPARE(height->value(), 0);
        choose(child<QComboBox>(editor, "cmbxAreaWorkOn"), WorkSheet::WallsOnly);
        QVERIFY(height->isEnabled());
        QCOMPARE(height->value(), 0);

        // Exterior: no closets, no wallpaper panel.
        auto *panels = child<QToolBox>(editor, "CategoryPanelGroupInvoiceControls");
        child<QSpinBox>(editor, "SpinEditDoors")->setValue(1);
        child<QSpinBox>(editor, "SpinEditClosets")->setValue(2);
        choose(child<QComboBox>(editor, "cmbxInteriorExterior"), 1);
        QCOMPARE(panels->count(), 4);
        QVERIFY(!child<QSpinBox>(editor, "SpinEditClosets")->isEnabled());
        QCOMPARE(s.context.document.lines.cell(1, L::NumOfClosets), QStringLiteral("0"));
        QCOMPARE(listed(list, 1), QStringList({"Yes", "Yes"}));

        // The interior sheet shows its own values again.
        clickSheet(list, 0);
        QCOMPARE(editor.currentWorkSheet(), 0);
        QCOMPARE(panels->count(), 5);
        QCOMPARE(panels->currentIndex(), 0);
        QVERIFY(child<QSpinBox>(editor, "SpinEditClosets")->isEnabled());
        QCOMPARE(child<QSpinBox>(editor, "SpinEditAreaLength")->value(), 12);

        s.prompts.answers = {Prompts::Yes};
        action(editor, "actRemoveWorkSheet")->trigger();
        QCOMPARE(s.prompts.lastMessage(), QStringLiteral("Remove Work Sheet Kitchen from Estimate %1?")
                                              .arg(s.context.document.header.intInvNumber));
        QCOMPARE(s.prompts.asked.last().preferred, Prompts::No);
        QCOMPARE(listed(list, 0), QStringList{"Work Sheet 2"});
        s.prompts.answers = {Prompts::Yes};
        action(editor, "actRemoveWorkSheet")->trigger();
        QCOMPARE(current->text(), QStringLiteral("Current Work Sheet: None"));
        QVERIFY(!save->isEnabled() && !print->isEnabled());
        QVERIFY(!name->isEnabled());
        QCOMPARE(s.prompts.unplanned, 0);
    }

    void deleteClosesWithoutSavingAgainAndRibbonStateIsKept()
    {
        Session s;
        s.newDocument();
        s.context.document.lines.appendWorkSheet(paintedRoom("Den"));
        const int number = DocumentStore(s.context).pSaveInvoice();
        s.reopen(number);
        s.context.preferences[AppPreferences::FrmInvoiceRibbonMinimized] = true;
        TfrmInvoiceHeddrin editor(s.context);
        editor.show();
        auto *ribbon = child<Ribbon>(editor, "RibbonInvoice");
        QVERIFY(ribbon->isMinimized());
        ribbon->setMinimized(false);

        // A typed number of coats is the sheet's at once; one past the range is refused
        // and the arrows go on from what was typed.
        auto *coats = child<QSpinBox>(editor, "SpinEditPaintCoats");
        coats->setValue(1);
        coats->setFocus();
        coats->selectAll();
        QTest::keyClicks(coats, QStringLiteral("2"));
        QCOMPARE(coats->value(), 2);
        QCOMPARE(s.context.document.lines.workSheet(0).intPaintsCoats, 2);
        QTest::keyClick(coats, Qt::Key_End);
        QTest::keyClicks(coats, QStringLiteral("5")); // would read 25
        QCOMPARE(coats->value(), 2);
        QCOMPARE(s.context.document.lines.workSheet(0).intPaintsCoats, 2);
        QTest::keyClick(coats, Qt::Key_Up);
        QCOMPARE(coats->value(), 3);

        child<QSpinBox>(editor, "SpinEditDoors")->setValue(1); // an unsaved change
        s.prompts.answers = {Prompts::No};
        action(editor, "actDelete")->trigger();
        QVERIFY(editor.isVisible());
        QCOMPARE(s.db()->queryInt(QStringLiteral("SELECT COUNT(*) FROM tblInvHeader")), 1);
        s.prompts.answers = {Prompts::Yes};
        action(editor, "actDelete")->trigger();
        QVERIFY(!editor.isVisible());
        QCOMPARE(s.prompts.messages("YesNoCancel"),
                 QStringList({QStringLiteral("Delete Estimate %1?").arg(number), QStringLiteral("Delete Estimate %1?").arg(number)}));
        QCOMPARE(s.db()->queryInt(QStringLiteral("SELECT COUNT(*) FROM tblInvHeader")), 0);
        QCOMPARE(s.db()->queryInt(QStringLiteral("SELECT COUNT(*) FROM tblInvData")), 0);
        QVERIFY(!s.context.preferences[AppPreferences::FrmInvoiceRibbonMinimized]);
    }

    void typedValuesCountAtOnceAndTheWheelNeedsTheFocus()
    {
        Session s;
        s.newDocument();
        s.context.document.lines.appendWorkSheet(paintedRoom("Den"));
        const int number = DocumentStore(s.context).pSaveInvoice();
        s.reopen(number);
        TfrmInvoiceHeddrin editor(s.context);
        editor.show();
        QApplication::setActiveWindow(&editor);
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        auto *length = child<QSpinBox>(editor, "SpinEditAreaLength");
        auto *multiplier = child<QSpinBox>(editor, "SpinEditMultiplier");
        auto *total = child<QLineEdit>(editor, "txtInvoiceTotal");
        const QString before = total->text();

        // Typed digits are the value, in the totals and the save, without leaving the field.
        typeOver(length, QStringLiteral("24"));
        QCOMPARE(s.context.document.lines.cell(0, L::AreaLength), QStringLiteral("24"));
        QVERIFY(total->text() != before);
        const QString doubled = total->text();
        typeOver(multiplier, QStringLiteral("3"));
        QVERIFY(total->text() != doubled);
        QVERIFY(action(editor, "actSave")->isEnabled());
        action(editor, "actSave")->trigger();
        s.reopen(number);
        QCOMPARE(s.context.document.lines.cell(0, L::AreaLength), QStringLiteral("24"));
        QCOMPARE(s.context.document.lines.cell(0, L::AreaMultiplier), QStringLiteral("3"));

        // A digit past the limit is refused where the user sees it, not dropped quietly.
        const int most = WorkSheetRules::limits(L::AreaLength).maximum;
        typeOver(length, QString::number(most) + QLatin1Char('9'));
        QCOMPARE(length->value(), most);
        QVERIFY(QToolTip::isVisible());
        QVERIFY(QToolTip::text().contains(QString::number(most)));

        // The wheel over a field without the focus changes nothing.
        auto *height = child<QSpinBox>(editor, "SpinEditAreaHeight");
        auto *surface = child<QComboBox>(editor, "cmbxInteriorExterior");
        length->setFocus();
        wheelOver(height);
        wheelOver(surface);
        QCOMPARE(height->value(), 8);
        QCOMPARE(surface->currentIndex(), 0);
        QVERIFY(height->focusPolicy() != Qt::WheelFocus);
        height->setFocus();
        wheelOver(height);
        QCOMPARE(height->value(), 9);

        // A lone separator is no amount: the sheet gets nothing, and the refresh keeps working.
        auto *labor = child<QLineEdit>(editor, "txtExtraChargesLabor");
        labor->setFocus();
        QTest::keyClicks(labor, QStringLiteral("."));
        QCOMPARE(labor->text(), QStringLiteral("."));
        QCOMPARE(s.context.document.lines.cell(0, L::ExtraChargesLabor), QString());
        const QString withoutCharge = total->text();
        QTest::keyClicks(labor, QStringLiteral("5"));
        QCOMPARE(s.context.document.lines.workSheet(0).dbExtraChargesLabor, 0.5);
        QVERIFY(total->text() != withoutCharge);
        QCOMPARE(s.prompts.messages("Error"), QStringList());

        // A paste too long for the field is refused whole instead of cut.
        labor->clear();
        QApplication::clipboard()->setText(QStringLiteral("1000000000000"));
        labor->paste();
        QCOMPARE(labor->text(), QString());

        // A typed date replaces the whole date.
        auto *date = child<QDateEdit>(editor, "dateTimePickerInvoice");
        date->setDate(QDate(2026, 12, 9));
        date->setFocus();
        date->selectAll();
        QTest::keyClicks(date, QStringLiteral("1/10/2026"));
        QCOMPARE(date->date(), QDate(2026, 1, 10));
        QTest::keyClick(date, Qt::Key_Tab);
        QCOMPARE(date->date(), QDate(2026, 1, 10));
        QCOMPARE(date->text(), QStringLiteral("1/10/2026"));

        // The panel headers and the sheet list are Tab stops.
        for (QAbstractButton *header : child<QToolBox>(editor, "CategoryPanelGroupInvoiceControls")
                                           ->findChildren<QAbstractButton *>(Qt::FindDirectChildrenOnly))
            QVERIFY(header->focusPolicy() & Qt::TabFocus);
        QVERIFY(child<QTreeWidget>(editor, "lstvwWorkSheetName")->focusPolicy() & Qt::TabFocus);
    }

    void thirtySheetsAtMost()
    {
        Session s;
        s.newDocument();
        for (int i = 1; i <= WorkSheetRules::kMaxSheets; ++i)
            s.context.document.lines.appendWorkSheet(paintedRoom(QStringLiteral("Room %1").arg(i)));
        TfrmInvoiceHeddrin editor(s.context);
        editor.show();
        action(editor, "actAddWorkSheet")->trigger();
        QCOMPARE(s.prompts.lastMessage(), QStringLiteral("Maximum number of Work Sheets are in use"));
        QCOMPARE(s.context.document.lines.rowCount(), WorkSheetRules::kMaxSheets);
    }

    void saveReopenPrintAndPdf()
    {
        Session s;
        RecordingPrintModule printer(s.context);
        s.newDocument();
        int number = 0;
        QString total;
        {
            TfrmInvoiceHeddrin editor(s.context);
            editor.show();
            action(editor, "actAddWorkSheet")->trigger();
            child<QSpinBox>(editor, "SpinEditAreaLength")->setValue(12);
            child<QSpinBox>(editor, "SpinEditAreaWidth")->setValue(10);
            child<QSpinBox>(editor, "SpinEditAreaHeight")->setValue(8);
            child<QSpinBox>(editor, "SpinEditPaintCoats")->setValue(1);
            child<QLineEdit>(editor, "txtCustPO")->setText(QStringLiteral("PO-7"));
            action(editor, "actSave")->trigger();
            QVERIFY(!action(editor, "actSave")->isEnabled());
            QVERIFY(action(editor, "actDelete")->isEnabled());
            QVERIFY(action(editor, "actEditPrices")->isEnabled());
            // Choice lists are not refilled twice by the reload.
            QCOMPARE(child<QComboBox>(editor, "cmbxAreaWorkOn")->count(), 5);
            number = s.context.document.header.intInvNumber;
            total = child<QLineEdit>(editor, "txtInvoiceTotal")->text();

            action(editor, "actPrint")->trigger();
            action(editor, "actPDF")->trigger(); // the printing module asks for the file name
            QCOMPARE(printer.calls, QStringList({"print 1", "pdf 1"}));
            editor.close(); // nothing to save: no question
        }
        QCOMPARE(s.prompts.messages("YesNoCancel").size(), 0);

        // The company raises its paint price; the saved estimate keeps its own.
        WorkSheetPriceStore(s.context).saveCompanyPrice(1, 1.00, 1.00);
        s.reopen(number);
        QCOMPARE(s.context.document.LbrPrices[1], 0.21);
        QCOMPARE(s.context.document.header.strCustPONumber, QStringLiteral("PO-7"));
        {
            TfrmInvoiceHeddrin editor(s.context);
            editor.show();
            QCOMPARE(child<QLineEdit>(editor, "txtInvoiceTotal")->text(), total);
            QCOMPARE(listed(child<QTreeWidget>(editor, "lstvwWorkSheetName"), 1), QStringList{"Yes"});
            QVERIFY(!action(editor, "actSave")->isEnabled());

            child<QSpinBox>(editor, "SpinEditDoors")->setValue(1);
            s.prompts.answers = {Prompts::Cancel};
            editor.close();
            QVERIFY(editor.isVisible());
            s.prompts.answers = {Prompts::No};
            editor.close();
            QVERIFY(!editor.isVisible());
        }
        s.newDocument();
        QCOMPARE(s.context.document.LbrPrices[1], 1.00);
    }

    void editSavedPricesRepricesAndSaves()
    {
        Session s;
        s.newDocument();
        s.context.document.lines.appendWorkSheet(paintedRoom("Den"));
        const int number = DocumentStore(s.context).pSaveInvoice();
        s.reopen(number);
        TfrmInvoiceHeddrin editor(s.context);
        editor.show();
        const QString before = child<QLineEdit>(editor, "txtInvoiceTotal")->text();

        bool drove = false;
        QTimer::singleShot(0, &editor, [&] {
            auto *window = qobject_cast<TfrmPriceHeddrin *>(QApplication::activeModalWidget());
            if (!window)
                return;
            drove = true;
            QVERIFY(!action(*window, "actPrint")->isEnabled()); // never in document mode
            clickRow(child<QTableView>(*window, "lstPrice"), 0);
            auto *labor = child<QLineEdit>(*window, "txtLaborPrice");
            labor->selectAll();
            QTest::keyClicks(labor, QStringLiteral("1.5"));
            action(*window, "actSave")->trigger();
            window->close();
            // The document's own prices changed: the editor re-prices it and saves.
            QVERIFY(window->changedDocument());
        });
        action(editor, "actEditPrices")->trigger();
        QVERIFY(drove);
        QCOMPARE(s.context.document.LbrPrices[1], 1.5);
        QVERIFY(child<QLineEdit>(editor, "txtInvoiceTotal")->text() != before);
        QVERIFY(!action(editor, "actSave")->isEnabled()); // saved at once
        QCOMPARE(s.storedPrice("tblPrices", 1), 0.21);
        QCOMPARE(s.storedPrice("tblSavedPrices", 1, QStringLiteral("AND intPrcItemInvNum = %1").arg(number)), 1.5);
    }

    void priceSheetListModeAndPendingEdit()
    {
        Session s;
        RecordingPrintModule printer(s.context);
        TfrmPriceHeddrin window(s.context);
        window.show();
        QCOMPARE(window.windowTitle(), QStringLiteral("Heddrin Price Sheet"));
        auto *list = child<QTableView>(window, "lstPrice");
        QCOMPARE(list->model()->rowCount(), 27);
        QCOMPARE(list->model()->index(0, TfrmPriceHeddrin::LaborText).data().toString(), QStringLiteral("$0.21"));
        QVERIFY(action(window, "actPrint")->isEnabled());

        clickRow(list, 1);
        QVERIFY(!list->isEnabled());
        QVERIFY(!action(window, "actSave")->isEnabled());
        auto *labor = child<QLineEdit>(window, "txtLaborPrice");
        labor->clear();
        QVERIFY(!action(window, "actSave")->isEnabled());
        QTest::keyClicks(labor, QStringLiteral("0.3x5"));
        QCOMPARE(labor->text(), QStringLiteral("0.35"));
        QVERIFY(action(window, "actSave")->isEnabled());

        s.prompts.answers = {Prompts::Cancel};
        window.close();
        QVERIFY(window.isVisible());
        QCOMPARE(labor->text(), QStringLiteral("0.35"));
        QCOMPARE(s.prompts.lastMessage(), QStringLiteral("Save changes to this Price Item?"));

        s.prompts.answers = {Prompts::Yes};
        window.close();
        QVERIFY(!window.isVisible());
        QCOMPARE(s.storedPrice("tblPrices", 2), 0.35);
        QVERIFY(!window.changedDocument());
    }
};

QTEST_MAIN(TestHeddrin)
#include "test_heddrin.moc"
