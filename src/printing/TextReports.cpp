#include "TextReports.h"

#include "BandLayout.h"
#include "ReportFonts.h"
#include "data/Database.h"

namespace TextReports {

namespace {

const ReportFont kFont{};

ReportParameters readTitleAndText(Database &db, const QString &columns, const QString &titleParameter,
                                  const QString &bodyParameter)
{
    Statement query = db.prepare(QStringLiteral("SELECT %1 FROM tblContractWarranty WHERE intContractWarrantyID = 1")
                                     .arg(columns));
    query.step();
    return {{titleParameter, query.textAt(0)}, {bodyParameter, query.textAt(1)}};
}

QList<ReportPage> titledText(const QString &title, const QString &body)
{
    const QRectF textBox(0.3, 0.8, 7.9, 9.6);
    const double lineHeight = ReportFonts::lineHeight(kFont);
    QList<Band> bands;
    for (const QString &line : ReportFonts::wrapLines(kFont, body, textBox.width()))
        bands.append(Band{lineHeight, {Items::text(QStringLiteral("rvtxtBody"), 0, 0, textBox.width(), kFont,
                                                   Qt::AlignLeft, line)}});

    return layoutBands(textBox, bands, [&title](ReportPage &page, int pageNumber, int pageCount) {
        page.add(Items::text(QStringLiteral("rvtxtTitle"), 0.3, 0.3, 7.9, kFont, Qt::AlignHCenter, title));
        page.add(Items::text(QStringLiteral("rvtxtPageNumber"), 5.7, 0.5, 2.5, kFont, Qt::AlignRight,
                             pageNumberText(pageNumber, pageCount)));
    });
}

} // namespace

ReportParameters pSetContractData(Database &db)
{
    return readTitleAndText(db, QStringLiteral("strContractName,strContract"), QStringLiteral("rvstrContractTitle"),
                            QStringLiteral("rvstrContractBody"));
}

ReportParameters pSetWarrantyData(Database &db)
{
    return readTitleAndText(db, QStringLiteral("strWarrantyName,strWarranty"), QStringLiteral("rvstrWarrantyTitle"),
                            QStringLiteral("rvstrWarrantyBody"));
}

QList<ReportPage> ReportContract(const ReportParameters &parameters)
{
    return titledText(parameters.value(QStringLiteral("rvstrContractTitle")),
                      parameters.value(QStringLiteral("rvstrContractBody")));
}

QList<ReportPage> ReportWarranty(const ReportParameters &parameters)
{
    return titledText(parameters.value(QStringLiteral("rvstrWarrantyTitle")),
                      parameters.value(QStringLiteral("rvstrWarrantyBody")));
}

} // namespace TextReports
