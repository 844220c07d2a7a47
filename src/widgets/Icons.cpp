#include "Icons.h"

#include <QDir>
#include <QStandardPaths>
#include <QStringList>

namespace Icons {

namespace {

const QString kTheme = QStringLiteral("Tango");

// freedesktop icon names, in Command order.
const char *const kNames[] = {
    "document-new",            // NewInvoice
    "document-open",           // InvoiceMaintenance
    "accessories-text-editor", // ManualInvoice: forms written by hand
    "go-home",                 // CompanyMaintenance
    "system-users",            // CustomerMaintenance
    "x-office-spreadsheet",    // PriceSheet
    "x-office-presentation",   // Report
    "document-save",           // BackupRestore
    "media-floppy",            // Backup
    "edit-undo",               // Restore
    "x-office-document",       // ContractWriter
    "text-x-generic",          // WarrantyWriter
    "x-office-calendar",       // Planner
    "system-software-update",  // Update
    "help-browser",            // Help
    "dialog-information",      // About
    "system-log-out",          // Exit
    "view-refresh",            // PrintRecurring
    "document-save",           // Save
    "document-print",          // Print
    "document-print-preview",  // PrintPreview
    "document-save-as",        // Pdf
    "edit-delete",             // Delete
    "list-add",                // Add
    "list-remove",             // Remove
    "edit-find",               // Find
    "system-log-out",          // Close
    "process-stop",            // Cancel
    "go-down",                 // Import: rows brought into a list
    "go-up",                   // Export
    "mail-message-new",        // Email
    "accessories-calculator",  // Payment
    "x-office-spreadsheet",    // Receivables: the open amounts, as a sheet
    "dialog-warning",          // PastDue
};
static_assert(std::size(kNames) == std::size_t(Command::CommandCount));

} // namespace

void useTheme()
{
    // Some platforms (offscreen, minimal) look only in the resources by default.
    QStringList folders = QIcon::themeSearchPaths();
    for (const QString &folder : QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                                           QStandardPaths::LocateDirectory)) {
        if (!folders.contains(folder))
            folders << folder;
    }
    QIcon::setThemeSearchPaths(folders);
    // Left to the desktop's theme when ours is missing rather than showing none.
    for (const QString &folder : folders) {
        if (QDir(folder).exists(kTheme + QStringLiteral("/index.theme"))) {
            QIcon::setThemeName(kTheme);
            return;
        }
    }
}

QIcon forCommand(Command command)
{
    if (command == Command::Pdf) {
        // Themes name the PDF picture in two ways; a plain "save as" is the last resort.
        return QIcon::fromTheme(QStringLiteral("application-pdf"),
                                QIcon::fromTheme(QStringLiteral("gnome-mime-application-pdf"),
                                                 QIcon::fromTheme(QString::fromLatin1(kNames[std::size_t(command)]))));
    }
    return QIcon::fromTheme(QString::fromLatin1(kNames[std::size_t(command)]));
}

} // namespace Icons
