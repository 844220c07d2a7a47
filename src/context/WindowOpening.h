#pragma once

class QWidget;
struct TrecActivityEdit;

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
};
