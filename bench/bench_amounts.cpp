// Reading the amounts of a large price file: the decision on its decimal mark and
// the reading of every value, next to the bare cost of turning each text into a
// number once.

#include "BenchSupport.h"
#include "csv/CsvFields.h"

#include <QLocale>
#include <QRandomGenerator>

namespace {

constexpr int kRows = 200000;

QByteArray priceFile()
{
    QRandomGenerator random(27);
    QByteArray file = "Description;Labor Price;Material Price\n";
    for (int i = 0; i < kRows; ++i) {
        const auto amount = [&random] {
            return QByteArray::number(random.bounded(100000)) + ',' + QByteArray::number(random.bounded(100));
        };
        file += "Item " + QByteArray::number(i) + ';' + amount() + ';' + amount() + '\n';
    }
    return file;
}

} // namespace

int main(int argc, char **argv)
{
    readBenchOptions(argc, argv);
    const Csv::Table table = Csv::parse(priceFile());
    const QList<Csv::FieldSpec> fields = {{QStringLiteral("Description"), {}, Csv::ValueKind::Text},
                                          {QStringLiteral("Labor Price"), {}, Csv::ValueKind::Decimal},
                                          {QStringLiteral("Material Price"), {}, Csv::ValueKind::Decimal}};
    const Csv::Mapping mapping = Csv::matchColumns(table.headers, fields);
    const QLocale german(QStringLiteral("de_DE"));
    note("%d price rows", kRows);
    printHeading();

    // The bare cost: every amount cell split out and read once by the language.
    double sink = 0;
    const double bare = medianMs(5, [&](int) {
        for (qsizetype r = 0; r < table.rowCount(); ++r) {
            const QStringList cells = table.row(r);
            sink += german.toDouble(cells[1]) + german.toDouble(cells[2]);
        }
    });
    DecimalMark mark = DecimalMark::Point;
    const double decide = medianMs(5, [&](int) { mark = Csv::decideDecimalMark(table, fields, mapping, german).mark; });
    printRow("decimal mark decided from every value", decide, bare);
    qsizetype taken = 0;
    const double read = medianMs(5, [&](int) { taken = Csv::convert(table, fields, mapping, {mark}).rows.size(); });
    printRow("every row read with that mark", read, bare);
    note("%lld rows taken, amounts summing to %.0f", static_cast<long long>(taken), sink);
    return 0;
}
