#include "CustomerTransfer.h"

#include "core/EmailAddresses.h"
#include "csv/CsvWriter.h"
#include "data/Database.h"

#include <QHash>

namespace CustomerTransfer {

namespace {

using Csv::FieldSpec;
using Csv::ValueKind;

/// Same name and address, letter case and outer blanks aside; the company stands
/// for the name of a customer who has only a company.
QString matchKey(const CustomerRecord &c)
{
    const auto fold = [](const QString &text) { return text.trimmed().toCaseFolded(); };
    const bool named = !fold(c.strCustFirstName).isEmpty() || !fold(c.strCustLastName).isEmpty();
    const QStringList parts = named ? QStringList{fold(c.strCustFirstName), fold(c.strCustLastName)}
                                    : QStringList{QString(), QString(), fold(c.strCustCompany)};
    return (parts + QStringList{fold(c.strCustAddress)}).join(QChar(0x1F));
}

/// The text members in field order; the three others are handled on their own.
QString CustomerRecord::*textMember(int field)
{
    switch (field) {
    case Company: return &CustomerRecord::strCustCompany;
    case FirstName: return &CustomerRecord::strCustFirstName;
    case LastName: return &CustomerRecord::strCustLastName;
    case Address: return &CustomerRecord::strCustAddress;
    case City: return &CustomerRecord::strCustCity;
    case State: return &CustomerRecord::strCustState;
    case ZipCode: return &CustomerRecord::strCustZipCode;
    case MainPhone: return &CustomerRecord::strCustMainPhone;
    case ExtraPhone1Name: return &CustomerRecord::strCustExtraPhone1Name;
    case ExtraPhone1: return &CustomerRecord::strCustExtraPhone1;
    case ExtraPhone2Name: return &CustomerRecord::strCustExtraPhone2Name;
    case ExtraPhone2: return &CustomerRecord::strCustExtraPhone2;
    case TaxExemptNumber: return &CustomerRecord::strCustTaxExmpNmbr;
    case PaymentTerms: return &CustomerRecord::strCustPmtTerms;
    case Notes: return &CustomerRecord::strCustNotes;
    case Email: return &CustomerRecord::strCustEmail;
    default: return nullptr;
    }
}

/// Puts the file's values into \a c; fields the file does not fill keep theirs.
void fill(CustomerRecord &c, const Csv::ValueRow &row, const Csv::Mapping &mapping)
{
    for (int f = 0; f < FieldCount; ++f) {
        if (mapping.value(f, -1) < 0)
            continue;
        if (QString CustomerRecord::*member = textMember(f))
            c.*member = row.text(f);
        else if (f == TaxExempt)
            c.strCustTaxExmpt = !row.isEmpty(f) && row.values[f].toBool();
        else if (f == Discount)
            c.intCustDiscount = row.isEmpty(f) ? 0 : int(row.values[f].toLongLong());
    }
}

} // namespace

const QList<FieldSpec> &fields()
{
    static const QList<FieldSpec> all = {
        {QStringLiteral("Company Name"), {"Company", "Business", "Organization"}, ValueKind::Text, 35},
        {QStringLiteral("First Name"), {"First", "Given Name", "Forename"}, ValueKind::Text, 20},
        {QStringLiteral("Last Name"), {"Last", "Surname", "Family Name"}, ValueKind::Text, 20},
        {QStringLiteral("Address"), {"Street", "Street Address", "Address 1", "Address Line 1"}, ValueKind::Text, 40},
        {QStringLiteral("City"), {"Town"}, ValueKind::Text, 25},
        {QStringLiteral("State"), {"Province", "Region", "County"}, ValueKind::Text, 25},
        {QStringLiteral("Zip Code"), {"ZIP", "Zip", "Postcode", "Postal Code", "Post Code"}, ValueKind::Text, 16},
        {QStringLiteral("Main Phone Number"), {"Phone", "Main Phone", "Phone Number", "Telephone", "Tel"},
         ValueKind::Text, 25},
        {QStringLiteral("Extra Phone 1 Name"), {}, ValueKind::Text, 12},
        {QStringLiteral("Extra Phone Number 1"), {"Extra Phone 1", "Phone 2"}, ValueKind::Text, 25},
        {QStringLiteral("Extra Phone 2 Name"), {}, ValueKind::Text, 12},
        {QStringLiteral("Extra Phone Number 2"), {"Extra Phone 2", "Phone 3"}, ValueKind::Text, 25},
        {QStringLiteral("Tax Exempt Number"), {"Tax Exemption Number"}, ValueKind::Text, 20},
        {QStringLiteral("Tax Exempt"), {}, ValueKind::YesNo},
        {QStringLiteral("Payment Terms"), {"Terms"}, ValueKind::Text, 25},
        {QStringLiteral("Customer Discount"), {"Discount", "Discount Percent"}, ValueKind::WholeNumber, 0, 0, 100},
        {QStringLiteral("Notes"), {"Note", "Comments"}, ValueKind::Text, 250},
        {QStringLiteral("E-mail"), {"Email", "E-mail Address", "Email Address", "Mail"}, ValueKind::Text, 254},
    };
    return all;
}

int Preview::matchCount() const
{
    return int(std::count_if(rows.begin(), rows.end(), [](const Candidate &c) { return c.existing >= 0; }));
}

CustomerRecord Preview::customerOf(const Candidate &candidate) const
{
    QList<Csv::RowProblem> none;
    const std::optional<Csv::ValueRow> row =
        Csv::convertRow(table, candidate.tableRow, fields(), mapping, decimals, none);
    CustomerRecord customer = candidate.existing >= 0 ? matched.at(candidate.existing) : CustomerRecord{};
    if (row)
        fill(customer, *row, mapping);
    return customer;
}

Preview prepare(Database &db, const Csv::Table &table, const Csv::Mapping &mapping, const Csv::DecimalReading &decimals)
{
    QHash<QString, CustomerRecord> stored;
    for (const CustomerRecord &c : CustomerStore::readAll(db))
        stored.insert(matchKey(c), c);
    QHash<qint64, int> matchedIndex;

    Preview preview;
    preview.mapping = mapping;
    preview.table = table;
    preview.decimals = decimals;
    for (qsizetype r = 0; r < table.rowCount(); ++r) {
        const std::optional<Csv::ValueRow> row =
            Csv::convertRow(table, r, fields(), mapping, decimals, preview.problems);
        if (!row)
            continue;
        CustomerRecord c;
        fill(c, *row, mapping);
        if (c.strCustFirstName.trimmed().isEmpty() && c.strCustLastName.trimmed().isEmpty()
            && c.strCustCompany.trimmed().isEmpty()) {
            preview.problems.append({row->rowNumber, QStringLiteral("Name"),
                                     QStringLiteral("empty name: no first name, last name or company")});
            continue;
        }
        if (const auto why = EmailAddresses::problem(c.strCustEmail)) {
            preview.problems.append({row->rowNumber, fields()[Email].caption, *why});
            continue;
        }
        Candidate candidate{row->rowNumber, r, -1};
        if (const auto found = stored.constFind(matchKey(c)); found != stored.cend()) {
            const auto known = matchedIndex.constFind(found->intCustomerID);
            if (known != matchedIndex.cend()) {
                candidate.existing = *known;
            } else {
                candidate.existing = int(preview.matched.size());
                matchedIndex.insert(found->intCustomerID, candidate.existing);
                preview.matched.append(*found);
            }
        }
        preview.rows.append(candidate);
    }
    Csv::sortByRow(preview.problems);
    return preview;
}

std::optional<Csv::ImportOutcome> apply(Database &db, const Preview &preview, Csv::ExistingRows existing,
                                        const Csv::ImportJob::Progress &progress)
{
    return Csv::writeRows(
        db, preview.rows, existing, [](const Candidate &row) { return row.existing >= 0; },
        [&](const Candidate &row) { CustomerStore::insertRow(db, preview.customerOf(row)); },
        [&](const Candidate &row) { CustomerStore::updateRow(db, preview.customerOf(row)); }, progress);
}

Csv::Writer exportCsv(Database &db)
{
    Csv::Writer writer(Csv::captions(fields()));
    for (const CustomerRecord &c : CustomerStore::readAll(db)) {
        QList<Csv::Cell> cells;
        for (int f = 0; f < FieldCount; ++f) {
            if (QString CustomerRecord::*member = textMember(f))
                cells << Csv::Cell(c.*member);
            else if (f == TaxExempt)
                cells << Csv::Cell(c.strCustTaxExmpt ? QStringLiteral("Yes") : QStringLiteral("No"));
            else
                cells << Csv::Cell::number(qint64(c.intCustDiscount));
        }
        writer.addRow(cells);
    }
    return writer;
}

ImportJob::ImportJob(const QString &databasePath, const QLocale &locale)
    : m_databasePath(databasePath)
    , m_locale(locale)
{
}

QString ImportJob::title() const
{
    return QStringLiteral("Import Customers");
}

const QList<Csv::FieldSpec> &ImportJob::fields() const
{
    return CustomerTransfer::fields();
}

void ImportJob::prepare(const Csv::Table &table, const Csv::Mapping &mapping, const Csv::DecimalReading &decimals)
{
    Database db(m_databasePath);
    m_preview = CustomerTransfer::prepare(db, table, mapping, decimals);
}

std::optional<Csv::ImportOutcome> ImportJob::apply(Csv::ExistingRows existing, const Progress &progress)
{
    Database db(m_databasePath);
    return CustomerTransfer::apply(db, m_preview, existing, progress);
}

} // namespace CustomerTransfer
