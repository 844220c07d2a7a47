#include "StoredText.h"

#include <QTextDocument>

namespace StoredText {

QString toEditor(const QString &stored)
{
    QString text = stored;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QString toStored(const QString &editorText)
{
    return toEditor(editorText).replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

QString fromDocument(const QTextDocument &document)
{
    return document.toRawText().replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
}

} // namespace StoredText
