#pragma once

#include <QString>

/// The printing module every window prints through. The window sets the context's
/// print kind first; the module reports its own failures to the user.
class PrintModule
{
public:
    virtual ~PrintModule() = default;

    /// Prints the current print kind on the default printer with its default
    /// settings. False when nothing was printed (the failure has been reported).
    virtual bool pPrint() = 0;
    /// Shows the current print kind in the preview window, modally.
    virtual void pPrintPreview() = 0;
    /// Writes the current document to \a fileName, replacing it. False when no file
    /// was written (the failure has been reported).
    virtual bool pCreatePDFFile(const QString &fileName) = 0;
    /// Asks for a file name ("Save Invoice  512 as .pdf Document") and writes the
    /// current document to it. False when cancelled or not written.
    virtual bool pSaveAsPDF() = 0;
};
