#pragma once

class AppContext;

/// What the document editors need from the printing module: the current document
/// (AppContext::document) to the printer or to the preview window. The module
/// installs itself in AppContext::printer at start-up.
class DocumentPrinter
{
public:
    virtual ~DocumentPrinter() = default;

    /// Prints the current document. True only when it was handed to the printer;
    /// false when the user cancelled or printing failed (the printer has then told
    /// the user why).
    [[nodiscard]] virtual bool printCurrentDocument(AppContext &context) = 0;
    /// Shows the current document in the preview window; true when it was shown.
    [[nodiscard]] virtual bool previewCurrentDocument(AppContext &context) = 0;
};
