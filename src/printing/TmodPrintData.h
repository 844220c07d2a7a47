#pragma once

#include "PrintJobs.h"
#include "core/PrintModule.h"
#include "PrinterOutput.h"

#include <memory>
#include <optional>

class DocumentContext;

/// The printing module: makes the job a request asks for and sends it to
/// the printer, the preview window or a PDF file. Failures reach the user through
/// the context's prompts; printing never changes the document or the database.
class TmodPrintData final : public PrintModule
{
public:
    explicit TmodPrintData(DocumentContext &context,
                           std::unique_ptr<PrinterOutput> printer = std::make_unique<DefaultPrinter>());

    bool pPrint(const PrintRequest &request) override;
    void pPrintPreview(const PrintRequest &request) override;
    bool pCreatePDFFile(const QString &fileName) override;
    bool pSaveAsPDF() override;
    bool pSaveAsPDF(const PrintRequest &request) override;

private:
    /// The job of \a request, or nothing when it cannot be made (already reported).
    std::optional<ReportJob> makeJob(const PrintRequest &request);
    bool printJob(const PrintRequest &request);
    bool writePdf(const PrintRequest &request, const QString &fileName);

    DocumentContext &m_context;
    std::unique_ptr<PrinterOutput> m_printer;
};
