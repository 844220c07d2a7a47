#pragma once

class QWidget;
struct TrecActivityEdit;
namespace CustomerStatement {
struct Customer;
}

/// Opens the windows that other windows open over themselves: the document editor
/// from the maintenance list, the activity editor from the planner. Declared below
/// the windows and implemented by the application, so no window needs to know the
/// windows above it.
class WindowOpening
{
public:
    virtual ~WindowOpening() = default;

    /// The edition's document editor on the saved document numbered in the current
    /// header, modally over \a owner.
    virtual void openInvoiceEditor(QWidget *owner) = 0;
    /// The activity editor on \a activity, modally over \a owner.
    /// True when the editor changed the planner's activities.
    virtual bool openActivityEditor(const TrecActivityEdit &activity, QWidget *owner) = 0;
    /// The job of the saved document \a number, modally over \a owner. From inside a
    /// document editor \a opensDocuments is false: the editor holds the current
    /// document, so the job's documents are only listed there.
    virtual void openJobView(int number, QWidget *owner, bool opensDocuments) = 0;
    /// The statement of \a customer, modally over \a owner.
    virtual void openCustomerStatement(const CustomerStatement::Customer &customer, QWidget *owner) = 0;
};
