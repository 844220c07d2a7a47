#include "widgets/CommandButtonStyle.h"
#include "widgets/Ribbon.h"
#include "data/SavingPopup.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
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

    void savingPopupShowsTheWaitForAnotherProgram()
    {
        SavingPopup saving;
        saving.pShowSaving(QStringLiteral("Saving Estimate 512..."));
        QPointer<TfrmSaving> popup = saving.current();
        QCOMPARE(popup->lineText(), QStringLiteral("Saving Estimate 512..."));
        saving.pCloseSaving(); // the write is done as far as the caller knows ...
        saving.pWaitingForLock(); // ... but a later one meets another program's lock
        saving.pWaitingForLock();
        QVERIFY(QGuiApplication::overrideCursor());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        QVERIFY(popup);
        QVERIFY(popup->lineText().startsWith(QStringLiteral("Waiting for another program")));
        // While it waits the bar stands still, so the popup cannot run out and vanish.
        const int counter = popup->counter();
        QCoreApplication::processEvents();
        QCOMPARE(popup->counter(), counter);

        saving.pLockWaitOver();
        QVERIFY(!QGuiApplication::overrideCursor());
        QCOMPARE(popup->lineText(), QStringLiteral("Saving Estimate 512..."));
        QTRY_VERIFY_WITH_TIMEOUT(popup.isNull(), 10000);

        // A wait with no popup open (a load, a recurring run) opens one that says so,
        // and it goes once the wait is over.
        saving.pWaitingForLock();
        QVERIFY(QGuiApplication::overrideCursor());
        QPointer<TfrmSaving> waitOnly = saving.current();
        QVERIFY(waitOnly && waitOnly->isVisible());
        QVERIFY(waitOnly->lineText().startsWith(QStringLiteral("Waiting for another program")));
        saving.pLockWaitOver();
        QVERIFY(!QGuiApplication::overrideCursor());
        QTRY_VERIFY_WITH_TIMEOUT(waitOnly.isNull(), 10000);
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

    void toolButtonsUnderlineTheirCommandsAltLetter()
    {
        CommandButtonStyle marking;
        const auto picture = [](const QString &caption, QStyle *style) {
            QAction command(caption);
            QToolButton button;
            button.setStyle(style);
            button.setDefaultAction(&command);
            button.resize(button.sizeHint());
            return button.grab().toImage();
        };
        QStyle *plain = QApplication::style();
        QVERIFY(picture(QStringLiteral("&Save"), &marking) != picture(QStringLiteral("&Save"), plain));
        // Without a letter to mark, and for a doubled ampersand, nothing changes.
        QCOMPARE(picture(QStringLiteral("Save"), &marking), picture(QStringLiteral("Save"), plain));
        QCOMPARE(picture(QStringLiteral("Save && Close"), &marking), picture(QStringLiteral("Save && Close"), plain));
    }
};

QTEST_MAIN(TestUiBasics)
#include "test_ui_basics.moc"
