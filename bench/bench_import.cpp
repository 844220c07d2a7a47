// Times the import of 10,000 customers as the user meets it: from the chosen file
// to the preview painted, and from Import to every row committed; next to the bare
// SQLite cost of inserting the same rows with one prepared statement. Then imports
// a 45 MB file and reports the memory it took next to the file's size.

#include "BenchSupport.h"
#include "context/AppContext.h"
#include "app/StartUp.h"
#include "core/Edition.h"
#include "csv/CsvTable.h"
#include "csv/CsvWriter.h"
#include "customers/CustomerTransfer.h"
#include "data/Database.h"
#include "data/SavingIndicator.h"
#include "widgets/TfrmImport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

constexpr int kCustomers = 10000;

QByteArray customerFile(int customers = kCustomers)
{
    QStringList headers;
    for (const Csv::FieldSpec &field : CustomerTransfer::fields())
        headers << field.caption;
    Csv::Writer writer(headers);
    for (int i = 0; i < customers; ++i) {
        const QString n = QString::number(i);
        writer.addRow({"Company " + n, "First" + n, "Last" + n, n + " Main Street, Apt \"B\"", "Springfield", "ST",
                       "12345", "555-0100", "Cell", "555-0101", "Fax", "555-0102", "TX-" + n, "No", "Net 30",
                       Csv::Cell::number(qint64(i % 20)), "Notes for customer " + n + "\nsecond line",
                       "c" + n + "@example.test"});
    }
    return writer.bytes();
}

void deleteImported(Database &db)
{
    db.exec(QStringLiteral("DELETE FROM tblCustomers WHERE intCustomerID > 3"));
}

/// The highest resident memory since the last reset, in MB; 0 where unknown.
double peakResidentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

/// Starts counting the peak afresh (Linux: "5" to clear_refs).
bool resetPeak()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    return refs.open(QIODevice::WriteOnly) && refs.write("5") == 1;
}

/// Imports a file of about 45 MB from the chosen file to every row committed and
/// reports the memory that took next to the size of the file.
void measureLargeImport(AppContext &context, const QString &folder)
{
    const QString file = QDir(folder).filePath(QStringLiteral("large.csv"));
    // About 198 bytes a customer.
    Csv::saveFile(file, customerFile(226000));
    const double fileMb = double(QFileInfo(file).size()) / (1024.0 * 1024.0);
    deleteImported(*context.openDatabase());
    const double before = residentMb();
    if (!resetPeak()) {
        note("import memory: the peak cannot be measured here");
        return;
    }
    {
        const Csv::Table table = Csv::readFile(file);
        CustomerTransfer::ImportJob job(context.databasePath(), context.locale);
        job.prepare(table, Csv::matchColumns(table.headers, job.fields()), {});
        const auto outcome = job.apply(Csv::ExistingRows::Skip, {});
        note("import of a %.1f MB file: %d customers added", fileMb, outcome ? outcome->added : 0);
    }
    const double used = peakResidentMb() - before;
    note("import of a %.1f MB file: %.1f MB of memory at most, %.2f times the file", fileMb, used, used / fileMb);
    deleteImported(*context.openDatabase());
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    qputenv("XDG_DATA_HOME", dir.path().toUtf8());
    SilentPrompts prompts;
    NoSavingIndicator saving;
    AppContext context(Edition::get(Edition::Corvalo), prompts, saving);
    StartUp::pStartUp(context, QDate::currentDate());

    const QString file = dir.filePath(QStringLiteral("customers.csv"));
    Csv::saveFile(file, customerFile());
    std::printf("%d customers, %.1f MB file\n", kCustomers, double(QFileInfo(file).size()) / 1e6);
    printHeading();

    const double preview = medianMs(3, [&](int) {
        const Csv::Table table = Csv::readFile(file);
        CustomerTransfer::ImportJob job(context.databasePath(), context.locale);
        TfrmImport dialog(job, table, file, prompts);
        dialog.show();
        QApplication::processEvents();
        dialog.repaint();
    });
    // The bare cost of the same step: the file's bytes read and the stored
    // customers it is compared with.
    const double bareRead = medianMs(3, [&](int) {
        QFile bytes(file);
        (void)bytes.open(QIODevice::ReadOnly);
        (void)bytes.readAll();
        const auto db = context.openDatabase();
        Statement q = db->prepare(QStringLiteral("SELECT * FROM tblCustomers"));
        while (q.step())
            (void)q.textAt(1);
    });
    printRow("file chosen -> preview painted", preview, bareRead);

    const Csv::Table table = Csv::readFile(file);
    QList<QStringList> rows;
    for (qsizetype r = 0; r < table.rowCount(); ++r)
        rows << table.row(r);
    CustomerTransfer::ImportJob job(context.databasePath(), context.locale);
    job.prepare(table, Csv::matchColumns(table.headers, job.fields()), {});
    const double import = medianMs(
        3, [&](int) { (void)job.apply(Csv::ExistingRows::Skip, [](int, int) { return true; }); },
        [&](int) { deleteImported(*context.openDatabase()); });
    const double bareInsert = medianMs(
        3,
        [&](int) {
            const auto db = context.openDatabase();
            Transaction tx(*db);
            Statement insert = db->prepare(QStringLiteral(
                "INSERT INTO tblCustomers(strCustFirstName,strCustLastName,strCustCompany,strCustAddress,"
                "strCustCity,strCustNotes,strCustEmail)VALUES(?,?,?,?,?,?,?)"));
            for (const QStringList &row : rows) {
                insert.bindAll(row[1], row[2], row[0], row[3], row[4], row[16], row[17]);
                insert.run();
                insert.reset();
            }
            tx.commit();
        },
        [&](int) { deleteImported(*context.openDatabase()); });
    printRow("Import -> all rows committed", import, bareInsert);
    measureLargeImport(context, dir.path());
    return 0;
}
