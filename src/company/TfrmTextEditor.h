#pragma once

#include <QDialog>

class AppContext;
class QAction;
class QLineEdit;
class QPlainTextEdit;
class Ribbon;

/// The contract and warranty writer. The context's writer mode, set by the opener,
/// picks the text: 1 the contract, 0 the warranty.
class TfrmTextEditor final : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmTextEditor(AppContext &context, QWidget *parent = nullptr);

    /// Sets the writer mode to \a writerMode, clears the document changed flag, and
    /// shows the writer modally; it is destroyed when it closes.
    static void open(AppContext &context, int writerMode, QWidget *parent = nullptr);

    /// Saves the title and text; true when they were written.
    bool pSave();
    /// Closing: asks about unsaved changes first (also for Esc and the close box).
    void reject() override;

private:
    void pShowFormInformation();
    void textChanged();
    void printRequested(bool preview);

    AppContext &m_context;
    int m_writerMode;
    QString m_word;
    Ribbon *m_ribbon;
    QLineEdit *m_title;
    QPlainTextEdit *m_text;
    QAction *m_actSave;
    QAction *m_actPrint;
    QAction *m_actPrintPreview;
};
