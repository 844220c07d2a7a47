#pragma once

#include "core/ListUse.h"
#include "widgets/ReportsChange.h"

#include <QDialog>
#include <QList>

class AppContext;
class QAction;
class QLabel;
class QLineEdit;
class QStandardItemModel;
class QTableView;
struct WorkSheetPriceItem;

/// The Heddrin price sheet: the labor and material prices of the 27 fixed work-sheet
/// items. Opened from the main window it edits the company's price list; opened
/// while a document editor is open it edits the prices saved with that document.
class TfrmPriceHeddrin final : public QDialog, public ReportsChange
{
    Q_OBJECT
public:
    explicit TfrmPriceHeddrin(AppContext &context, QWidget *parent = nullptr, ListUse use = ListUse::Maintain);

    /// List columns.
    enum Column { Description, LaborText, MaterialText, LabPrice, MatPrice, PriceItmID, ColumnCount };

protected:
    void showEvent(QShowEvent *event) override;
    void reject() override;
    void done(int result) override;

private:
    void pShowFormInformation();
    void pClearEditArea();
    void pQueryPriceList();
    [[nodiscard]] QList<WorkSheetPriceItem> readPriceList() const;
    void showPriceList(const QList<WorkSheetPriceItem> &items);
    /// Another PC (or this one) committed: the list shows it, kept where the user was.
    void pShowChangesFromElsewhere();
    void lstPriceClick(int row);
    void pEnableSaveButton();
    void pUpdatePrintCommands();
    void printList(bool preview);
    /// False when the save did not happen (a bad amount, an engine error).
    bool actSaveExecute();
    void actCancelExecute();
    void actImportExecute();
    void actExportExecute();
    /// Whether closing or cancelling may go on, after the save question if one is due.
    bool settlePendingEdit();

    AppContext &m_context;
    /// Fixed for the window's life: editing one document's prices.
    const bool m_documentMode;
    bool m_shown = false;

    QAction *m_actClose;
    QAction *m_actSave;
    QAction *m_actCancel;
    QAction *m_actPrintPreview;
    QAction *m_actPrint;
    QAction *m_actImport;
    QAction *m_actExport;
    QAction *m_actHelp;

    QStandardItemModel *m_model;
    QTableView *m_lstPrice;
    QLineEdit *m_txtPriceItmDiscription;
    QLineEdit *m_txtLaborPrice;
    QLineEdit *m_txtMatPrice;
    QLabel *m_lblPriceItmID;
    /// The version of the company price being edited, as it was read.
    qint64 m_rowVersion = 0;
};
