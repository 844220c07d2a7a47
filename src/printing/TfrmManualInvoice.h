#pragma once

#include <QDialog>

class AppContext;
class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;
class QToolButton;

/// Blank numbered forms of one document kind to be filled in by hand. Every form
/// printed is stored under its own number first, so hand-written and typed
/// documents share one number sequence and no number is ever printed twice.
class TfrmManualInvoice : public QDialog
{
    Q_OBJECT

public:
    /// Starts a blank manual-form document and shows the window modally.
    static void open(AppContext &context, QWidget *owner);

    explicit TfrmManualInvoice(AppContext &context, QWidget *parent = nullptr);

    /// Prints as many forms as the spin box shows; stops at the first that cannot
    /// be stored or printed.
    void tlbarbtnPrintClick();

private:
    void pLoadInvNames();
    void pLoadPaymentTerms();
    void cmbInvoiceTypeChange();
    [[nodiscard]] bool printOneForm();

    AppContext &m_context;
    QComboBox *m_cmbInvoiceType = nullptr;
    QLabel *m_lblNumOfInvToPrint = nullptr;
    QSpinBox *m_SpinEditNumOfManualInvToPrint = nullptr;
    QComboBox *m_cmbPaymentTerms = nullptr;
    QComboBox *m_cmbFootNotes = nullptr;
    QCheckBox *m_ckbxAddSignatureLine = nullptr;
    QToolButton *m_tlbarbtnPrint = nullptr;
};
