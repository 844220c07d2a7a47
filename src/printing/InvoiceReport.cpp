#include "InvoiceReport.h"

#include "InvoiceRowFeed.h"
#include "ReportError.h"
#include "ReportFonts.h"
#include "data/DateText.h"
#include "invoice/DocumentContext.h"
#include "core/Edition.h"
#include "core/Paths.h"
#include "invoice/DocumentKinds.h"
#include "invoice/Totals.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace {

const ReportFont kDataFont{};
const ReportFont kNameFont{QStringLiteral("Arial"), 18, true};
const ReportFont kTotalsFont{QStringLiteral("Arial"), 14, true};
const ReportFont kSignatureFont{QStringLiteral("Arial"), 8, false};

constexpr Qt::Alignment kLeft = Qt::AlignLeft;
constexpr Qt::Alignment kRight = Qt::AlignRight;

constexpr double kStep = 0.2;             // one line of the company and customer blocks
constexpr double kCustomerBarMinTop = 1.7;
constexpr double kFooterTop = 9.3;
constexpr double kRowHeight = 0.2;
constexpr double kSignatureHeight = 1.5;
constexpr double kMaxLogoWidth = 3.85;

const QColor kSilver(192, 192, 192);

// A long company or customer line may run on past its component, but stops short of
// the title and the boxes to its right instead of printing over them.
constexpr double kCompanyLineRoom = 4.4 - 0.3;
constexpr double kCustomerLineRoom = 4.7 - 0.5;

/// Value columns of a row, relative to the row region: left edge and width.
struct ValueColumn
{
    QString feedColumn;
    QString component;
    double left;
    double width;
};

const QList<ValueColumn> &valueColumnsLeftToRight()
{
    static const QList<ValueColumn> columns = {
        {InvoiceRows::kLeft, QStringLiteral("rvtxtLeft"), 4.5, 1.1},
        {InvoiceRows::kMiddle, QStringLiteral("rvtxtMiddle"), 5.6, 1.1},
        {InvoiceRows::kRight, QStringLiteral("rvtxtRight"), 6.7, 1.2},
    };
    return columns;
}

/// The company logo, or nothing when it does not print on this document.
std::optional<QImage> documentLogo(const DocumentContext &context)
{
    if (DocumentKinds::is(context.document.header.strInvName, DocumentKinds::kWorkOrder)
        || !context.edition().printsLogoAndReferences())
        return std::nullopt;
    const QString path = Paths::GetLogoPath(context.edition());
    if (!QFileInfo::exists(path))
        return std::nullopt;
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull() || image.height() == 0) {
        throw ReportError(QStringLiteral("The company logo \"%1\" cannot be read as a picture (%2).")
                              .arg(QDir::toNativeSeparators(path), reader.errorString()));
    }
    return image;
}

struct CompanyLine
{
    const char *component;
    bool printed;
    QString text;
};

QList<CompanyLine> companyLines(const TrecCompanyData &c)
{
    const auto either = [](const QString &a, const QString &b) { return !a.isEmpty() || !b.isEmpty(); };
    return {
        {"rvtxtCompName", !c.strCompName.isEmpty(), c.strCompName},
        {"rvtxtCompAddress", !c.strCompAddress.isEmpty(), c.strCompAddress},
        {"rvtxtCompCityStateZip", either(c.strCompCity, c.strCompState) || !c.strCompZip.isEmpty(),
         c.strCompCity + QStringLiteral(", ") + c.strCompState + QLatin1Char(' ') + c.strCompZip},
        {"rvtxtCompMainPhone", !c.strCompMainPhone.isEmpty(), QStringLiteral("Main Phone: ") + c.strCompMainPhone},
        {"rvtxtCompExtraPhone1", !c.strCompExtraPhone1.isEmpty(),
         c.strCompExtraPhone1Name + QStringLiteral(": ") + c.strCompExtraPhone1},
        {"rvtxtCompExtraPhone2", !c.strCompExtraPhone2.isEmpty(),
         c.strCompExtraPhone2Name + QStringLiteral(": ") + c.strCompExtraPhone2},
        {"rvtxtCompEmail", !c.strCompEmail.isEmpty(), c.strCompEmail},
        {"rvtxtCompWebAddress", !c.strCompWebSite.isEmpty(), c.strCompWebSite},
        {"rvtxtCompLicName1", either(c.strCompLicName1, c.strCompLicNum1),
         c.strCompLicName1 + QLatin1Char(' ') + c.strCompLicNum1},
        {"rvtxtCompLicName2", either(c.strCompLicName2, c.strCompLicNum2),
         c.strCompLicName2 + QLatin1Char(' ') + c.strCompLicNum2},
        {"rvtxtCompLicName3", either(c.strCompLicName3, c.strCompLicNum3),
         c.strCompLicName3 + QLatin1Char(' ') + c.strCompLicNum3},
    };
}

Band signatureBand(const QString &acceptanceInfo, const QColor &acceptColor)
{
    Band band;
    band.height = kSignatureHeight;
    BoxItem panel = Items::bar(QStringLiteral("rvrecAcceptanceInfo"), QRectF(0.1, 0.1, 7.7, 1.3), acceptColor);
    panel.borderStyle = Qt::DotLine;
    panel.cornerRadius = 0.15;
    band.items.append(panel);
    band.items.append(Items::memo(QStringLiteral("rvtxtAcceptanceInfo"), QRectF(0.2, 0.2, 3.9, 1.1), kDataFont,
                                  acceptanceInfo));
    const QStringList captions = {QStringLiteral("Authorized Signature "), QStringLiteral("Signature 1"),
                                  QStringLiteral("Signature 2"), QStringLiteral("Date")};
    for (int i = 0; i < captions.size(); ++i) {
        const double top = 0.2 + 0.3 * i;
        band.items.append(Items::text(QStringLiteral("rvtxtSignature"), 4.3, top, 3.4, kSignatureFont, kLeft,
                                      captions.at(i)));
        band.items.append(Items::horizontalLine(QStringLiteral("rvhlineSignature"), 4.3, top + 0.2, 3.4));
    }
    return band;
}

/// One row of the feed as bands of one line each: the description wraps before the
/// first value it would run under, and the values print beside its first line.
QList<Band> rowBands(const RowFeed &feed, int row)
{
    double descriptionWidth = 7.9;
    Band first;
    first.height = kRowHeight;
    for (const ValueColumn &column : valueColumnsLeftToRight()) {
        const QString value = feed.value(row, column.feedColumn);
        if (value.isEmpty())
            continue;
        descriptionWidth = std::min(descriptionWidth, column.left - 0.1);
        first.items.append(Items::fittedCell(column.component, column.left, 0, column.width, kDataFont, kLeft, value));
    }

    QStringList lines = ReportFonts::wrapLines(kDataFont, feed.value(row, InvoiceRows::kDescription), descriptionWidth);
    if (lines.isEmpty())
        lines.append(QString());
    const auto description = [&](const QString &text) {
        return Items::cell(QStringLiteral("rvtxtDescription"), 0, 0, descriptionWidth, kDataFont, kLeft, text);
    };
    first.items.prepend(description(lines.first()));

    QList<Band> bands{first};
    for (qsizetype i = 1; i < lines.size(); ++i)
        bands.append(Band{kRowHeight, {description(lines.at(i))}});
    if (!feed.value(row, InvoiceRows::kKeepWithNext).isEmpty()) {
        for (Band &band : bands)
            band.keepWithNext = true;
    }
    return bands;
}

/// Fills the parameters and lays out the page template block by block, from the
/// top of the page down; each block starts where the one above it ended.
class TemplateBuilder
{
public:
    TemplateBuilder(const DocumentContext &context, ReportParameters &parameters, ReportPage &page)
        : m_context(context)
        , m_header(context.document.header)
        , m_settings(context.company.invData)
        , m_parameters(parameters)
        , m_page(page)
        , m_kindColor(DocumentKinds::colorOf(m_header.strInvName, context.company))
    {
        if (!m_kindColor.isValid())
            m_kindColor = Qt::black;
    }

    /// The logo, if it prints; returns its height (0 without one).
    double logo()
    {
        const std::optional<QImage> picture = documentLogo(m_context);
        if (!picture)
            return 0;
        const double height = m_settings.strLargeLogo ? 1.3 : 0.7;
        const double width = std::min(kMaxLogoWidth, height * picture->width() / picture->height());
        m_page.add(ImageItem{QStringLiteral("rvBitmapLogo"), QRectF(0.3, 0.1, width, height), *picture});
        return height;
    }

    void title()
    {
        m_parameters[QStringLiteral("rvstrInvNameNumber")] =
            m_header.strInvName + QLatin1Char(' ') + QString::number(m_header.intInvNumber);
        m_parameters[QStringLiteral("rvstrInvDate")] = m_header.blnManualForm
                                                           ? QStringLiteral("Date:____/____/________")
                                                           : DateText::shortDate(m_header.strInvDate, m_context.locale);
        m_parameters[QStringLiteral("rvstrInvValidFor")] =
            m_header.blnManualForm
                ? QString()
                : DocumentKinds::GetInvoiceTitle({m_header.strInvName, m_header.strInvDate, m_header.strFromInvNameNumber},
                                                 m_settings.intNumEstDays, m_context.edition(), m_context.locale);
        TextItem name = Items::text(QStringLiteral("rvtxtInvName"), 4.5, 0.1, 3.7, kNameFont, kRight,
                                    parameter("rvstrInvNameNumber"));
        name.color = m_kindColor;
        m_page.add(name);
        m_page.add(Items::text(QStringLiteral("rvtxtInvDate"), 5.8, 0.4, 2.4, kDataFont, kRight,
                               parameter("rvstrInvDate")));
        m_page.add(Items::text(QStringLiteral("rvtxtInvValidFor"), 5.8, 0.6, 2.4, kDataFont, kRight,
                               parameter("rvstrInvValidFor")));
    }

    /// The company lines that have something to say, one under the other from \a r.
    double companyBlock(double r)
    {
        for (const CompanyLine &line : companyLines(m_context.company.company)) {
            if (!line.printed)
                continue;
            m_page.add(Items::cell(QLatin1String(line.component), 0.3, r, kCompanyLineRoom, kDataFont, kLeft, line.text));
            r += kStep;
        }
        return r;
    }

    /// The coloured bars around the customer, the customer's lines (or grey captions
    /// on a blank form) and the terms, order and exemption boxes; returns the
    /// position under the lower bar.
    double customerBlock(double r)
    {
        const bool blankForm = m_header.blnManualForm;
        const bool lunvard = !m_context.edition().printsLogoAndReferences();
        m_page.add(Items::bar(QStringLiteral("rvrecCustTop"), QRectF(0.3, r, 7.9, 0.05), m_kindColor));
        r += 0.1;

        const double top = r;
        m_page.add(Items::text(QStringLiteral("rvtxtCustPmtTermsHdng"), 4.8, top + 0.2, 1.9, kDataFont, kLeft,
                               QStringLiteral("Payment Terms")));
        m_page.add(Items::frame(QStringLiteral("rvrecCustPmtTerms"), QRectF(4.8, top + 0.39, 3.4, 0.2)));
        m_page.add(Items::text(QStringLiteral("rvtxtCustPOHdng"), 4.8, top + 0.6, 1.4, kDataFont, kLeft,
                               lunvard ? QString() : QStringLiteral("P.O. Number")));
        m_page.add(Items::text(QStringLiteral("rvtxtCustTaxEmptNumberHdng"), 6.5, top + 0.6, 1.5, kDataFont, kLeft,
                               lunvard ? QString() : QStringLiteral("Tax Exempt Number")));
        if (!lunvard) {
            m_page.add(Items::frame(QStringLiteral("rvrecCustPO"), QRectF(4.8, top + 0.79, 1.7, 0.2)));
            m_page.add(Items::frame(QStringLiteral("rvrecCustTaxEmptNumber"), QRectF(6.5, top + 0.79, 1.7, 0.2)));
        }
        m_page.add(Items::cell(QStringLiteral("rvtxtCustPmtTerms"), 4.9, top + 0.4, 3.2, kDataFont, kLeft,
                               m_header.strCustPymntTerms));
        m_page.add(Items::fittedCellOnTwoLines(QStringLiteral("rvtxtCustPO"), 4.9, top + 0.8, 1.5, kDataFont, kLeft,
                                     blankForm ? QString() : m_header.strCustPONumber));
        m_page.add(Items::fittedCellOnTwoLines(QStringLiteral("rvtxtCustTaxEmptNumber"), 6.6, top + 0.8, 1.5, kDataFont, kLeft,
                                     blankForm ? QString() : m_header.strCustTaxExemptNum));

        const QStringList components = {
            QStringLiteral("rvtxtCustComp"),         QStringLiteral("rvtxtCustName"),
            QStringLiteral("rvtxtCustAddress"),      QStringLiteral("rvtxtCustCityStateZip"),
            QStringLiteral("rvtxtCustMainPhone"),    QStringLiteral("rvtxtCustExtraPhone1"),
            QStringLiteral("rvtxtCustExtraPhone2")};
        const QStringList values = {m_header.strCustCmpnyName, m_header.strCustFullName,  m_header.strCustAddress,
                                    m_header.strCustCtyStZp,   m_header.strCustMainPhone, m_header.strCustExtraPhone1,
                                    m_header.strCustExtraPhone2};
        const QStringList formCaptions = {QStringLiteral("Company Name"), QStringLiteral("Name"),
                                          QStringLiteral("Address"),      QStringLiteral("City,State Zip"),
                                          QStringLiteral("Main Phone"),   QStringLiteral("Extra Phone 1"),
                                          QStringLiteral("Extra Phone 2")};
        for (int i = 0; i < components.size(); ++i) {
            TextItem line = Items::shortenedCell(components.at(i), 0.5, r, kCustomerLineRoom, kDataFont, kLeft,
                                                 blankForm ? formCaptions.at(i) : values.at(i));
            if (blankForm) {
                line.color = kSilver;
                if (i < components.size() - 1) // the last caption gets no line to write on
                    m_page.add(Items::horizontalLine(QStringLiteral("CustomerLine"), 0.5, r + kStep - 0.03, 3.0, kSilver));
            }
            m_page.add(line);
            r += kStep;
        }

        m_page.add(Items::bar(QStringLiteral("rvrecCustBottom"), QRectF(0.3, r, 7.9, 0.05), m_kindColor));
        return r + kStep;
    }

    /// The column headings at \a r and the rule under them; returns the rule's position.
    double columnHeadings(double r)
    {
        QStringList headings(3); // right, middle, left: the order values take the columns
        const QList<InvoiceRows::Value> shown = InvoiceRows::shownValues(m_header.strInvName, m_settings);
        for (int i = 0; i < shown.size(); ++i)
            headings[i] = headingOf(shown.at(i));
        m_page.add(Items::text(QStringLiteral("rvtxtDescriptionHdng"), 0.3, r, 7.9, kDataFont, kLeft,
                               QStringLiteral("Price Item Description")));
        m_page.add(Items::text(QStringLiteral("rvtxtLeftHdng"), 4.8, r, 1.1, kDataFont, kLeft, headings[2]));
        m_page.add(Items::text(QStringLiteral("rvtxtMiddleHdng"), 5.9, r, 1.1, kDataFont, kLeft, headings[1]));
        m_page.add(Items::text(QStringLiteral("rvtxtRightHdng"), 7.0, r, 1.2, kDataFont, kLeft, headings[0]));
        r += kStep;
        m_page.add(Items::horizontalLine(QStringLiteral("rvhlineItems"), 0.3, r, 7.9));
        return r;
    }

    /// The signature block, when the document asks for one.
    std::optional<Band> signature()
    {
        m_parameters[QStringLiteral("rvstrAcceptanceInfo")] = m_settings.strAcceptanceInfo;
        if (!m_header.blnAddSignatureLine)
            return std::nullopt;
        return signatureBand(m_settings.strAcceptanceInfo, m_settings.AccptColor);
    }

    /// The footer bar, the foot note and the amounts block.
    void footer()
    {
        m_parameters[QStringLiteral("rvstrInvFootNotes")] = m_context.document.print.strInvFootNotes;
        m_page.add(Items::bar(QStringLiteral("rvrecFooter"), QRectF(0.3, kFooterTop, 7.9, 0.05), m_kindColor));
        m_page.add(Items::memo(QStringLiteral("rvtxtInvFootNotes"), QRectF(0.3, 9.4, 3.1, 1.0), kDataFont,
                               parameter("rvstrInvFootNotes")));

        const TrecPrintData &print = m_context.document.print;
        // Blank forms and work orders that hide their prices show empty boxes.
        const bool amountsPrinted =
            !m_header.blnManualForm && InvoiceRows::pricesShown(m_header.strInvName, m_settings);
        const bool discounted = m_header.intCustDiscountPercent > 0;
        QList<Amount> amounts = {
            {"DepositPaid",
             DocumentKinds::isDepositKind(m_header.strInvName) ? QStringLiteral("Deposit Amount")
                                                                : QStringLiteral("Amount Paid"),
             "rvrecDepositPaid", print.strDepositPaid},
            {"SubTotal", QStringLiteral("Sub Total"), "rvrecSubTotal", print.strSubTotal},
            {"Tax", QStringLiteral("Tax Total"), "rvrecTax", print.strTax},
            {"Discount", discounted ? QStringLiteral("Discount") : QString(), "rerecDiscount",
             discounted ? print.strDiscount : QString()},
            {"Total", Totals::totalHeading(m_context.document), "rvrecTotal", print.strTotal},
        };
        // Deposits received are subtracted from a deposit kind's total, so whenever
        // there are any they are printed under the deposit asked for.
        if (!print.strDepositReceived.isEmpty()) {
            amounts.insert(1, {"DepositReceived", QStringLiteral("Deposit Received"), "rvrecDepositReceived",
                               print.strDepositReceived});
        }
        for (int i = 0; i < amounts.size(); ++i) {
            const Amount &amount = amounts.at(i);
            const double top = 9.39 + 0.2 * i;
            const QString name = QLatin1String(amount.name);
            m_parameters[QStringLiteral("rvstr%1Hdng").arg(name)] = amount.heading;
            m_parameters[QStringLiteral("rvstr") + name] = amountsPrinted ? amount.value : QString();
            m_page.add(Items::text(QStringLiteral("rvtxt%1Hdng").arg(name), 3.7, top, 2.7, kTotalsFont, kRight,
                                   m_parameters.value(QStringLiteral("rvstr%1Hdng").arg(name))));
            m_page.add(Items::frame(QLatin1String(amount.box), QRectF(6.5, top, 1.7, 0.21)));
            m_page.add(Items::fittedCell(QStringLiteral("rvtxt") + name, 6.6, top, 1.6, kTotalsFont, kLeft,
                                         m_parameters.value(QStringLiteral("rvstr") + name)));
        }
    }

private:
    /// One line of the amounts block: the name its components and parameters share.
    struct Amount
    {
        const char *name;
        QString heading;
        const char *box;
        QString value;
    };

    [[nodiscard]] QString parameter(const char *name) const { return m_parameters.value(QLatin1String(name)); }

    static QString headingOf(InvoiceRows::Value value)
    {
        switch (value) {
        case InvoiceRows::Value::Total:
            return QStringLiteral("Total");
        case InvoiceRows::Value::PriceEach:
            return QStringLiteral("Price Each");
        case InvoiceRows::Value::Quantity:
            return QStringLiteral("Quantity");
        }
        return {};
    }

    const DocumentContext &m_context;
    const TrecInvHeader &m_header;
    const TrecCmpnyInvData &m_settings;
    ReportParameters &m_parameters;
    ReportPage &m_page;
    QColor m_kindColor;
};

} // namespace

InvoiceReport InvoiceReport::pSetInvoiceData(const DocumentContext &context)
{
    InvoiceReport report;
    TemplateBuilder build(context, report.m_parameters, report.m_template);
    const double logoHeight = build.logo();
    build.title();
    const double companyEnd = build.companyBlock(0.1 + logoHeight);
    const double headingsTop = build.customerBlock(std::max(companyEnd, kCustomerBarMinTop));
    const double rule = build.columnHeadings(headingsTop);
    report.m_signature = build.signature();
    build.footer();

    if (context.document.header.blnManualForm) {
        // No rows: the signature block, if any, sits just above the footer and the
        // space under the headings is left for writing.
        report.m_region = QRectF(0.3, kFooterTop - 0.2 - kSignatureHeight, 7.9, kSignatureHeight);
    } else {
        report.m_region = QRectF(0.3, rule + 0.05, 7.9, kFooterTop - 0.2 - rule);
    }
    return report;
}

QList<ReportPage> InvoiceReport::run(const RowFeed &feed) const
{
    QList<Band> bands;
    for (int row = 0; row < feed.rowCount(); ++row)
        bands.append(rowBands(feed, row));
    if (m_signature)
        bands.append(*m_signature);

    return layoutBands(m_region, bands, [this](ReportPage &page, int pageNumber, int pageCount) {
        page.append(m_template.items);
        page.add(Items::text(QStringLiteral("rvtxtInvPageNumber"), 5.8, 0.8, 2.4, kDataFont, kRight,
                             pageNumberText(pageNumber, pageCount)));
    });
}
