#pragma once

#include "core/Preferences.h"
#include "invoice/DocumentContext.h"

#include <QStringList>

class PrintModule;
class WindowOpening;

/// The process-wide state: filled by start-up, handed to every window. Tests make
/// their own, with a scripted Prompts and their chosen edition. Logic below the
/// windows takes only the slice it needs (DataContext, CompanyContext,
/// DocumentContext).
class AppContext final : public DocumentContext
{
public:
    using DocumentContext::DocumentContext;

    AppPreferences preferences;
    /// The document kinds the edition offers, in the editors' order.
    QStringList InvoiceTypes;

    int selectedLineIndex = 0;
    /// Print, preview and PDF for every window; set by start-up, null where nothing prints.
    PrintModule *printModule = nullptr;
    /// What windows open other windows through; set by start-up, null where none opens.
    WindowOpening *windows = nullptr;

    /// Clears the changed flag, the selected line and foot note 0, and
    /// fills the edition's document kinds.
    void pSetInvoiceTypes();
};
