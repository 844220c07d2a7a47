#include "ReportFonts.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>
#include <QPaintDevice>
#include <QRegularExpression>
#include <QTextLayout>

namespace {

constexpr double kMeasureDpi = 1200;

/// A paint device at printer resolution that layouts measure against.
const QImage &measuringDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dotsPerMeter = qRound(kMeasureDpi / 0.0254);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return device;
}

QFont measuringFont(const ReportFont &font)
{
    return ReportFonts::qfont(font, kMeasureDpi, measuringDevice());
}

} // namespace

namespace ReportFonts {

QString resolvedFamily(const QString &family)
{
    static QHash<QString, QString> resolved;
    const auto known = resolved.constFind(family);
    if (known != resolved.constEnd())
        return *known;
    QString result = family;
    if (family.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0 && !QFontDatabase::hasFamily(family)
        && QFontDatabase::hasFamily(QStringLiteral("Liberation Sans")))
        result = QStringLiteral("Liberation Sans");
    resolved.insert(family, result);
    return result;
}

QFont qfont(const ReportFont &font, double dotsPerInch, const QPaintDevice &device)
{
    QFont result(resolvedFamily(font.family));
    // A point is drawn as logicalDpi / 72 device pixels; scale so it comes out as
    // dotsPerInch / 72 instead.
    result.setPointSizeF(font.pointSize * dotsPerInch / device.logicalDpiY());
    result.setBold(font.bold);
    result.setHintingPreference(QFont::PreferNoHinting);
    result.setStyleStrategy(QFont::PreferAntialias);
    return result;
}

double lineHeight(const ReportFont &font)
{
    // Asked for every text item of every page; a report uses only a few fonts.
    static QHash<QString, double> known;
    const QString key = font.family + QLatin1Char('/') + QString::number(font.pointSize) + (font.bold ? "b" : "");
    const auto found = known.constFind(key);
    if (found != known.constEnd())
        return *found;
    const double height = QFontMetricsF(measuringFont(font), &measuringDevice()).lineSpacing() / kMeasureDpi;
    known.insert(key, height);
    return height;
}

double textWidth(const ReportFont &font, const QString &text)
{
    return QFontMetricsF(measuringFont(font), &measuringDevice()).horizontalAdvance(text) / kMeasureDpi;
}

ReportFont fittedFont(const ReportFont &font, const QString &text, double width, double smallestPointSize)
{
    ReportFont fitted = font;
    while (fitted.pointSize - 0.5 >= smallestPointSize && textWidth(fitted, text) > width)
        fitted.pointSize -= 0.5;
    return fitted;
}

QString elided(const ReportFont &font, const QString &text, double width)
{
    const QFontMetricsF metrics(measuringFont(font), &measuringDevice());
    return metrics.elidedText(text, Qt::ElideRight, width * kMeasureDpi);
}

QStringList memoLines(const QString &text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    if (text.isEmpty())
        return {};
    QStringList lines = text.split(lineBreak);
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QStringList wrapLines(const ReportFont &font, const QString &text, double width)
{
    const QFont measured = measuringFont(font);
    const double widthPx = width * kMeasureDpi;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);

    QStringList result;
    for (const QString &paragraph : memoLines(text)) {
        if (paragraph.isEmpty()) {
            result.append(QString());
            continue;
        }
        QTextLayout layout(paragraph, measured, &measuringDevice());
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(widthPx);
            // The blanks a line was broken at are not printed at its end.
            QString piece = paragraph.mid(line.textStart(), line.textLength());
            while (!piece.isEmpty() && piece.back().isSpace())
                piece.chop(1);
            result.append(piece);
        }
        layout.endLayout();
    }
    return result;
}

} // namespace ReportFonts
