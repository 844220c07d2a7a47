#include "PdfOutput.h"

#include "ReportError.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStorageInfo>

namespace PdfOutput {

namespace {

constexpr int kResolution = 1200;

QByteArray xmlEscaped(const QString &text)
{
    return text.toHtmlEscaped().toUtf8();
}

/// The same information as XMP metadata, which newer readers prefer to the
/// information dictionary.
QByteArray xmpMetadata(const PdfInfo &info)
{
    QByteArray xmp;
    xmp += "<?xpacket begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
           "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
           "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
           "<rdf:Description rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\""
           " xmlns:pdf=\"http://ns.adobe.com/pdf/1.3/\" xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\">\n";
    xmp += "<dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">" + xmlEscaped(info.title)
           + "</rdf:li></rdf:Alt></dc:title>\n";
    xmp += "<dc:creator><rdf:Seq><rdf:li>" + xmlEscaped(info.author) + "</rdf:li></rdf:Seq></dc:creator>\n";
    xmp += "<dc:description><rdf:Alt><rdf:li xml:lang=\"x-default\">" + xmlEscaped(info.subject)
           + "</rdf:li></rdf:Alt></dc:description>\n";
    xmp += "<pdf:Keywords>" + xmlEscaped(info.keywords) + "</pdf:Keywords>\n";
    xmp += "<pdf:Producer>" + xmlEscaped(info.producer) + "</pdf:Producer>\n";
    xmp += "<xmp:CreatorTool>" + xmlEscaped(info.creator) + "</xmp:CreatorTool>\n";
    xmp += "</rdf:Description>\n</rdf:RDF>\n</x:xmpmeta>\n<?xpacket end=\"w\"?>";
    return xmp;
}

/// A PDF text string: UTF-16 with a byte order mark, written in hexadecimal so no
/// character of the text needs escaping.
QByteArray pdfText(const QString &text)
{
    QByteArray utf16("\xFE\xFF", 2);
    for (const QChar c : text) {
        utf16 += char(c.unicode() >> 8);
        utf16 += char(c.unicode() & 0xff);
    }
    return '<' + utf16.toHex().toUpper() + '>';
}

/// Appends an update to \a pdf whose trailer points at a complete information
/// dictionary. QPdfWriter writes only Title, Creator and its own Producer.
QByteArray withInformation(QByteArray pdf, const PdfInfo &info)
{
    const qsizetype startXref = pdf.lastIndexOf("startxref");
    const qsizetype trailer = pdf.lastIndexOf("trailer");
    if (startXref < 0 || trailer < 0 || trailer > startXref)
        return pdf;
    const QString tail = QString::fromLatin1(pdf.mid(trailer));
    const auto size = QRegularExpression(QStringLiteral("/Size\\s+(\\d+)")).match(tail);
    const auto root = QRegularExpression(QStringLiteral("/Root\\s+(\\d+\\s+\\d+\\s+R)")).match(tail);
    const auto previous = QRegularExpression(QStringLiteral("startxref\\s+(\\d+)")).match(tail);
    if (!size.hasMatch() || !root.hasMatch() || !previous.hasMatch())
        return pdf;

    const QByteArray object = size.captured(1).toLatin1();
    if (!pdf.endsWith('\n'))
        pdf += '\n';
    const qsizetype objectOffset = pdf.size();
    pdf += object + " 0 obj\n<<\n";
    pdf += "/Title " + pdfText(info.title) + "\n";
    pdf += "/Author " + pdfText(info.author) + "\n";
    pdf += "/Subject " + pdfText(info.subject) + "\n";
    pdf += "/Keywords " + pdfText(info.keywords) + "\n";
    pdf += "/Creator " + pdfText(info.creator) + "\n";
    pdf += "/Producer " + pdfText(info.producer) + "\n";
    pdf += ">>\nendobj\n";
    const qsizetype xrefOffset = pdf.size();
    pdf += "xref\n" + object + " 1\n" + QByteArray::number(objectOffset).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size " + QByteArray::number(object.toLongLong() + 1) + " /Root " + root.captured(1).toLatin1()
           + " /Info " + object + " 0 R /Prev " + previous.captured(1).toLatin1() + " >>\n";
    pdf += "startxref\n" + QByteArray::number(xrefOffset) + "\n%%EOF\n";
    return pdf;
}

/// Why writing \a file failed, in the user's words. A full disk says so: the
/// system's own text for it is often no more than "Unknown error".
QString failureReason(const QFileDevice &file, const QString &fileName, qint64 needed)
{
    const QStorageInfo storage(QFileInfo(fileName).absolutePath());
    const bool noRoom = file.error() == QFileDevice::ResourceError
        || (storage.isValid() && storage.bytesAvailable() >= 0 && storage.bytesAvailable() < needed);
    return noRoom ? QStringLiteral("the disk is full.") : file.errorString();
}

} // namespace

QByteArray render(const ReportJob &job, const PageProgress &progress)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kResolution);
        writer.setPageSize(QPageSize(QPageSize::Letter));
        writer.setPageOrientation(QPageLayout::Portrait);
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(job.info.title);
        writer.setCreator(job.info.creator);
        writer.setDocumentXmpMetadata(xmpMetadata(job.info));

        QPainter painter(&writer);
        for (qsizetype i = 0; i < job.pages.size(); ++i) {
            if (i > 0)
                writer.newPage();
            if (progress && !progress(int(i + 1)))
                throw JobCancelled();
            PageRenderer::draw(painter, job.pages.at(i), kResolution);
        }
        painter.end();
    }
    return withInformation(buffer.data(), job.info);
}

void writeFile(const ReportJob &job, const QString &fileName, const PageProgress &progress)
{
    const QByteArray bytes = render(job, progress);
    QSaveFile file(fileName);
    const auto failure = [&] {
        return ReportError(QStringLiteral("The PDF file \"%1\" could not be written: %2")
                               .arg(QDir::toNativeSeparators(fileName), failureReason(file, fileName, bytes.size())));
    };
    if (!file.open(QIODevice::WriteOnly))
        throw failure();
    if (file.write(bytes) != bytes.size()) {
        const ReportError error = failure();
        file.cancelWriting();
        throw error;
    }
    if (!file.commit())
        throw failure();
}

} // namespace PdfOutput
