#pragma once

#include <QDialog>

class CompanyContext;
class PrintModule;
class QAction;
class QLineEdit;
class QPlainTextEdit;
class Ribbon;

/// The contract and warranty writer: \a writerMode picks the text, 1 the contract,
/// 0 the warranty. Prints through \a printing when there is one.
class TfrmTextEditor final : public QDialog
{
    Q_OBJECT
public:
    TfrmTextEditor(CompanyContext &context, PrintModule *printing, int writerMode, QWidget *parent = nullptr);

    /// Shows the writer of \a writerMode modally; it is destroyed when it closes.
    static void open(CompanyContext &context, PrintModule *printing, int writerMode, QWidget *parent = nullptr);

    /// Saves the title and text; true when they were written.
    bool pSave();
    /// Closing: asks about unsaved changes first (also for Esc and the close box).
    void reject() override;

private:
    void pShowFormInformation();
    void textChanged();
    void printRequested(bool preview);

    CompanyContext &m_context;
    PrintModule *m_printing;
    int m_writerMode;
    QString m_word;
    Ribbon *m_ribbon;
    QLineEdit *m_title;
    QPlainTextEdit *m_text;
    QAction *m_actSave;
    QAction *m_actPrint;
    QAction *m_actPrintPreview;
};
