#pragma once

#include "EditorRules.h"

#include <QDate>
#include <QObject>
#include <optional>

class AppContext;
class InvoiceLines;
struct CurrentDocument;
struct Payment;
struct TrecInvHeader;

/// One editor's work on the current document, without a window: the field
/// changes, the totals, whether there is something to save (or, in an edition
/// that never saves, something not yet printed), the questions, saving, deleting
/// and whether the editor may close. The editors show what it says and hand it
/// what the user did; every document editor goes through it.
class EditingSession final : public QObject
{
    Q_OBJECT
public:
    explicit EditingSession(AppContext &context, QObject *parent = nullptr);

    /// Starts on the current document as it was loaded or begun: settles kind and
    /// date, asks once whether a saved document takes the company's current tax
    /// rates (a Yes is a change to save) and works out the totals.
    void open();

    [[nodiscard]] const CurrentDocument &document() const;
    [[nodiscard]] const TrecInvHeader &header() const;
    /// The lines as the editors list them.
    [[nodiscard]] InvoiceLines &lineModel() const;

    // The user's changes. Each recomputes the totals and emits changed().
    void setKind(const QString &kind);
    void setDate(QDate date);
    void setPaymentTerms(const QString &terms);
    void setFootNote(int index);
    void setPONumber(const QString &number);
    void setTaxExemptNumber(const QString &number);
    void setTaxExempt(bool exempt);
    void setUseTax(int tax, bool used);
    void setDiscountPercent(int percent);
    void setRecurring(bool recurring);
    /// The due date the user chose. The date the terms give (or an invalid one)
    /// makes it follow the date and terms again.
    void setDueDate(QDate date);
    /// Adds a payment (a deposit received, on a deposit kind); an invoice it pays off
    /// becomes paid in full. Saved, and posted, with the document.
    /// Returns false when it was refused or the user would not take more than is
    /// owed as the customer's credit.
    bool recordPayment(const Payment &payment);
    /// Asks, then removes payment \a index (and, on an invoice paid in full, asks
    /// whether to take the mark off). True when it was removed.
    bool removePayment(int index);
    /// The free foot note of the printout (the edition that never saves).
    void setPrintedFootNote(const QString &text);
    /// Signature line, contract and warranty: they go with the printout only, so
    /// they are not a change to save.
    void setPrintOptions(bool signatureLine, bool contract, bool warranty);
    /// A dialog (customer, lines, notes, paid and deposit, prices) changed the document.
    void documentEdited();

    // What the editor shows.
    /// The document date; invalid while a date an upgrade could not read awaits the user.
    [[nodiscard]] QDate date() const;
    /// The document date as the user reads it.
    [[nodiscard]] QString shownDate() const;
    [[nodiscard]] EditorRules::KindChoice kinds() const;
    [[nodiscard]] QString caption() const;       // "Invoice 12"
    [[nodiscard]] QString numberCaption() const; // "Invoice Number: 12"
    [[nodiscard]] QString subtitle() const;      // "Estimate Valid Until ..."
    [[nodiscard]] QString totalCaption() const;  // "Invoice Total", as printed
    [[nodiscard]] QString customerBlock() const;
    [[nodiscard]] std::optional<EditorRules::PaidDepositWording> paidDepositWording() const;
    [[nodiscard]] bool recurringAllowed() const;
    [[nodiscard]] QDate dueDate() const;
    /// Only what is billed has a due date: invoices and past-due notices.
    [[nodiscard]] bool hasDueDate() const;
    /// What is still owed on the document as it is now.
    [[nodiscard]] double balance() const;
    /// A customer and at least one line: the document can be saved and printed.
    [[nodiscard]] bool isComplete() const;
    /// Changed since opened or saved (since last printed, where nothing is saved).
    [[nodiscard]] bool isModified() const { return m_modified; }
    [[nodiscard]] bool canSave() const;
    [[nodiscard]] bool canDelete() const;
    [[nodiscard]] bool canRecordPayment() const;

    // Commands.
    /// Saves the document; an error is shown and the document stays unsaved. When
    /// another copy of the program changed or deleted it meanwhile, the user chooses
    /// (SaveConflict); taking theirs shows the stored document and gives false.
    bool save();
    /// Asks, then deletes the saved document; true when it is gone.
    bool deleteDocument();
    /// Prints or previews; where nothing is saved, a document that went out is no
    /// longer "changed".
    bool print(bool preview);
    void saveAsPdf();
    /// Hands the document to the mail program as a PDF; a new or changed document
    /// is saved first, and nothing goes out when that fails. True when sent.
    bool email();
    /// A saved document in an edition that has change orders.
    [[nodiscard]] bool canStartChangeOrder() const;
    /// Goes on with a new change order for the job of this saved document (offering
    /// to save changes first); like any new document it is stored only when saved.
    /// False when none was started.
    bool startChangeOrder();
    /// Whether the editor may close now, asking what the edition asks: to save
    /// unsaved changes (Cancel keeps it open), before discarding changes that cannot
    /// be saved yet (No keeps it open), or, where nothing is saved, before dropping a
    /// document changed since it was last printed (No keeps it open).
    [[nodiscard]] bool mayClose();

signals:
    /// The document or its save state changed; the editor shows it again.
    void changed();

private:
    void update(bool isChange);
    void applyRules(bool tellConflicts);
    [[nodiscard]] bool storesDocuments() const;
    [[nodiscard]] TrecInvHeader &h();

    AppContext &m_context;
    bool m_modified = false;
    bool m_deleted = false;
    QString m_terms;
};
