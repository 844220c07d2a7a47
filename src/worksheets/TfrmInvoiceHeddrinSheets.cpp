// The work sheet side of the Heddrin editor: adding, removing, switching and
// editing the sheets, and the list that tells which are complete.
#include "TfrmInvoiceHeddrin.h"

#include "WorkSheetPanel.h"
#include "WorkSheetRules.h"
#include "app/AppContext.h"
#include "core/Prompts.h"
#include "data/DbError.h"
#include "invoice/Money.h"

#include <QAction>
#include <algorithm>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>

namespace {

/// Fields whose work needs a surface to be measured.
bool isSurfaceWork(int column)
{
    switch (column) {
    case InvoiceLines::PaintsCoats:
    case InvoiceLines::TrimCoats:
    case InvoiceLines::Prime:
    case InvoiceLines::Wash:
    case InvoiceLines::Sand:
    case InvoiceLines::Caulk:
    case InvoiceLines::Mask:
    case InvoiceLines::HngWallpaper:
    case InvoiceLines::RmvWallpaper:
    case InvoiceLines::HngBoarder:
    case InvoiceLines::RmvBorder:
        return true;
    default:
        return false;
    }
}

} // namespace

bool TfrmInvoiceHeddrin::currentSheetComplete() const
{
    const InvoiceLines &lines = m_context.document.lines;
    if (m_currentSheet < 0 || m_currentSheet >= lines.rowCount())
        return false;
    return WorkSheetRules::isComplete(lines.rowCells(m_currentSheet), true, m_context.locale);
}

double TfrmInvoiceHeddrin::currentSheetAmount() const
{
    const InvoiceLines &lines = m_context.document.lines;
    if (m_currentSheet < 0 || m_currentSheet >= lines.rowCount())
        return 0;
    return Money::parseDecimal(lines.cell(m_currentSheet, InvoiceLines::AreaAmount), m_context.locale).value_or(0);
}

QString TfrmInvoiceHeddrin::currentSheetListName() const
{
    const InvoiceLines &lines = m_context.document.lines;
    if (m_currentSheet < 0 || m_currentSheet >= lines.rowCount())
        return {};
    return WorkSheetRules::displayName(lines.cell(m_currentSheet, InvoiceLines::WorkSheetName), m_currentSheet + 1);
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
    lines.appendRow(WorkSheetRules::newSheet(count + 1).toCells());
    m_currentSheet = count;
    pEnableWorkSheet(true);
    pShowWorkSheetData();
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
    if (lines.rowCount() == 0) {
        pEnableWorkSheet(false);
        pChangeData();
        return;
    }
    pShowWorkSheetData();
}

void TfrmInvoiceHeddrin::workSheetFieldChanged(int column, const QString &value)
{
    InvoiceLines &lines = m_context.document.lines;
    if (m_currentSheet < 0 || m_currentSheet >= lines.rowCount())
        return;
    QStringList cells = lines.rowCells(m_currentSheet);
    if (cells.value(InvoiceLines::AreaSqft).toInt() == 0 && isSurfaceWork(column) && value.toInt() > 0)
        m_context.prompts().ShowInformation(
            tr("Please add Area Length, Width or Height as needed under Work Sheet Information."));
    cells[column] = value;
    lines.replaceRow(m_currentSheet, cells);
    pShowWorkSheetData();
}

void TfrmInvoiceHeddrin::pShowWorkSheetData()
{
    InvoiceLines &lines = m_context.document.lines;
    if (m_currentSheet < 0 || m_currentSheet >= lines.rowCount())
        return;
    const QStringList cells = lines.rowCells(m_currentSheet);
    WorkSheet sheet;
    try {
        sheet = WorkSheet::fromCells(cells);
    } catch (const DbError &error) {
        m_context.prompts().showError(error.message());
        return;
    }
    WorkSheetRules::applyTies(sheet);
    lines.replaceRow(m_currentSheet,
                     sheet.toCells(cells.value(InvoiceLines::AreaSqft), cells.value(InvoiceLines::AreaAmount)));
    m_panel->showSheet(sheet);
    pChangeData();
    pWorkSheetNameList();
    m_txtAreaSQFTTotal->setText(lines.cell(m_currentSheet, InvoiceLines::AreaSqft));
    m_txtAreaTotal->setText(Money::currencyText(currentSheetAmount(), m_context.locale));
}

void TfrmInvoiceHeddrin::pWorkSheetNameList()
{
    const InvoiceLines &lines = m_context.document.lines;
    const QSignalBlocker quiet(m_lstvwWorkSheetName);
    m_lstvwWorkSheetName->clear();
    for (int row = 0; row < lines.rowCount(); ++row) {
        const bool complete = WorkSheetRules::isComplete(lines.rowCells(row), row == m_currentSheet, m_context.locale);
        new QTreeWidgetItem(m_lstvwWorkSheetName,
                            {WorkSheetRules::displayName(lines.cell(row, InvoiceLines::WorkSheetName), row + 1),
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
    const bool saveWasEnabled = m_actSave->isEnabled();
    m_currentSheet = row;
    m_panel->setSheetEnabled(true);
    pShowWorkSheetData();
    // Looking at another sheet changes nothing that needs saving.
    m_actSave->setEnabled(saveWasEnabled && m_actPrint->isEnabled());
    m_panel->nameField()->setFocus();
}
