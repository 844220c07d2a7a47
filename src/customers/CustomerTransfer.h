#pragma once

#include "CustomerStore.h"
#include "csv/CsvFields.h"
#include "csv/CsvWriter.h"
#include "csv/ImportJob.h"

#include <QByteArray>
#include <QList>
#include <QLocale>
#include <optional>

class Database;

/// The customer list to and from CSV files.
namespace CustomerTransfer {

/// The fields of a customer in file order; their captions are the export's header.
enum Field {
    Company, FirstName, LastName, Address, City, State, ZipCode, MainPhone, ExtraPhone1Name, ExtraPhone1,
    ExtraPhone2Name, ExtraPhone2, TaxExemptNumber, TaxExempt, PaymentTerms, Discount, Notes, Email, FieldCount
};

[[nodiscard]] const QList<Csv::FieldSpec> &fields();

/// A row that can be imported, and the stored customer it matches (same name and
/// address, letter case and outer blanks aside), if any. Only where the row is
/// kept: its values are read again from the table when it is written, so a large
/// file is not held twice.
struct Candidate
{
    int rowNumber = 0;
    qsizetype tableRow = 0;
    /// Index into Preview::matched, or -1.
    int existing = -1;
};

/// What an import would do, shown before anything is written.
struct Preview
{
    QList<Candidate> rows;
    QList<Csv::RowProblem> problems;
    /// Which fields the file fills; the others are left as they are on an update.
    Csv::Mapping mapping;
    Csv::Table table;
    Csv::DecimalReading decimals;
    /// The stored customers rows match.
    QList<CustomerRecord> matched;

    [[nodiscard]] int matchCount() const;
    /// The customer \a candidate writes: the file's values over the stored ones it matches.
    [[nodiscard]] CustomerRecord customerOf(const Candidate &candidate) const;
};

/// Reads \a table through \a mapping and compares it with the stored customers. A
/// row without first name, last name and company is a problem ("empty name").
[[nodiscard]] Preview prepare(Database &db, const Csv::Table &table, const Csv::Mapping &mapping,
                              const Csv::DecimalReading &decimals);

/// Writes the rows of \a preview in ONE transaction: all or none. Nothing when the
/// progress answers false. Throws DbError (nothing written then either).
std::optional<Csv::ImportOutcome> apply(Database &db, const Preview &preview, Csv::ExistingRows existing,
                                        const Csv::ImportJob::Progress &progress = {});

/// Every stored customer, one row each, with a header of the field captions.
[[nodiscard]] Csv::Writer exportCsv(Database &db);

/// The customer import as the import dialog drives it.
class ImportJob final : public Csv::ImportJob
{
public:
    ImportJob(const QString &databasePath, const QLocale &locale);

    [[nodiscard]] QString title() const override;
    [[nodiscard]] const QList<Csv::FieldSpec> &fields() const override;
    [[nodiscard]] bool offersExistingChoice() const override { return true; }
    [[nodiscard]] const QLocale &locale() const override { return m_locale; }
    void prepare(const Csv::Table &table, const Csv::Mapping &mapping, const Csv::DecimalReading &decimals) override;
    [[nodiscard]] int takenCount() const override { return int(m_preview.rows.size()); }
    [[nodiscard]] int matchCount() const override { return m_preview.matchCount(); }
    [[nodiscard]] const QList<Csv::RowProblem> &problems() const override { return m_preview.problems; }
    std::optional<Csv::ImportOutcome> apply(Csv::ExistingRows existing, const Progress &progress) override;

private:
    QString m_databasePath;
    QLocale m_locale;
    Preview m_preview;
};

} // namespace CustomerTransfer
