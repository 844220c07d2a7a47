#pragma once

#include "PrintJobs.h"
#include "PrintModule.h"
#include "PrinterOutput.h"

#include <memory>
#include <optional>

class AppContext;

/// The printing module: makes the job of the context's print kind and sends it to
/// the printer, the preview window or a PDF file. Failures reach the user through
/// the context's prompts; printing never changes the document or the database.
class TmodPrintData final : public PrintModule
{
public:
    explicit TmodPrintData(AppContext &context,
                           std::unique_ptr<PrinterOutput> printer = std::make_unique<DefaultPrinter>());

    bool pPrint() override;
    void pPrintPreview() override;
    bool pCreatePDFFile(const QString &fileName) override;
    bool pSaveAsPDF() override;

private:
    /// The job of \a kind, or nothing when it cannot be made (already reported).
    std::optional<ReportJob> makeJob(int kind);
    bool printJob(int kind);

    AppContext &m_context;
    std::unique_ptr<PrinterOutput> m_printer;
};
