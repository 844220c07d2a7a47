#pragma once

#include "PageModel.h"
#include "core/PrintRequest.h"

class DocumentContext;

/// The document information fields of a PDF file.
struct PdfInfo
{
    QString title;
    QString author;
    QString subject;
    QString keywords;
    QString creator;
    QString producer;
};

/// One print job: every page of one printout, preview or PDF file.
struct ReportJob
{
    /// The preview window's caption ("Preview Invoice 512").
    QString previewTitle;
    /// The name of the job in the printer queue ("Invoice 512").
    QString documentName;
    PdfInfo info;
    ReportPages pages;
};

namespace PrintJobs {

/// Whether a printout of \a kind can be made.
[[nodiscard]] bool isAvailable(int kind);

[[nodiscard]] QString previewTitle(const PrintRequest &request, const DocumentContext &context);
/// The printout's name in the printer queue and the PDF's title: a table's own title.
[[nodiscard]] QString documentName(const PrintRequest &request, const DocumentContext &context);
/// The name a document's PDF file is offered under, without its suffix: kind, a
/// blank, number ("Invoice 512").
[[nodiscard]] QString pdfBaseName(const QString &kind, int number);

/// Makes the job \a request asks for: for the current document its pages, then
/// the contract and the warranty on pages of their own when it asks for them; for
/// a list the rows it carries. Throws ReportError or DbError when it cannot;
/// nothing of the document or the database is changed.
[[nodiscard]] ReportJob RvSystemPrntDocsPrint(const DocumentContext &context, const PrintRequest &request);

} // namespace PrintJobs
