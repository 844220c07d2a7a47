#include "TmodPrintData.h"

#include "PdfOutput.h"
#include "ReportError.h"
#include "TfrmPrntPreview.h"
#include "app/AppContext.h"
#include "core/Prompts.h"
#include "data/DbError.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>
#include <QStandardPaths>

namespace {

/// The "Report Status" window: shows which page a long job has reached.
class ReportStatus
{
public:
    ReportStatus(const QString &labelPattern, int pageCount)
        : m_pattern(labelPattern)
        , m_dialog(QString(), QString(), 0, pageCount, QApplication::activeWindow())
    {
        m_dialog.setWindowTitle(QStringLiteral("Report Status"));
        m_dialog.setCancelButton(nullptr);
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setMinimumDuration(1000);
    }

    [[nodiscard]] PageProgress progress()
    {
        return [this](int page) {
            m_dialog.setLabelText(QString(m_pattern).replace(QLatin1String("%p"), QString::number(page)));
            m_dialog.setValue(page - 1);
        };
    }

private:
    QString m_pattern;
    QProgressDialog m_dialog;
};

} // namespace

TmodPrintData::TmodPrintData(AppContext &context, std::unique_ptr<PrinterOutput> printer)
    : m_context(context)
    , m_printer(std::move(printer))
{
}

std::optional<ReportJob> TmodPrintData::makeJob(int kind)
{
    Prompts &prompts = m_context.prompts();
    if (!PrintJobs::isAvailable(kind)) {
        prompts.ShowInformation(QStringLiteral("Printing the %1 is not available yet.")
                                    .arg(PrintJobs::documentName(kind, m_context)));
        return std::nullopt;
    }
    try {
        return PrintJobs::RvSystemPrntDocsPrint(m_context, kind);
    } catch (const ReportError &error) {
        prompts.showError(error.message());
    } catch (const DbError &error) {
        prompts.showError(error.message());
    }
    return std::nullopt;
}

bool TmodPrintData::printJob(int kind)
{
    const std::optional<ReportJob> job = makeJob(kind);
    if (!job)
        return false;
    try {
        ReportStatus status(QStringLiteral("Printing page %p"), int(job->pages.size()));
        m_printer->print(*job, status.progress());
        return true;
    } catch (const ReportError &error) {
        m_context.prompts().showError(error.message());
        return false;
    }
}

bool TmodPrintData::pPrint()
{
    return printJob(m_context.printKind);
}

void TmodPrintData::pPrintPreview()
{
    const int kind = m_context.printKind;
    const std::optional<ReportJob> job = makeJob(kind);
    if (!job)
        return;
    TfrmPrntPreview preview(
        *job, [this, kind] { printJob(kind); },
        [this] { m_context.pOpenHelp(); }, QApplication::activeWindow());
    preview.setWindowState(Qt::WindowMaximized);
    preview.exec();
}

bool TmodPrintData::pCreatePDFFile(const QString &fileName)
{
    const std::optional<ReportJob> job = makeJob(PrintKind::CurrentDocument);
    if (!job)
        return false;
    try {
        ReportStatus status(QStringLiteral("Generating page %p"), int(job->pages.size()));
        PdfOutput::writeFile(*job, fileName, status.progress());
        return true;
    } catch (const ReportError &error) {
        m_context.prompts().showError(error.message());
        return false;
    }
}

bool TmodPrintData::pSaveAsPDF()
{
    const TrecInvHeader &header = m_context.document.header;
    const QString name = PrintJobs::pdfBaseName(header.strInvName, header.intInvNumber);
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QString fileName = m_context.prompts().chooseSaveFile(QStringLiteral("Save %1 as .pdf Document").arg(name),
                                                          QDir(folder).filePath(name + QStringLiteral(".pdf")),
                                                          QStringLiteral("PDF Document (*.pdf)"));
    if (fileName.isEmpty())
        return false;
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += QStringLiteral(".pdf");
    return pCreatePDFFile(fileName);
}
