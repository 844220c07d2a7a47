#pragma once

#include "PriceListModel.h"
#include "PriceStore.h"
#include "widgets/RecordListWindow.h"

#include <optional>

class AppContext;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class SearchBar;
class QTableView;

/// The price sheet of the editions with taxable flags: lists, searches, adds, edits
/// and deletes price items. While a document editor is open (pick mode) it also
/// adds the item being edited, with a quantity, as a new line of the current document.
class TfrmPriceCorvalo final : public RecordListWindow
{
    Q_OBJECT
public:
    explicit TfrmPriceCorvalo(AppContext &context, QWidget *parent = nullptr, ListUse use = ListUse::Maintain);

    /// The listed items, in list order (what the price list report prints).
    [[nodiscard]] const PriceListModel &listModel() const { return m_model; }

private:
    enum class Mode { Browsing, Editing, New };

    SearchBar *createSearchArea();
    QTableView *createList();
    QWidget *createEditArea();
    void pShowFormInformation();

    void returnToList() override;
    void pRunListQuery();
    /// Another PC (or this one) committed: the list shows it, kept where the user was.
    void pShowChangesFromElsewhere();
    void searchKindChanged();
    void listClicked(const QModelIndex &index);
    void showItem(const PriceItem &item);
    void startEditing(Mode mode);

    void newRecord() override;
    bool saveRecord() override;
    /// Leaves the item with the list focused, to pick the next one.
    bool cancelEditing() override;
    void deleteCurrent() override;
    void importRecords() override;
    void exportRecords() override;
    void printList(bool preview) override;
    void btnAddPriceItnToInvoiceClick();

    void pEnableSave();
    void pEnableAddToInvoice();
    void pEnablePrint();

    void fillEmptyPrices();
    /// The typed amount of \a field, or nothing after telling the user it is not one.
    [[nodiscard]] std::optional<double> amountOf(QLineEdit *field, const QString &what);
    [[nodiscard]] PriceSearch searchKind() const;

    AppContext &m_context;
    PriceStore m_store;
    PriceListModel m_model;
    Mode m_mode = Mode::Browsing;

    SearchBar *m_search = nullptr;
    QTableView *m_lstPrice = nullptr;

    QLineEdit *m_txtPriceItmDiscription = nullptr;
    QLineEdit *m_txtLaborPrice = nullptr;
    QLineEdit *m_txtMatPrice = nullptr;
    QCheckBox *m_ckbxLaborTaxable = nullptr;
    QCheckBox *m_ckbxMatTaxable = nullptr;
    QLabel *m_lblQuantity = nullptr;
    QLineEdit *m_txtQuantity = nullptr;
    QLabel *m_lblPriceItmID = nullptr;
    /// The version of the item shown, as it was read.
    qint64 m_rowVersion = 0;
    QPushButton *m_btnAddPriceItnToInvoice = nullptr;
};
