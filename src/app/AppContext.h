#pragma once

#include "core/Preferences.h"
#include "company/CompanyRecord.h"
#include "data/Database.h"
#include "invoice/CurrentDocument.h"
#include "printing/RowFeed.h"

#include <QLocale>
#include <QStringList>
#include <memory>

class Edition;
class PrintModule;
class Prompts;
class SavingIndicator;
class Shell;

/// The process-wide state: filled by start-up, handed to every window. Tests make
/// their own, with a scripted Prompts and their chosen edition.
class AppContext
{
public:
    AppContext(const Edition &edition, Prompts &prompts, SavingIndicator &saving);
    ~AppContext();

    [[nodiscard]] const Edition &edition() const { return m_edition; }
    [[nodiscard]] Prompts &prompts() const { return m_prompts; }
    [[nodiscard]] SavingIndicator &saving() const { return m_saving; }
    /// What opens files and addresses on the desktop; one that opens nothing until set.
    [[nodiscard]] Shell &shell() const;
    void setShell(Shell *shell) { m_shell = shell; }

    /// A new connection to this edition's database, for one operation.
    [[nodiscard]] std::unique_ptr<Database> openDatabase() const;
    [[nodiscard]] QString databasePath() const;

    /// The locale dates, amounts and currency texts are written and read in.
    QLocale locale;
    CompanyRecord company;
    CurrentDocument document;
    AppPreferences preferences;
    /// The document kinds the edition offers, in the editors' order.
    QStringList InvoiceTypes;

    /// 1 document, 2 price list, 3 customer list, 4 planner, 5 contract, 6 warranty,
    /// 7 sales and tax report, 8 invoice list.
    int printKind = 1;
    bool editorOpen = false;
    bool documentChanged = false;
    int selectedLineIndex = 0;
    /// Contract (1) or warranty (0) for the writer.
    int writerMode = 1;
    /// Print, preview and PDF for every window; set by start-up, null where nothing prints.
    PrintModule *printModule = nullptr;
    /// The rows and texts of the list window that prints next (kinds 2, 3, 4, 7 and 8),
    /// set by that window just before it calls the printing module.
    ListPrintout listPrintout;

    /// The edition's help page, or a notice when it cannot be opened.
    void pOpenHelp() const;

    /// Clears the editor and changed flags, the selected line and foot note 0, and
    /// fills the edition's document kinds.
    void pSetInvoiceTypes();

private:
    const Edition &m_edition;
    Prompts &m_prompts;
    SavingIndicator &m_saving;
    Shell *m_shell = nullptr;
};
