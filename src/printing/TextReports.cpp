#include "TextReports.h"

#include "BandLayout.h"
#include "ReportFonts.h"
#include "data/Database.h"

#include <algorithm>

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

/// A heading of the text: a line of capitals on its own, its text right under it.
bool isHeading(const QStringList &lines, qsizetype i)
{
    const QString &line = lines.at(i);
    const bool capitals = std::any_of(line.cbegin(), line.cend(), [](QChar c) { return c.isLetter(); })
        && std::none_of(line.cbegin(), line.cend(), [](QChar c) { return c.isLower(); });
    return capitals && (i == 0 || lines.at(i - 1).isEmpty()) && !lines.value(i + 1).isEmpty();
}

QList<ReportPage> titledText(const QString &title, const QString &body)
{
    const QRectF textBox(0.3, 0.8, 7.9, 9.6);
    const double lineHeight = ReportFonts::lineHeight(kFont);
    const QStringList lines = ReportFonts::wrapLines(kFont, body, textBox.width());
    QList<Band> bands;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        Band band{lineHeight, {Items::text(QStringLiteral("rvtxtBody"), 0, 0, textBox.width(), kFont, Qt::AlignLeft,
                                           lines.at(i))}};
        band.keepWithNext = isHeading(lines, i);
        bands.append(band);
    }

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
