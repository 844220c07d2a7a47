#pragma once

#include "widgets/ReportsChange.h"

#include <QDialog>

class AppContext;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

/// Sets the money already received for the current document: the deposit required
/// for an Estimate, Work Order or Change Order, the amount paid (and paid in full)
/// for an Invoice, Credit or Past Due notice. Works for every edition's editor.
class TfrmPaidAndDeposit final : public QDialog, public ReportsChange
{
    Q_OBJECT
public:
    explicit TfrmPaidAndDeposit(AppContext &context, QWidget *parent = nullptr);

private:
    void buildLayout();
    void pShowFormInformation();
    void pSetFormData();
    void tlbtnOKClick();

    AppContext &m_context;
    QPushButton *m_tlbtnOK;
    QPushButton *m_tlbtnCancel;
    QLabel *m_lblRecDepositAmount;
    QLineEdit *m_txtRecDepositAmount;
    QLabel *m_lblPaidAndDeposit;
    QLineEdit *m_txtPaidAndDeposit;
    QCheckBox *m_ckbxPaidInFull;
    QLabel *m_lblInvTotal;
    QLineEdit *m_txtInvTotal;
};
