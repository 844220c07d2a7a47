#pragma once

#include "PrintRequest.h"

#include <QString>

/// The printing module every window prints through. Each call says what to print;
/// the module reports its own failures to the user.
class PrintModule
{
public:
    virtual ~PrintModule() = default;

    /// Prints \a request on the default printer with its default settings. False
    /// when nothing was printed (the failure has been reported).
    virtual bool pPrint(const PrintRequest &request) = 0;
    /// Shows \a request in the preview window, modally.
    virtual void pPrintPreview(const PrintRequest &request) = 0;
    /// Writes the current document to \a fileName, replacing it. False when no file
    /// was written (the failure has been reported).
    virtual bool pCreatePDFFile(const QString &fileName) = 0;
    /// Asks for a file name ("Save Invoice 512 as .pdf Document") and writes the
    /// current document to it. False when cancelled or not written.
    virtual bool pSaveAsPDF() = 0;
    /// The same for the printout \a request asks for, offered under its name ("Save
    /// Aged Receivables as .pdf Document").
    virtual bool pSaveAsPDF(const PrintRequest &request) = 0;
};
