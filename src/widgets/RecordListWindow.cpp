#include "RecordListWindow.h"
#include "CommandBar.h"

#include "core/Prompts.h"
#include "data/DataContext.h"
#include "data/DbError.h"
#include "data/SavingIndicator.h"

#include <QAction>
#include <QScopeGuard>
#include <QToolBar>

RecordListWindow::RecordListWindow(DataContext &context, ListUse use, QString saveQuestion, QWidget *parent)
    : QDialog(parent)
    , m_data(context)
    , m_use(use)
    , m_saveQuestion(std::move(saveQuestion))
{
    setModal(true);
}

QToolBar *RecordListWindow::createCommands(const CommandTexts &texts)
{
    QToolBar *bar = makeCommandBar(this, texts.barName);
    using C = Icons::Command;
    m_actClose = addCommand(bar, QStringLiteral("actClose"), tr("Close"), tr("Close"), C::Close);
    bar->addSeparator();
    m_actNew = addCommand(bar, texts.newName, texts.newCaption, texts.newHint, C::Add);
    m_actSave = addCommand(bar, QStringLiteral("actSave"), tr("Save"), texts.saveHint, C::Save);
    m_actCancel = addCommand(bar, QStringLiteral("actCancel"), tr("Cancel"), texts.cancelHint, C::Cancel);
    m_actDelete = addCommand(bar, QStringLiteral("actDelete"), tr("Delete"), texts.deleteHint, C::Delete);
    bar->addSeparator();
    m_actPrintPreview = addCommand(bar, QStringLiteral("actPrintPreview"), tr("Print Preview"),
                                   texts.printPreviewHint, C::PrintPreview);
    m_actPrint = addCommand(bar, QStringLiteral("actPrint"), tr("Print"), texts.printHint, C::Print);
    bar->addSeparator();
    m_actImport = addCommand(bar, QStringLiteral("actImport"), tr("&Import..."), texts.importHint, C::Import);
    m_actExport = addCommand(bar, QStringLiteral("actExport"), tr("E&xport..."), texts.exportHint, C::Export);
    bar->addSeparator();
    m_actHelp = addCommand(bar, QStringLiteral("actHelp"), tr("Help"), texts.helpHint, C::Help);

    connect(m_actClose, &QAction::triggered, this, &QWidget::close);
    connect(m_actNew, &QAction::triggered, this, [this] { newRecord(); });
    connect(m_actSave, &QAction::triggered, this, [this] { saveRecord(); });
    connect(m_actCancel, &QAction::triggered, this, [this] { cancelEditing(); });
    connect(m_actDelete, &QAction::triggered, this, [this] { deleteCurrent(); });
    connect(m_actPrintPreview, &QAction::triggered, this, [this] { printList(true); });
    connect(m_actPrint, &QAction::triggered, this, [this] { printList(false); });
    connect(m_actImport, &QAction::triggered, this, [this] { importRecords(); });
    connect(m_actExport, &QAction::triggered, this, [this] { exportRecords(); });
    connect(m_actHelp, &QAction::triggered, this, [this] { m_data.pOpenHelp(); });
    return bar;
}

void RecordListWindow::enableListCommands()
{
    for (QAction *command : {m_actNew, m_actImport, m_actExport})
        command->setEnabled(true);
    for (QAction *command : {m_actDelete, m_actSave, m_actCancel})
        command->setEnabled(false);
}

void RecordListWindow::enableEditCommands(bool stored)
{
    for (QAction *command : {m_actNew, m_actImport, m_actExport, m_actSave})
        command->setEnabled(false);
    m_actCancel->setEnabled(true);
    m_actDelete->setEnabled(stored);
}

void RecordListWindow::enablePrint(bool listing, int rows)
{
    const bool enabled = listing && rows > 0 && !pickMode();
    m_actPrint->setEnabled(enabled);
    m_actPrintPreview->setEnabled(enabled);
}

bool RecordListWindow::attempt(const std::function<void()> &work)
{
    return runReportingDbError(m_data.prompts(), work);
}

RecordListWindow::Unsaved RecordListWindow::settleUnsaved()
{
    if (!m_actSave->isEnabled())
        return Unsaved::Discarded;
    switch (m_data.prompts().ShowYesNoCancel(m_saveQuestion)) {
    case Prompts::Yes:
        return saveRecord() ? Unsaved::Saved : Unsaved::Kept;
    case Prompts::No:
        return Unsaved::Discarded;
    case Prompts::Cancel:
        break;
    }
    return Unsaved::Kept;
}

bool RecordListWindow::cancelEditing()
{
    switch (settleUnsaved()) {
    case Unsaved::Saved:
        return true;
    case Unsaved::Discarded:
        returnToList();
        return true;
    case Unsaved::Kept:
        break;
    }
    return false;
}

void RecordListWindow::reject()
{
    if (settleUnsaved() != Unsaved::Kept)
        QDialog::reject();
}

void RecordListWindow::done(int result)
{
    m_data.saving().pCloseSaving();
    QDialog::done(result);
}

bool RecordListWindow::storeRecord(const QString &savingText, const std::function<bool()> &store)
{
    SavingIndicator &saving = m_data.saving();
    saving.pShowSaving(savingText);
    const auto closePopup = qScopeGuard([&saving] { saving.pCloseSaving(); });
    bool stored = false;
    if (!attempt([&] { stored = store(); }) || !stored)
        return false;
    returnToList();
    return true;
}

void RecordListWindow::deleteRecord(const QString &question, const QString &savingText, qint64 id,
                                    const std::function<void(qint64)> &remove)
{
    SavingIndicator &saving = m_data.saving();
    const auto closePopup = qScopeGuard([&saving] { saving.pCloseSaving(); });
    if (m_data.prompts().ShowYesNoCancel(question, Prompts::No) != Prompts::Yes)
        return;
    if (id > 0) {
        saving.pShowSaving(savingText);
        if (!attempt([&] { remove(id); }))
            return;
    }
    returnToList();
}
