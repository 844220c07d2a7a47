#pragma once

#include "widgets/ReportsChange.h"

#include <QDialog>
#include <QDate>
#include <functional>
#include <optional>

class AppContext;
class DateField;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class EditingSession;
struct Payment;

/// "Record Payment": the payments of the current document, a new one to record and
/// removing one. What recording and removing do is the opener's: on a saved document
/// from a list they land in the file at once, in an editor they change the document,
/// which is saved with it.
class TfrmRecordPayment final : public QDialog, public ReportsChange
{
    Q_OBJECT
public:
    /// Records \a payment; false when it failed (already reported).
    using Record = std::function<bool(const Payment &payment)>;
    /// Removes payment \a index after asking; false when nothing changed.
    using Remove = std::function<bool(int index)>;

    TfrmRecordPayment(AppContext &context, Record record, Remove remove, QWidget *parent = nullptr);

    /// Moves credit by \a amount on \a date; false when it failed (already reported).
    using CreditAct = std::function<bool(double amount, QDate date)>;
    /// Offers paying the document from the customer's credit (\a available tells how
    /// much there is) and giving back the document's own credit.
    void offerCredit(std::function<double()> available, CreditAct apply, CreditAct refund);

    /// Opens the window on the saved document \a number (on its invoice, for a
    /// past-due notice); true when it changed it.
    static bool openForSaved(AppContext &context, int number, QWidget *parent);
    /// Opens the window on an editor's document; true when it changed it.
    static bool openForEditor(AppContext &context, EditingSession &session, QWidget *parent);

private:
    void buildLayout();
    void showDocument();
    void recordTyped();
    void removeSelected();
    /// The typed amount, or nothing after telling what is wrong with it.
    [[nodiscard]] std::optional<double> typedAmount();
    void moveCredit(const CreditAct &act);

    AppContext &m_context;
    Record m_record;
    Remove m_remove;
    std::function<double()> m_creditAvailable;
    CreditAct m_applyCredit;
    CreditAct m_refund;

    QLabel *m_lblSummary = nullptr;
    QTableWidget *m_lstPayments = nullptr;
    QPushButton *m_btnRemove = nullptr;
    DateField *m_dtpPaymentDate = nullptr;
    QLineEdit *m_txtPaymentAmount = nullptr;
    QComboBox *m_cmbPaymentMethod = nullptr;
    QLineEdit *m_txtPaymentReference = nullptr;
    QLineEdit *m_txtPaymentNote = nullptr;
    QLabel *m_lblCredit = nullptr;
    QPushButton *m_btnApplyCredit = nullptr;
    QPushButton *m_btnRefund = nullptr;
    QPushButton *m_btnRecord = nullptr;
    QPushButton *m_btnClose = nullptr;
};
