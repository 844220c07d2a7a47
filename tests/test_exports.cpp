#include "TestEnvironment.h"
#include "core/Edition.h"
#include "csv/CsvTable.h"
#include "printing/TmodPrintData.h"
#include "widgets/CsvFiles.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

namespace {

Csv::Writer rows(int count, const QString &text = QStringLiteral("value"))
{
    Csv::Writer writer({QStringLiteral("Name")});
    for (int i = 0; i < count; ++i)
        writer.addRow({text + QString::number(i)});
    return writer;
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

/// The process may write no file larger than \a bytes while it lives: a full disk,
/// as the program meets it.
class FullDisk
{
public:
    explicit FullDisk(rlim_t bytes)
        : m_handler(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit tiny = m_saved;
        tiny.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &tiny);
    }
    ~FullDisk()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_saved{};
    void (*m_handler)(int);
};

} // namespace

class TestExports : public QObject
{
    Q_OBJECT

private slots:
    void asksBeforeReplacingEveryFileItWrites()
    {
        TestSession s(Edition::Corvalo);
        const QString folder = s.folder.path();
        const QString first = folder + QStringLiteral("/Documents.csv");
        const QString second = folder + QStringLiteral("/Documents lines.csv");
        write(second, "older lines");
        const auto produce = [] { return QList<CsvFiles::ExportPart>{{{}, rows(2)}, {" lines", rows(1)}}; };

        // Only the second file exists; No keeps it and offers the name again.
        s.prompts.choices = {first};
        s.prompts.answers = {Prompts::No};
        QVERIFY(!CsvFiles::pExport(s.prompts, "Export Documents", "Documents", "none", produce));
        QCOMPARE(s.prompts.asked[1].kind, QStringLiteral("YesNo"));
        QVERIFY(s.prompts.asked[1].message.contains("Documents lines.csv\" already exists"));
        QCOMPARE(s.prompts.asked[1].preferred, Prompts::No);
        QCOMPARE(s.prompts.asked[2].kind, QStringLiteral("SaveFile"));
        QCOMPARE(contentOf(second), QByteArray("older lines"));
        QVERIFY(!QFile::exists(first));

        s.prompts.asked.clear();
        s.prompts.choices = {first};
        s.prompts.answers = {Prompts::Yes};
        QVERIFY(CsvFiles::pExport(s.prompts, "Export Documents", "Documents", "none", produce));
        QCOMPARE(Csv::parse(contentOf(first)).rowCount(), 2);
        QCOMPARE(Csv::parse(contentOf(second)).rowCount(), 1);
        QCOMPARE(s.prompts.lastMessage(),
                 QStringLiteral("Wrote 2 rows to \"%1\" and 1 row to \"%2\".").arg(first, second));
        QCOMPARE(s.prompts.unplanned, 1); // the file name offered again after No, cancelled
    }

    void aNameTypedWithoutItsSuffixIsTheNameChecked()
    {
        TestSession s(Edition::Corvalo);
        const QString existing = s.folder.path() + QStringLiteral("/Customers.csv");
        write(existing, "keep me");
        s.prompts.choices = {s.folder.path() + QStringLiteral("/Customers")};
        s.prompts.answers = {Prompts::No};
        QVERIFY(!CsvFiles::pExport(s.prompts, "Export Customers", "Customers", "none",
                                   [] { return QList<CsvFiles::ExportPart>{{{}, rows(3)}}; }));
        QVERIFY(s.prompts.messages("YesNo").first().contains("Customers.csv\" already exists"));
        QCOMPARE(contentOf(existing), QByteArray("keep me"));
        QCOMPARE(filesIn(s.folder.path()), QStringList{"Customers.csv"});
    }

    void aFullDiskLeavesNoFileBehindAndNamesIt()
    {
        TestSession s(Edition::Corvalo);
        const QString folder = s.folder.path() + QStringLiteral("/out dir");
        QVERIFY(QDir().mkpath(folder));
        const QString first = folder + QStringLiteral("/Big export.csv");
        const QString second = folder + QStringLiteral("/Big export lines.csv");
        write(first, "previous");

        const auto big = [] {
            return QList<CsvFiles::ExportPart>{{{}, rows(10)}, {" lines", rows(5000, "a long line value ")}};
        };
        s.prompts.choices = {first};
        s.prompts.answers = {Prompts::Yes};
        bool written = true;
        {
            FullDisk full(8192);
            written = CsvFiles::pExport(s.prompts, "Export", "Big export", "none", big);
        }
        QVERIFY(!written);
        const QString error = s.prompts.messages("Error").value(0);
        QVERIFY2(error.contains(QDir::toNativeSeparators(second)), qPrintable(error));
        // Neither file changed, no partial or empty file left.
        QCOMPARE(contentOf(first), QByteArray("previous"));
        QCOMPARE(filesIn(folder), QStringList{"Big export.csv"});

        // A folder that cannot be written (its parent is a file) is named as well.
        s.prompts.choices = {first + QStringLiteral("/inside.csv")};
        QVERIFY(!CsvFiles::pExport(s.prompts, "Export", "x", "none",
                                   [] { return QList<CsvFiles::ExportPart>{{{}, rows(1)}}; }));
        QVERIFY(s.prompts.messages("Error").last().contains("inside.csv"));

        // With room again both land.
        s.prompts.choices = {first};
        s.prompts.answers = {Prompts::Yes};
        QVERIFY(CsvFiles::pExport(s.prompts, "Export", "Big export", "none", big));
        QCOMPARE(Csv::parse(contentOf(second)).rowCount(), 5000);
    }

    void nothingToExportSaysSoAndWritesNoFile()
    {
        TestSession s(Edition::Corvalo);
        QVERIFY(!CsvFiles::pExport(s.prompts, "Export Documents", "Documents",
                                   "No documents are dated from 1/1/2025 to 12/31/2025; no file was written.",
                                   [] { return QList<CsvFiles::ExportPart>{{{}, rows(0)}, {" lines", rows(0)}}; }));
        QCOMPARE(s.prompts.asked.size(), 1);
        QCOMPARE(s.prompts.asked[0].kind, QStringLiteral("Information"));
        QVERIFY(s.prompts.lastMessage().startsWith("No documents are dated"));
        QCOMPARE(filesIn(s.folder.path()), QStringList());
    }

    void savingAPdfAsksBeforeReplacing()
    {
        TestSession s(Edition::Corvalo);
        s.start(QDate(2026, 12, 9));
        TrecInvHeader &h = s.context.document.header;
        h.strInvName = QStringLiteral("Invoice");
        h.intInvNumber = 77;
        TmodPrintData printing(s.context);
        const QString target = s.folder.path() + QStringLiteral("/Invoice 77.pdf");
        write(target, "older pdf");

        s.prompts.choices = {s.folder.path() + QStringLiteral("/Invoice 77")};
        s.prompts.answers = {Prompts::No};
        QVERIFY(!printing.pSaveAsPDF());
        QVERIFY(s.prompts.messages("YesNo").first().contains("Invoice 77.pdf\" already exists"));
        QCOMPARE(contentOf(target), QByteArray("older pdf"));

        s.prompts.choices = {target};
        s.prompts.answers = {Prompts::Yes};
        QVERIFY(printing.pSaveAsPDF());
        QVERIFY(contentOf(target).startsWith("%PDF-"));
    }
};

QTEST_MAIN(TestExports)
#include "test_exports.moc"
