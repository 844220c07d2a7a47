#pragma once

class AppContext;

/// Printing the current document from an editor.
namespace DocumentOutput {

enum class Target { Printer, Preview };

/// Sends the current document to the printer or the preview. An edition that never
/// stores documents numbers them by printing: each print or preview takes the stored
/// next number as the document's number first, and a cancelled or failed print gives
/// it back unless a later number was taken meanwhile.
/// Without a printing module the user is told printing is not available.
/// Returns whether the document went out.
bool pPrintDocument(AppContext &context, Target target);

/// Writes the current document to a PDF file the user names.
void pSaveDocumentAsPdf(AppContext &context);

/// Asks "Delete <kind> <number>?" and deletes the saved document on Yes. True when
/// it was deleted; a failure is reported to the user.
bool pDeleteDocument(AppContext &context);

} // namespace DocumentOutput
