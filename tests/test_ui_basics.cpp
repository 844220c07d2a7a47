#include "widgets/Ribbon.h"
#include "data/SavingPopup.h"

#include <QAction>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTabBar>
#include <QTest>
#include <QToolButton>

class TestUiBasics : public QObject
{
    Q_OBJECT

private slots:
    void savingPopupKeepsItsFirstTextAndFinishesItsRun()
    {
        SavingPopup saving;
        saving.pShowSaving(QStringLiteral("Saving Invoice 500..."));
        QPointer<TfrmSaving> popup = saving.current();
        QVERIFY(popup);
        QVERIFY(!popup->isModal());
        saving.pShowSaving(QStringLiteral("Saving Customer Information..."));
        QCOMPARE(saving.current(), popup.data());
        QCOMPARE(popup->windowTitle(), QStringLiteral("Saving Invoice 500..."));

        // Asked to close at once, it stays until its bar has run.
        saving.pCloseSaving();
        QVERIFY(popup && popup->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(popup.isNull(), 10000);
        QVERIFY(!saving.current());

        // A new request makes a new popup.
        saving.pShowSaving(QStringLiteral("Deleting Price Information..."));
        QVERIFY(saving.current());
        QCOMPARE(saving.current()->windowTitle(), QStringLiteral("Deleting Price Information..."));
        QTRY_VERIFY_WITH_TIMEOUT(!saving.current(), 10000);
    }

    void ribbonMinimisesAndComesBack()
    {
        Ribbon ribbon;
        QWidget *page = ribbon.addPage(QStringLiteral("Home"));
        QAction save(QStringLiteral("Save"));
        save.setObjectName(QStringLiteral("actSave"));
        ribbon.addGroup(page, QStringLiteral("File"))->addAction(&save);
        ribbon.addPage(QStringLiteral("Options"));
        ribbon.setCaption(QStringLiteral("Estimate Valid Until 3/31/2026"));
        ribbon.show();

        auto *button = ribbon.findChild<QToolButton *>(QStringLiteral("btnactSave"));
        QVERIFY(button && button->isVisible());
        QSignalSpy spy(&ribbon, &Ribbon::minimizedChanged);
        QTest::mouseClick(ribbon.findChild<QToolButton *>(QStringLiteral("btnRibbonMinimize")), Qt::LeftButton);
        QVERIFY(ribbon.isMinimized());
        QVERIFY(!button->isVisible());
        QCOMPARE(spy.count(), 1);

        auto *tabs = ribbon.findChild<QTabBar *>();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        QVERIFY(!ribbon.isMinimized());
        QCOMPARE(ribbon.findChild<QStackedWidget *>()->currentIndex(), 1);
        QCOMPARE(ribbon.caption(), QStringLiteral("Estimate Valid Until 3/31/2026"));
    }
};

QTEST_MAIN(TestUiBasics)
#include "test_ui_basics.moc"
