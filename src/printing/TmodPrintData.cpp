#include "TmodPrintData.h"

#include "PdfOutput.h"
#include "ReportError.h"
#include "TfrmPrntPreview.h"
#include "invoice/DocumentContext.h"
#include "core/FileTargets.h"
#include "core/Prompts.h"
#include "data/DbError.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

/// The wait cursor while a job is made or sent.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

/// The "Report Status" window: shows which page a long job has reached, and stops
/// the job when the user cancels.
class ReportStatus
{
public:
    ReportStatus(const QString &labelPattern, int pageCount)
        : m_pattern(labelPattern)
        , m_dialog(QString(), QObject::tr("Cancel"), 0, pageCount, QApplication::activeWindow())
    {
        m_dialog.setWindowTitle(QStringLiteral("Report Status"));
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setAutoReset(false);
        m_dialog.setMinimumDuration(500);
    }

    [[nodiscard]] PageProgress progress()
    {
        return [this](int page) {
            m_dialog.setLabelText(QString(m_pattern).replace(QLatin1String("%p"), QString::number(page)));
            m_dialog.setValue(page - 1);
            return !m_dialog.wasCanceled();
        };
    }

private:
    WaitCursor m_waiting;
    QString m_pattern;
    QProgressDialog m_dialog;
};

} // namespace

TmodPrintData::TmodPrintData(DocumentContext &context, std::unique_ptr<PrinterOutput> printer)
    : m_context(context)
    , m_printer(std::move(printer))
{
}

std::optional<ReportJob> TmodPrintData::makeJob(const PrintRequest &request)
{
    Prompts &prompts = m_context.prompts();
    if (!PrintJobs::isAvailable(request.kind)) {
        prompts.ShowInformation(QStringLiteral("Printing the %1 is not available yet.")
                                    .arg(PrintJobs::documentName(request, m_context)));
        return std::nullopt;
    }
    try {
        const WaitCursor waiting;
        return PrintJobs::RvSystemPrntDocsPrint(m_context, request);
    } catch (const ReportError &error) {
        prompts.showError(error.message());
    } catch (const DbError &error) {
        prompts.showError(error.message(), error.detail());
    }
    return std::nullopt;
}

bool TmodPrintData::printJob(const PrintRequest &request)
{
    const std::optional<ReportJob> job = makeJob(request);
    if (!job)
        return false;
    try {
        ReportStatus status(QStringLiteral("Printing page %p"), int(job->pages.size()));
        m_printer->print(*job, status.progress());
        return true;
    } catch (const JobCancelled &) {
        return false;
    } catch (const ReportError &error) {
        m_context.prompts().showError(error.message());
        return false;
    } catch (const DbError &error) {
        // Long lists read their rows while the pages go out.
        m_context.prompts().showError(error.message(), error.detail());
        return false;
    }
}

bool TmodPrintData::pPrint(const PrintRequest &request)
{
    return printJob(request);
}

void TmodPrintData::pPrintPreview(const PrintRequest &request)
{
    const std::optional<ReportJob> job = makeJob(request);
    if (!job)
        return;
    TfrmPrntPreview preview(
        *job, [this, request] { printJob(request); },
        [this] { m_context.pOpenHelp(); }, QApplication::activeWindow());
    preview.setWindowState(Qt::WindowMaximized);
    preview.exec();
}

bool TmodPrintData::pCreatePDFFile(const QString &fileName)
{
    return writePdf(PrintRequest::of(PrintKind::CurrentDocument), fileName);
}

bool TmodPrintData::writePdf(const PrintRequest &request, const QString &fileName)
{
    const std::optional<ReportJob> job = makeJob(request);
    if (!job)
        return false;
    try {
        ReportStatus status(QStringLiteral("Generating page %p"), int(job->pages.size()));
        PdfOutput::writeFile(*job, fileName, status.progress());
        return true;
    } catch (const JobCancelled &) {
        return false;
    } catch (const ReportError &error) {
        m_context.prompts().showError(error.message());
        return false;
    } catch (const DbError &error) {
        // Long lists read their rows while the pages go out.
        m_context.prompts().showError(error.message(), error.detail());
        return false;
    }
}

bool TmodPrintData::pSaveAsPDF()
{
    return pSaveAsPDF(PrintRequest::of(PrintKind::CurrentDocument));
}

bool TmodPrintData::pSaveAsPDF(const PrintRequest &request)
{
    const TrecInvHeader &header = m_context.document.header;
    const QString name = request.kind == PrintKind::CurrentDocument
                             ? PrintJobs::pdfBaseName(header.strInvName, header.intInvNumber)
                             : PrintJobs::documentName(request, m_context);
    // A title may hold characters no file name can.
    static const QRegularExpression unsafe(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]"));
    const QString offered = QString(name).replace(unsafe, QStringLiteral("-")) + QStringLiteral(".pdf");
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QString suggested = QDir(folder).filePath(offered);
    while (true) {
        const QString fileName = FileTargets::withSuffix(
            m_context.prompts().chooseSaveFile(QStringLiteral("Save %1 as .pdf Document").arg(name), suggested,
                                               QStringLiteral("PDF Document (*.pdf)")),
            QStringLiteral(".pdf"));
        if (fileName.isEmpty())
            return false;
        if (FileTargets::mayReplace(m_context.prompts(), {fileName}))
            return writePdf(request, fileName);
        suggested = fileName;
    }
}
