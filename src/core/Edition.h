#pragma once

#include <QString>
#include <QStringList>
#include <array>

/// The facts that set one edition apart from the others. Editions differ by this
/// data, never by forked code.
class Edition
{
public:
    enum Number { Corvalo = 1, Heddrin = 2, Ostrev = 3, Lunvard = 4 };

    /// The edition with \a number (1 to 4).
    static const Edition &get(int number);
    /// The edition whose lower-case name is \a name ("lunvard"), or nullptr.
    static const Edition *byName(const QString &name);

    [[nodiscard]] int GetEditionNumber() const { return m_number; }
    [[nodiscard]] const QString &GetEditionName() const { return m_name; }
    /// Editions 1 and 2: the ones with print preview.
    [[nodiscard]] bool IsFullEdition() const { return m_number == Corvalo || m_number == Heddrin; }
    [[nodiscard]] const QString &helpFileName() const { return m_helpFile; }
    /// The document kinds offered, in the order the editors list them.
    [[nodiscard]] const QStringList &invoiceTypes() const { return m_invoiceTypes; }
    /// Whether the edition has documents of \a kind; case is ignored.
    [[nodiscard]] bool offersKind(const QString &kind) const { return m_invoiceTypes.contains(kind, Qt::CaseInsensitive); }

    /// Documents and their lines are stored (all but Lunvard).
    [[nodiscard]] bool storesDocuments() const { return m_number != Lunvard; }
    /// The company can be kept on an office server instead of the file (all but
    /// Lunvard, which keeps its few numbers on this computer only).
    [[nodiscard]] bool offersOfficeServer() const { return m_number != Lunvard; }
    /// Documents are made of work sheets priced from 27 fixed items (Heddrin).
    [[nodiscard]] bool usesWorkSheets() const { return m_number == Heddrin; }
    /// Documents carry subtitles such as "Estimate Valid Until ..." (all but Lunvard).
    [[nodiscard]] bool showsSubtitles() const { return m_number != Lunvard; }
    /// The user decides per line whether labor and material are taxable (all but
    /// Lunvard, where the taxes chosen on the document apply to every line).
    [[nodiscard]] bool choosesLineTaxes() const { return m_number != Lunvard; }
    /// Change orders, customer discounts and extra phone lines, recurring invoices and
    /// the contract, warranty and signature print options (Corvalo and Heddrin).
    [[nodiscard]] bool hasFullDocumentFeatures() const { return IsFullEdition(); }
    /// A job can be billed as its work gets done, with retainage (Corvalo and Heddrin).
    [[nodiscard]] bool billsByProgress() const { return IsFullEdition(); }
    /// The customer and price windows keep lists to pick from (all but Lunvard,
    /// whose editor takes the customer and prices as typed).
    [[nodiscard]] bool keepsCustomerAndPriceLists() const { return m_number != Lunvard; }
    /// Documents print the company logo, the P.O. number and the customer's tax
    /// exempt number (all but Lunvard).
    [[nodiscard]] bool printsLogoAndReferences() const { return m_number != Lunvard; }
    /// The line grid's captions are spelled out ("Labor Price") rather than
    /// abbreviated ("LabPrice") (Corvalo).
    [[nodiscard]] bool spellsOutLineCaptions() const { return m_number == Corvalo; }

private:
    static const std::array<Edition, 4> &all();
    Edition(int number, QString name, QString helpFile, QStringList invoiceTypes);

    int m_number;
    QString m_name;
    QString m_helpFile;
    QStringList m_invoiceTypes;
};

/// Product constants shared by every edition.
namespace Product {
inline constexpr int kVersion[4] = {6, 1, 1, 1};
inline constexpr int kMaxWorkSheets = 30;
QString GetCompanyName();
QString GetProductTitle(const Edition &edition);
/// "6.1.1.1"
QString versionText();
} // namespace Product
