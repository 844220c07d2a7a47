#pragma once

#include "core/ListUse.h"

#include "PriceListModel.h"
#include "PriceStore.h"
#include "widgets/ReportsChange.h"

#include <QDialog>
#include <optional>

class AppContext;
class DbError;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QToolBar;

/// The price sheet of the editions with taxable flags: lists, searches, adds, edits
/// and deletes price items. While a document editor is open (pick mode) it also
/// adds the item being edited, with a quantity, as a new line of the current document.
class TfrmPriceCorvalo final : public QDialog, public ReportsChange
{
    Q_OBJECT
public:
    explicit TfrmPriceCorvalo(AppContext &context, QWidget *parent = nullptr, ListUse use = ListUse::Maintain);

    /// The listed items, in list order (what the price list report prints).
    [[nodiscard]] const PriceListModel &listModel() const { return m_model; }

public slots:
    /// Every way of closing ends here: asks about unsaved changes first.
    void reject() override;

protected:
    void done(int result) override;

private:
    enum class Mode { Browsing, Editing, New };

    QToolBar *createCommands();
    QWidget *createSearchArea();
    QTableView *createList();
    QWidget *createEditArea();
    void pShowFormInformation();

    void pReturnToBrowsing();
    void pRunListQuery();
    void searchKindChanged();
    void listClicked(const QModelIndex &index);
    void startEditing(Mode mode);

    void actNewPriceItemExecute();
    /// True when the item was stored.
    bool actSaveExecute();
    void actCancelExecute();
    void actDeleteExecute();
    void actImportExecute();
    void actExportExecute();
    void btnAddPriceItnToInvoiceClick();

    void pEnableSave();
    void pEnableAddToInvoice();
    void pEnablePrint();
    void printList(bool preview);

    void fillEmptyPrices();
    /// The typed amount of \a field, or nothing after telling the user it is not one.
    [[nodiscard]] std::optional<double> amountOf(QLineEdit *field, const QString &what);
    [[nodiscard]] PriceSearch searchKind() const;
    [[nodiscard]] bool pickMode() const;
    void showDbError(const DbError &error);

    AppContext &m_context;
    const ListUse m_use;
    PriceStore m_store;
    PriceListModel m_model;
    Mode m_mode = Mode::Browsing;

    QAction *m_actClose = nullptr;
    QAction *m_actNewPriceItem = nullptr;
    QAction *m_actSave = nullptr;
    QAction *m_actCancel = nullptr;
    QAction *m_actDelete = nullptr;
    QAction *m_actPrintPreview = nullptr;
    QAction *m_actPrint = nullptr;
    QAction *m_actImport = nullptr;
    QAction *m_actExport = nullptr;
    QAction *m_actHelp = nullptr;

    QComboBox *m_cmbSearchPrcItm = nullptr;
    QLineEdit *m_txtSearchPrcItm = nullptr;
    QTableView *m_lstPrice = nullptr;

    QLineEdit *m_txtPriceItmDiscription = nullptr;
    QLineEdit *m_txtLaborPrice = nullptr;
    QLineEdit *m_txtMatPrice = nullptr;
    QCheckBox *m_ckbxLaborTaxable = nullptr;
    QCheckBox *m_ckbxMatTaxable = nullptr;
    QLabel *m_lblQuantity = nullptr;
    QLineEdit *m_txtQuantity = nullptr;
    QLabel *m_lblPriceItmID = nullptr;
    QPushButton *m_btnAddPriceItnToInvoice = nullptr;
};
