#pragma once

#include <QString>

class QTextDocument;

/// Multi-line texts (notes, foot notes, contract, warranty) are stored with CR LF
/// between lines; editors work with LF.
namespace StoredText {

/// CR LF and lone CR become LF.
[[nodiscard]] QString toEditor(const QString &stored);
/// Every line break becomes CR LF.
[[nodiscard]] QString toStored(const QString &editorText);
/// The document's text exactly as typed (no-break spaces and line separators kept,
/// which QTextDocument::toPlainText() would turn into plain blanks and breaks), with
/// CR LF between paragraphs.
[[nodiscard]] QString fromDocument(const QTextDocument &document);

} // namespace StoredText
