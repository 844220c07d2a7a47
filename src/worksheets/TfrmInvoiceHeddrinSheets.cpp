// The work sheet side of the Heddrin editor: adding, removing, switching and
// editing the sheets, and the list that tells which are complete.
#include "TfrmInvoiceHeddrin.h"

#include "WorkSheetPanel.h"
#include "WorkSheetRules.h"
#include "context/AppContext.h"
#include "core/Prompts.h"
#include "invoice/Money.h"

#include <QAction>
#include <algorithm>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>

bool TfrmInvoiceHeddrin::currentSheetComplete() const
{
    const InvoiceLines &lines = m_context.document.lines;
    if (m_currentSheet < 0 || m_currentSheet >= lines.rowCount())
        return false;
    return WorkSheetRules::isComplete(lines.workSheet(m_currentSheet), lines.amounts(m_currentSheet), true);
}

double TfrmInvoiceHeddrin::currentSheetAmount() const
{
    const InvoiceLines &lines = m_context.document.lines;
    if (m_currentSheet < 0 || m_currentSheet >= lines.rowCount())
        return 0;
    return lines.amounts(m_currentSheet).total;
}

QString TfrmInvoiceHeddrin::currentSheetListName() const
{
    const InvoiceLines &lines = m_context.document.lines;
    if (m_currentSheet < 0 || m_currentSheet >= lines.rowCount())
        return {};
    return WorkSheetRules::displayName(lines.workSheet(m_currentSheet).strWorkSheetName, m_currentSheet + 1);
}

void TfrmInvoiceHeddrin::addWorkSheet()
{
    InvoiceLines &lines = m_context.document.lines;
    const int count = lines.rowCount();
    if (count > 0 && !currentSheetComplete()) {
        m_context.prompts().ShowInformation(WorkSheetRules::fIncompleteWorkSheetMessage(currentSheetListName()));
        return;
    }
    if (count >= WorkSheetRules::kMaxSheets) {
        m_context.prompts().ShowInformation(tr("Maximum number of Work Sheets are in use"));
        return;
    }
    lines.appendWorkSheet(WorkSheetRules::newSheet(count + 1));
    m_currentSheet = count;
    pEnableWorkSheet(true);
    m_session.documentEdited();
    m_panel->nameField()->setFocus();
}

void TfrmInvoiceHeddrin::removeWorkSheet()
{
    InvoiceLines &lines = m_context.document.lines;
    if (lines.rowCount() == 0)
        return;
    const TrecInvHeader &header = m_context.document.header;
    const QString question = tr("Remove Work Sheet %1 from %2 %3?")
                                 .arg(currentSheetListName(), header.strInvName, QString::number(header.intInvNumber));
    if (m_context.prompts().ShowYesNoCancel(question, Prompts::No) != Prompts::Yes)
        return;
    lines.removeLine(m_currentSheet);
    m_currentSheet = std::max(0, lines.rowCount() - 1);
    if (lines.rowCount() == 0)
        pEnableWorkSheet(false);
    m_session.documentEdited();
}

void TfrmInvoiceHeddrin::workSheetFieldChanged(int column, const QString &value)
{
    InvoiceLines &lines = m_context.document.lines;
    if (m_currentSheet < 0 || m_currentSheet >= lines.rowCount())
        return;
    if (lines.amounts(m_currentSheet).sqft == 0 && WorkSheetRules::isSurfaceWork(column) && value.toInt() > 0)
        m_context.prompts().ShowInformation(
            tr("Please add Area Length, Width or Height as needed under Work Sheet Information."));
    WorkSheet sheet = lines.workSheet(m_currentSheet);
    // Text that is no number yet ("." of "0.5") leaves the sheet as it was.
    if (!InvoiceLines::setWorkSheetField(sheet, column, value, m_context.locale))
        return;
    WorkSheetRules::applyTies(sheet);
    lines.setWorkSheet(m_currentSheet, sheet);
    m_session.documentEdited();
}

void TfrmInvoiceHeddrin::pShowWorkSheetData()
{
    InvoiceLines &lines = m_context.document.lines;
    if (m_currentSheet < 0 || m_currentSheet >= lines.rowCount())
        return;
    m_panel->showSheet(lines.workSheet(m_currentSheet));
    pWorkSheetNameList();
    m_txtAreaSQFTTotal->setText(QString::number(lines.amounts(m_currentSheet).sqft));
    m_txtAreaTotal->setText(Money::currencyText(currentSheetAmount(), m_context.locale));
}

void TfrmInvoiceHeddrin::pWorkSheetNameList()
{
    const InvoiceLines &lines = m_context.document.lines;
    const QSignalBlocker quiet(m_lstvwWorkSheetName);
    m_lstvwWorkSheetName->clear();
    for (int row = 0; row < lines.rowCount(); ++row) {
        const bool complete = WorkSheetRules::isComplete(lines.workSheet(row), lines.amounts(row), row == m_currentSheet);
        new QTreeWidgetItem(m_lstvwWorkSheetName,
                            {WorkSheetRules::displayName(lines.workSheet(row).strWorkSheetName, row + 1),
                             complete ? tr("Yes") : tr("No")});
    }
    if (QTreeWidgetItem *current = m_lstvwWorkSheetName->topLevelItem(m_currentSheet))
        m_lstvwWorkSheetName->setCurrentItem(current);
    m_lblCurrentWorkSheet->setText(tr("Current Work Sheet: ") + currentSheetListName());
}

void TfrmInvoiceHeddrin::pEnableWorkSheet(bool enabled)
{
    m_panel->setSheetEnabled(enabled);
    m_lstvwWorkSheetName->setEnabled(enabled);
    if (enabled)
        return;
    m_lstvwWorkSheetName->clear();
    m_txtAreaSQFTTotal->setText(QStringLiteral("0"));
    m_txtAreaTotal->setText(Money::currencyText(0, m_context.locale));
    m_lblCurrentWorkSheet->setText(tr("Current Work Sheet: None"));
}

void TfrmInvoiceHeddrin::lstvwWorkSheetNameClick(int row)
{
    if (row < 0 || row >= m_context.document.lines.rowCount())
        return;
    if (!currentSheetComplete()) {
        if (row != m_currentSheet) {
            m_context.prompts().ShowInformation(WorkSheetRules::fIncompleteWorkSheetMessage(currentSheetListName()));
            m_lstvwWorkSheetName->setCurrentItem(m_lstvwWorkSheetName->topLevelItem(m_currentSheet));
        }
        return;
    }
    m_currentSheet = row;
    m_panel->setSheetEnabled(true);
    showDocument(); // looking at another sheet changes nothing
    m_panel->nameField()->setFocus();
}
