#pragma once

#include "BandLayout.h"
#include "core/RowFeed.h"

#include <optional>

class DocumentContext;

/// ReportInvoice: the current document on one page template that repeats while its
/// rows need more pages. The upper half of the page is laid out from the top down
/// for each job, because the logo and the company block vary in height.
class InvoiceReport
{
public:
    static inline const QString kName = QStringLiteral("ReportInvoice");

    /// Fills the report's parameters from the current document and the company
    /// record and lays out the page template. Throws ReportError when the company
    /// logo exists but cannot be read.
    [[nodiscard]] static InvoiceReport pSetInvoiceData(const DocumentContext &context);

    [[nodiscard]] const ReportParameters &parameters() const { return m_parameters; }
    /// Where the rows and the signature block print on every page (inches).
    [[nodiscard]] const QRectF &rowRegion() const { return m_region; }

    /// The pages: the template on each, the rows of \a feed through the row region,
    /// then the signature block when the document asks for one.
    [[nodiscard]] QList<ReportPage> run(const RowFeed &feed) const;

private:
    InvoiceReport() = default;

    ReportParameters m_parameters;
    ReportPage m_template;
    QRectF m_region;
    std::optional<Band> m_signature;
};
