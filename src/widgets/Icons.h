#pragma once

#include <QIcon>

/// The one set of command pictures every window uses, so a command looks the same
/// on the main tool bar, a ribbon and a menu.
namespace Icons {

enum class Command {
    NewInvoice,
    InvoiceMaintenance,
    ManualInvoice,
    CompanyMaintenance,
    CustomerMaintenance,
    PriceSheet,
    Report,
    BackupRestore,
    Backup,
    Restore,
    ContractWriter,
    WarrantyWriter,
    Planner,
    Update,
    Help,
    About,
    Exit,
    PrintRecurring,
    Save,
    Print,
    PrintPreview,
    Pdf,
    Delete,
    Add,
    Remove,
    Find,
    Close,
    Cancel,
    Import,
    Export,
    Email,
    Payment,
    Receivables,
    PastDue,
    CommandCount
};

/// Selects the freedesktop icon theme the pictures come from; run once at start.
void useTheme();

/// The picture of \a command (null when the theme is not installed).
[[nodiscard]] QIcon forCommand(Command command);

} // namespace Icons
