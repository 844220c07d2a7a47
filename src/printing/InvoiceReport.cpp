#include "InvoiceReport.h"

#include "InvoiceRowFeed.h"
#include "ReportError.h"
#include "ReportFonts.h"
#include "app/AppContext.h"
#include "app/Edition.h"
#include "app/Paths.h"
#include "invoice/DocumentKinds.h"

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
std::optional<QImage> documentLogo(const AppContext &context)
{
    if (DocumentKinds::is(context.document.header.strInvName, DocumentKinds::kWorkOrder)
        || context.edition().GetEditionNumber() == Edition::Lunvard)
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
        first.items.append(Items::cell(column.component, column.left, 0, column.width, kDataFont, kLeft, value));
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
    return bands;
}

} // namespace

InvoiceReport InvoiceReport::pSetInvoiceData(const AppContext &context)
{
    const TrecInvHeader &header = context.document.header;
    const CompanyRecord &company = context.company;
    const TrecCmpnyInvData &settings = company.invData;
    const bool blankForm = header.blnManualForm;
    const bool lunvard = context.edition().GetEditionNumber() == Edition::Lunvard;
    const bool pricesShown = InvoiceRows::pricesShown(header.strInvName, settings);

    InvoiceReport report;
    ReportParameters &p = report.m_parameters;
    ReportPage &page = report.m_template;

    QColor kindColor = DocumentKinds::colorOf(header.strInvName, company);
    if (!kindColor.isValid())
        kindColor = Qt::black;

    double logoHeight = 0;
    if (const std::optional<QImage> logo = documentLogo(context)) {
        logoHeight = settings.strLargeLogo ? 1.3 : 0.7;
        const double width = std::min(kMaxLogoWidth, logoHeight * logo->width() / logo->height());
        page.add(ImageItem{QStringLiteral("rvBitmapLogo"), QRectF(0.3, 0.1, width, logoHeight), *logo});
    }

    p[QStringLiteral("rvstrInvNameNumber")] = header.strInvName + QLatin1Char(' ') + QString::number(header.intInvNumber);
    p[QStringLiteral("rvstrInvDate")] = header.strInvDate;
    p[QStringLiteral("rvstrInvValidFor")] =
        blankForm ? QString()
                  : DocumentKinds::GetInvoiceTitle({header.strInvName, header.strInvDate, header.strFromInvNameNumber},
                                                   settings.intNumEstDays, context.edition(), context.locale);
    TextItem name = Items::text(QStringLiteral("rvtxtInvName"), 4.5, 0.1, 3.7, kNameFont, kRight,
                                p.value(QStringLiteral("rvstrInvNameNumber")));
    name.color = kindColor;
    page.add(name);
    page.add(Items::text(QStringLiteral("rvtxtInvDate"), 5.8, 0.4, 2.4, kDataFont, kRight,
                         p.value(QStringLiteral("rvstrInvDate"))));
    page.add(Items::text(QStringLiteral("rvtxtInvValidFor"), 5.8, 0.6, 2.4, kDataFont, kRight,
                         p.value(QStringLiteral("rvstrInvValidFor"))));

    double r = 0.1 + logoHeight;
    for (const CompanyLine &line : companyLines(company.company)) {
        if (!line.printed)
            continue;
        page.add(Items::text(QLatin1String(line.component), 0.3, r, 3.5, kDataFont, kLeft, line.text));
        r += kStep;
    }
    r = std::max(r, kCustomerBarMinTop);

    page.add(Items::bar(QStringLiteral("rvrecCustTop"), QRectF(0.3, r, 7.9, 0.05), kindColor));
    r += 0.1;
    const double customerTop = r;

    page.add(Items::text(QStringLiteral("rvtxtCustPmtTermsHdng"), 4.8, customerTop + 0.2, 1.9, kDataFont, kLeft,
                         QStringLiteral("Payment Terms")));
    page.add(Items::frame(QStringLiteral("rvrecCustPmtTerms"), QRectF(4.8, customerTop + 0.39, 3.4, 0.2)));
    page.add(Items::text(QStringLiteral("rvtxtCustPOHdng"), 4.8, customerTop + 0.6, 1.4, kDataFont, kLeft,
                         lunvard ? QString() : QStringLiteral("P.O. Number")));
    page.add(Items::text(QStringLiteral("rvtxtCustTaxEmptNumberHdng"), 6.5, customerTop + 0.6, 1.5, kDataFont, kLeft,
                         lunvard ? QString() : QStringLiteral("Tax Exempt Number")));
    if (!lunvard) {
        page.add(Items::frame(QStringLiteral("rvrecCustPO"), QRectF(4.8, customerTop + 0.79, 1.7, 0.2)));
        page.add(Items::frame(QStringLiteral("rvrecCustTaxEmptNumber"), QRectF(6.5, customerTop + 0.79, 1.7, 0.2)));
    }
    page.add(Items::cell(QStringLiteral("rvtxtCustPmtTerms"), 4.9, customerTop + 0.4, 3.2, kDataFont, kLeft,
                         header.strCustPymntTerms));
    page.add(Items::cell(QStringLiteral("rvtxtCustPO"), 4.9, customerTop + 0.8, 1.5, kDataFont, kLeft,
                         blankForm ? QString() : header.strCustPONumber));
    page.add(Items::cell(QStringLiteral("rvtxtCustTaxEmptNumber"), 6.6, customerTop + 0.8, 1.5, kDataFont, kLeft,
                         blankForm ? QString() : header.strCustTaxExemptNum));

    const QStringList customerComponents = {
        QStringLiteral("rvtxtCustComp"),      QStringLiteral("rvtxtCustName"),        QStringLiteral("rvtxtCustAddress"),
        QStringLiteral("rvtxtCustCityStateZip"), QStringLiteral("rvtxtCustMainPhone"), QStringLiteral("rvtxtCustExtraPhone1"),
        QStringLiteral("rvtxtCustExtraPhone2")};
    const QStringList customerValues = {header.strCustCmpnyName,   header.strCustFullName,    header.strCustAddress,
                                        header.strCustCtyStZp,     header.strCustMainPhone,   header.strCustExtraPhone1,
                                        header.strCustExtraPhone2};
    // A blank form prints grey captions to write beside instead of the customer.
    const QStringList formCaptions = {QStringLiteral("Company Name"), QStringLiteral("Name"),
                                      QStringLiteral("Address"),      QStringLiteral("City,State Zip"),
                                      QStringLiteral("Main Phone"),   QStringLiteral("Extra Phone 1"),
                                      QStringLiteral("Extra Phone 2")};
    for (int i = 0; i < customerComponents.size(); ++i) {
        TextItem line = Items::text(customerComponents.at(i), 0.5, r, 3.2, kDataFont, kLeft,
                                    blankForm ? formCaptions.at(i) : customerValues.at(i));
        if (blankForm) {
            line.color = kSilver;
            if (i < customerComponents.size() - 1)
                page.add(Items::horizontalLine(QStringLiteral("CustomerLine"), 0.5, r + kStep - 0.03, 3.0, kSilver));
        }
        page.add(line);
        r += kStep;
    }

    page.add(Items::bar(QStringLiteral("rvrecCustBottom"), QRectF(0.3, r, 7.9, 0.05), kindColor));
    r += kStep;

    QStringList headings(3); // right, middle, left
    const QList<InvoiceRows::Value> shown = InvoiceRows::shownValues(header.strInvName, settings);
    for (int i = 0; i < shown.size(); ++i) {
        switch (shown.at(i)) {
        case InvoiceRows::Value::Total:
            headings[i] = QStringLiteral("Total");
            break;
        case InvoiceRows::Value::PriceEach:
            headings[i] = QStringLiteral("Price Each");
            break;
        case InvoiceRows::Value::Quantity:
            headings[i] = QStringLiteral("Quantity");
            break;
        }
    }
    page.add(Items::text(QStringLiteral("rvtxtDescriptionHdng"), 0.3, r, 7.9, kDataFont, kLeft,
                         QStringLiteral("Price Item Description")));
    page.add(Items::text(QStringLiteral("rvtxtLeftHdng"), 4.8, r, 1.1, kDataFont, kLeft, headings[2]));
    page.add(Items::text(QStringLiteral("rvtxtMiddleHdng"), 5.9, r, 1.1, kDataFont, kLeft, headings[1]));
    page.add(Items::text(QStringLiteral("rvtxtRightHdng"), 7.0, r, 1.2, kDataFont, kLeft, headings[0]));
    r += kStep;
    page.add(Items::horizontalLine(QStringLiteral("rvhlineItems"), 0.3, r, 7.9));

    p[QStringLiteral("rvstrAcceptanceInfo")] = settings.strAcceptanceInfo;
    if (header.blnAddSignatureLine)
        report.m_signature = signatureBand(settings.strAcceptanceInfo, settings.AccptColor);

    p[QStringLiteral("rvstrInvFootNotes")] = context.document.print.strInvFootNotes;
    page.add(Items::bar(QStringLiteral("rvrecFooter"), QRectF(0.3, kFooterTop, 7.9, 0.05), kindColor));
    page.add(Items::memo(QStringLiteral("rvtxtInvFootNotes"), QRectF(0.3, 9.4, 3.1, 1.0), kDataFont,
                         p.value(QStringLiteral("rvstrInvFootNotes"))));

    const TrecPrintData &print = context.document.print;
    const bool amountsPrinted = !blankForm && pricesShown;
    const bool discounted = header.intCustDiscountPercent > 0;
    struct Amount
    {
        const char *heading;
        QString headingText;
        const char *box;
        const char *text;
        const char *parameter;
        QString value;
    };
    const QList<Amount> amounts = {
        {"DepositPaid",
         DocumentKinds::isDepositKind(header.strInvName) ? QStringLiteral("Deposit Amount") : QStringLiteral("Amount Paid"),
         "rvrecDepositPaid", "rvtxtDepositPaid", "rvstrDepositPaid", print.strDepositPaid},
        {"SubTotal", QStringLiteral("Sub Total"), "rvrecSubTotal", "rvtxtSubTotal", "rvstrSubTotal", print.strSubTotal},
        {"Tax", QStringLiteral("Tax Total"), "rvrecTax", "rvtxtTax", "rvstrTax", print.strTax},
        {"Discount", discounted ? QStringLiteral("Discount") : QString(), "rerecDiscount", "rvtxtDiscount",
         "rvstrDiscount", discounted ? print.strDiscount : QString()},
        {"Total", header.strInvName + QStringLiteral(" Total"), "rvrecTotal", "rvtxtTotal", "rvstrTotal",
         print.strTotal},
    };
    for (int i = 0; i < amounts.size(); ++i) {
        const Amount &amount = amounts.at(i);
        const double top = 9.39 + 0.2 * i;
        const QString headingParameter = QStringLiteral("rvstr%1Hdng").arg(QLatin1String(amount.heading));
        p[headingParameter] = amount.headingText;
        p[QLatin1String(amount.parameter)] = amountsPrinted ? amount.value : QString();
        page.add(Items::text(QStringLiteral("rvtxt%1Hdng").arg(QLatin1String(amount.heading)), 3.7, top, 2.7,
                             kTotalsFont, kRight, p.value(headingParameter)));
        page.add(Items::frame(QLatin1String(amount.box), QRectF(6.5, top, 1.7, 0.21)));
        page.add(Items::cell(QLatin1String(amount.text), 6.6, top, 1.6, kTotalsFont, kLeft,
                             p.value(QLatin1String(amount.parameter))));
    }

    if (blankForm)
        report.m_region = QRectF(0.3, kFooterTop - 0.2 - kSignatureHeight, 7.9, kSignatureHeight);
    else
        report.m_region = QRectF(0.3, r + 0.05, 7.9, kFooterTop - 0.2 - r);
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
