#include "CompanyLogo.h"

#include "data/FileError.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace CompanyLogo {

QString fileFilter()
{
    return QStringLiteral("All (*.jpg *.jpeg *.bmp *.JPG *.JPEG *.BMP)");
}

QImage readPicture(const QString &path)
{
    const bool bitmap = QFileInfo(path).suffix().toUpper() == QLatin1String("BMP");
    QImageReader reader(path, bitmap ? "BMP" : "JPG");
    reader.setAutoTransform(true);
    const QImage picture = reader.read();
    if (picture.isNull()) {
        throw FileError(QStringLiteral("\"%1\" cannot be read as a %2 picture: %3")
                            .arg(QFileInfo(path).fileName(), bitmap ? QStringLiteral("bitmap") : QStringLiteral("JPEG"),
                                 reader.errorString()));
    }
    if (!picture.hasAlphaChannel())
        return picture.convertToFormat(QImage::Format_RGB32);
    QImage opaque(picture.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    QPainter painter(&opaque);
    painter.drawImage(0, 0, picture);
    return opaque;
}

QImage readStored(const QString &logoPath)
{
    if (!QFileInfo(logoPath).isFile())
        return {};
    QImageReader reader(logoPath, "JPG");
    return reader.read();
}

} // namespace CompanyLogo
