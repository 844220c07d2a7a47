#pragma once

#include "context/WindowOpening.h"

#include <QDate>
#include "invoice/CustomerStatement.h"

#include <QString>
#include <optional>

class AppContext;
class Prompts;
class QWidget;
struct TrecActivityEdit;

/// Tells the user that \a subject ("The planner") cannot be used in this build yet.
void showNotAvailable(Prompts &prompts, const QString &subject);

/// The routines that open every secondary window. Each sets the process-wide state
/// the window and printing read, opens the window modally over \a owner and
/// destroys it when it closes, also when an error escapes. Any window may make its
/// own opener; it holds nothing but the context and the owner.
class WindowOpener
{
public:
    WindowOpener(AppContext &context, QWidget *owner);

    /// The edition's document editor: on a new document when \a newDocument,
    /// otherwise on the saved document whose number is in the header's intInvNumber.
    void openInvoiceEditor(bool newDocument);
    void openInvoiceMaintenance();
    /// Who owes what, aged as of \a today.
    void openReceivables(QDate today);
    /// The statement of \a customer, or of no one yet when none is given.
    void openCustomerStatement(const std::optional<CustomerStatement::Customer> &customer);
    /// The job of the saved document \a number; \a opensDocuments as in WindowOpening.
    void openJobView(int number, bool opensDocuments);
    /// Blank numbered forms to fill in by hand.
    void openManualForms();
    /// The customer window, keeping the list (editors open it in pick mode themselves).
    void openCustomers();
    /// The price window, keeping the list (editors open it in pick mode themselves).
    void openPriceItems();
    void openReport();
    enum WriterMode { Warranty = 0, Contract = 1 };
    void openWriter(WriterMode mode);
    void openCompanyInfo();
    void openPlanner();
    /// The activity editor on \a activity; the document changed flag tells afterwards
    /// whether it saved or deleted.
    /// True when the editor changed the planner's activities.
    bool openActivityEditor(const TrecActivityEdit &activity);
    void openUpdate();
    void openAbout();

private:
    void notAvailable(const QString &window);

    AppContext &m_context;
    QWidget *m_owner;
};

/// The opener lower windows reach through the context: the maintenance list and
/// the planner open their editors with it.
class AppWindows final : public WindowOpening
{
public:
    explicit AppWindows(AppContext &context)
        : m_context(context)
    {
    }

    void openInvoiceEditor(QWidget *owner) override { WindowOpener(m_context, owner).openInvoiceEditor(false); }
    bool openActivityEditor(const TrecActivityEdit &activity, QWidget *owner) override
    {
        return WindowOpener(m_context, owner).openActivityEditor(activity);
    }
    void openJobView(int number, QWidget *owner, bool opensDocuments) override
    {
        WindowOpener(m_context, owner).openJobView(number, opensDocuments);
    }
    void openCustomerStatement(const CustomerStatement::Customer &customer, QWidget *owner) override
    {
        WindowOpener(m_context, owner).openCustomerStatement(customer);
    }

private:
    AppContext &m_context;
};
