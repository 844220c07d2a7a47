#pragma once

#include "widgets/ReportsChange.h"

#include <QDialog>

class AppContext;
class QCheckBox;
class QLineEdit;
class QPushButton;
struct PriceLineEntry;

/// Edits or removes the current document's line at AppContext::selectedLineIndex.
/// Works for every edition's editor; the taxable boxes show only where lines carry
/// their own tax choice.
class TfrmInvoicePriceItemEdit final : public QDialog, public ReportsChange
{
    Q_OBJECT
public:
    explicit TfrmInvoicePriceItemEdit(AppContext &context, QWidget *parent = nullptr);

private:
    void buildLayout();
    void pShowFormInformation();
    void pLoadLine();
    void pEnableOKButton();
    [[nodiscard]] bool lineExists() const;
    [[nodiscard]] PriceLineEntry entry() const;
    void tlbtnOKClick();
    void tlbtnRemoveClick();

    AppContext &m_context;
    const int m_row;
    QPushButton *m_tlbtnOK;
    QPushButton *m_tlbtnCancel;
    QPushButton *m_tlbtnRemove;
    QLineEdit *m_txtPriceItmDiscription;
    QLineEdit *m_txtQuantity;
    QLineEdit *m_txtLaborPrice;
    QCheckBox *m_ckbxLaborTaxable;
    QLineEdit *m_txtMatPrice;
    QCheckBox *m_ckbxMatTaxable;
};
