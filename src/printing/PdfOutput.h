#pragma once

#include "PageRenderer.h"
#include "PrintJobs.h"

#include <QByteArray>

/// Print jobs as PDF files whose text stays searchable and extractable.
namespace PdfOutput {

/// The job as the bytes of a PDF file carrying the job's document information.
[[nodiscard]] QByteArray render(const ReportJob &job, const PageProgress &progress = {});

/// Writes the job to \a fileName, replacing any file of that name. The bytes go to
/// a temporary file beside it that is renamed into place only when complete, so a
/// failed write (read-only folder, full disk) leaves no partial file and an older
/// file of that name untouched. Throws ReportError with the system's reason.
void writeFile(const ReportJob &job, const QString &fileName, const PageProgress &progress = {});

} // namespace PdfOutput
