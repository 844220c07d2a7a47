#pragma once

#include "DocumentDialog.h"
#include "EditingSession.h"
#include "EditorCommands.h"

#include <QDialog>

class AppContext;

/// What every document editor window shares: its editing session and commands,
/// the opening on first show, the one way of closing (the session decides whether
/// to ask), the dialogs that change the document, and telling the user's own
/// changes from the controls being filled.
class DocumentEditor : public QDialog
{
    Q_OBJECT
public:
    DocumentEditor(AppContext &context, QWidget *parent);

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

    /// Runs on first show: fills the controls that stay, then opens the session.
    virtual void opened() = 0;
    /// Shows the session's document in every control.
    virtual void showDocument() = 0;
    /// Keeps what the window remembers of itself when it closes.
    virtual void rememberState();
    [[nodiscard]] bool isOpen() const { return m_open; }

    /// Opens a dialog that changes the document and tells the session when it did.
    template<typename Dialog, typename... Extra>
    void edit(Extra... extra)
    {
        if (openDocumentDialog<Dialog>(m_context, this, extra...))
            m_session.documentEdited();
    }
    /// The line edit dialog on line \a row.
    void editLine(int row);

    /// The commands every editor has, to place among its own.
    QAction *addCloseCommand();
    void addPrintCommands();
    /// Writes the document to a PDF file, guarded like printing.
    QAction *addPdfCommand();
    QAction *addHelpCommand();
    /// Record Payment and Change Order for this job, for the editions that keep
    /// documents; showAccountCommands() enables them for the document shown.
    void addAccountCommands();
    void showAccountCommands();
    /// The job view of the saved document, enabled only once it is saved.
    QAction *addJobCommand();
    /// The window: the tool bar of its commands over \a body and \a footer, maximized
    /// when it was last closed so.
    void layOut(QLayout *body, QLayout *footer);

    /// \a change, run only for the user's own edits, never while the controls are
    /// being filled from the document.
    template<typename Change>
    auto byUser(Change change)
    {
        return [this, change](auto value) {
            if (!m_showing)
                change(value);
        };
    }

    AppContext &m_context;
    EditingSession m_session;
    EditorCommands m_commands;
    QAction *m_actPrintPreview = nullptr;
    QAction *m_actPrint = nullptr;
    QAction *m_actRecordPayment = nullptr;
    QAction *m_actChangeOrder = nullptr;
    /// Set while the controls are being filled from the document.
    bool m_showing = false;

private:
    bool m_open = false;
};
