#pragma once

#include <QImage>
#include <QString>

/// The company logo picture kept beside the database as "CmpLogo.jpg".
namespace CompanyLogo {

/// The filter of the picture open dialog.
QString fileFilter();

/// Reads a picture chosen by the user: ".bmp" files (any letter case) as bitmaps,
/// everything else as JPEG. Transparent parts are put on white, as a JPEG cannot
/// keep them. Throws FileError when the file is not such a picture.
[[nodiscard]] QImage readPicture(const QString &path);

/// Reads the stored logo; a null image when there is none or it cannot be read.
[[nodiscard]] QImage readStored(const QString &logoPath);

} // namespace CompanyLogo
