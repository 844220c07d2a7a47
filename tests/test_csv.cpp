#include "csv/CsvFields.h"
#include "csv/CsvTable.h"
#include "csv/CsvWriter.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace Csv;

class TestCsv : public QObject
{
    Q_OBJECT

private:
    static QString errorOf(const QByteArray &bytes, const Limits &limits = {})
    {
        try {
            (void)parse(bytes, limits);
        } catch (const CsvError &error) {
            return error.message();
        }
        return {};
    }

private slots:
    void readsQuotedFieldsAcrossMixedLineEnds()
    {
        const QByteArray bytes = "\xEF\xBB\xBF" "Name,Notes,City\r\n"
                                 "\"Doe, Jane\",\"She said \"\"hi\"\"\r\nand left\",Town\n"
                                 "\n"
                                 "Plain,,\"\"\r"
                                 "Last,x,y";
        const Table table = parse(bytes);
        QCOMPARE(table.headers, (QStringList{"Name", "Notes", "City"}));
        QCOMPARE(table.rowCount(), 3);
        QCOMPARE(table.row(0), (QStringList{"Doe, Jane", "She said \"hi\"\r\nand left", "Town"}));
        QCOMPARE(table.row(1), (QStringList{"Plain", "", ""}));
        QCOMPARE(table.row(2), (QStringList{"Last", "x", "y"}));
        // Spreadsheet rows: the blank line counts, the quoted line break does not.
        QCOMPARE(table.rowNumbers(), (QList<int>{2, 4, 5}));
    }

    void detectsSemicolonsAndCodePages()
    {
        const Table semicolons = parse("Name;Price\n\"a;b\";1,5\n");
        QCOMPARE(semicolons.row(0), (QStringList{"a;b", "1,5"}));

        // Without a byte order mark: valid UTF-8 stays UTF-8, anything else is taken
        // in a Western code page rather than refused.
        QCOMPARE(parse("Name\nD\xC3\xBCnn \xE2\x80\x93 \xE6\x97\xA5\n").row(0)[0], QStringLiteral("Dünn – 日"));
        QCOMPARE(parse("Name\nM\xFCller\n").row(0)[0], QStringLiteral("Müller"));

        QByteArray utf16("\xFF\xFE");
        const QString text = QStringLiteral("Name\r\nZoë\r\n");
        utf16.append(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
        QCOMPARE(parse(utf16).row(0)[0], QStringLiteral("Zoë"));
    }

    void refusesWhatCannotBeImported_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::newRow("not text") << QByteArray("PK\x03\x04\x00\x00binary", 12) << "not a text file";
        QTest::newRow("empty") << QByteArray() << "empty";
        QTest::newRow("header only") << QByteArray("Name,City\r\n\r\n") << "no rows under it";
        QTest::newRow("duplicate headers") << QByteArray("Name,City,name\nA,B,C\n") << "\"name\" is named twice";
        QTest::newRow("open quote") << QByteArray("Name\nok\n\"never closed\n") << "starts in row 3 never ends";
        QByteArray wide = "Name\n" + QByteArray(",").repeated(9999) + "\n";
        QTest::newRow("10,000 fields") << wide << "Row 2 has more than 1000 fields";
        QByteArray longField = "Name\n\"" + QByteArray(1000000, 'x') + "\"\n";
        QTest::newRow("million characters") << longField << "Row 2 has a field longer than 100000";
    }
    void refusesWhatCannotBeImported()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QVERIFY2(errorOf(bytes).contains(message), qPrintable(errorOf(bytes)));
    }

    void refusesAFileTooLargeBeforeReadingIt()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath("big.csv"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(100LL * 1024 * 1024));
        file.close();
        try {
            (void)readFile(file.fileName());
            QFAIL("a 100 MB file was read");
        } catch (const CsvError &error) {
            QVERIFY2(error.message().contains("at most 50.0 MB"), qPrintable(error.message()));
        }
    }

    void formulaApostrophes()
    {
        QCOMPARE(protectFormula("=SUM(A1)"), QStringLiteral("'=SUM(A1)"));
        QCOMPARE(protectFormula("-5 off"), QStringLiteral("'-5 off"));
        QCOMPARE(protectFormula("O'Brien"), QStringLiteral("O'Brien"));
        QCOMPARE(unprotectFormula("'@home"), QStringLiteral("@home"));
        QCOMPARE(unprotectFormula("'tis"), QStringLiteral("'tis"));
        QCOMPARE(unprotectFormula("'"), QStringLiteral("'"));
        // A text that itself starts with an apostrophe before such a character
        // comes back as it was.
        for (const QString &text : {QStringLiteral("'-x"), QStringLiteral("''=1"), QStringLiteral("'"),
                                    QStringLiteral("''"), QStringLiteral("'tis"), QStringLiteral("@")})
            QCOMPARE(unprotectFormula(protectFormula(text)), text);
    }

    void writtenRowsReadBackExactly()
    {
        const QList<QStringList> texts = {
            {"O'Brien \"Bob\"", "a,b;c", "two\r\nlines", " padded ", "=1+2"},
            {"+1 555 0101", "@user", "-dash", "日本 Dünn", ""},
        };
        Writer writer({"A", "B", "C", "D", "E", "Amount"});
        for (const QStringList &row : texts) {
            QList<Cell> cells(row.begin(), row.end());
            cells << Cell::number(-12.5);
            writer.addRow(cells);
        }
        QVERIFY(writer.bytes().startsWith("\xEF\xBB\xBF"));
        QVERIFY(writer.bytes().contains("'=1+2"));
        QVERIFY(writer.bytes().contains(",-12.5\r\n"));

        const Table table = parse(writer.bytes());
        QCOMPARE(table.rowCount(), texts.size());
        for (qsizetype r = 0; r < texts.size(); ++r) {
            for (qsizetype c = 0; c < texts[r].size(); ++c)
                QCOMPARE(unprotectFormula(table.row(r)[c]), texts[r][c]);
            QCOMPARE(table.row(r)[5], QStringLiteral("-12.5"));
        }
        QCOMPARE(Cell::number(0.1 + 0.2).text.toDouble(), 0.1 + 0.2);
        QCOMPARE(Cell::number(6.15).text, QStringLiteral("6.15"));
    }

    void generatedRowsReadBackInOrder()
    {
        // Rows are split again each time they are asked for: every field, any
        // separator or line end inside quotes, one-column rows that look blank.
        QRandomGenerator random(7);
        static const QStringList alphabet = {"a", "b", " ", ",", ";", "\"", "'", "\r", "\n", "\t", "=", "-", "@",
                                             QStringLiteral("\u00fc"), QStringLiteral("\u65e5"),
                                             QStringLiteral("\U0001F600")};
        for (const int columns : {1, 4}) {
            QStringList headers;
            for (int c = 0; c < columns; ++c)
                headers << QStringLiteral("Column %1").arg(c);
            Writer writer(headers);
            QList<QStringList> written;
            for (int r = 0; r < 300; ++r) {
                QStringList row;
                for (int c = 0; c < columns; ++c) {
                    QString field;
                    const int length = int(random.bounded(9));
                    for (int i = 0; i < length; ++i)
                        field += alphabet[int(random.bounded(int(alphabet.size())))];
                    row << field;
                }
                // A row of one blank field is no row at all.
                if (columns == 1 && row.first().trimmed().isEmpty())
                    row.first() = QStringLiteral("x");
                written << row;
                writer.addRow(QList<Cell>(row.begin(), row.end()));
            }
            const Table table = parse(writer.bytes());
            QCOMPARE(table.rowCount(), written.size());
            for (qsizetype r = written.size() - 1; r >= 0; --r) {
                QStringList back = table.row(r);
                for (QString &field : back)
                    field = unprotectFormula(field);
                QCOMPARE(back, written[r]);
            }
            QCOMPARE(table.rowNumbers().first(), 2);
        }
        // The limits hold for every row, not only the first.
        QByteArray wide = "A\n1\n";
        wide += QByteArray(20, ',') + "\n";
        QVERIFY(errorOf(wide, Limits{1 << 20, 10, 100}).startsWith("Row 3 has more than 10 fields"));
        QVERIFY(errorOf("A\n1\n" + QByteArray(101, 'x') + "\n", Limits{1 << 20, 10, 100})
                    .startsWith("Row 3 has a field longer than 100 characters"));
        // Characters, not bytes: 100 letters of two bytes each fit.
        QCOMPARE(parse("A\n" + QString(100, QChar(0xFC)).toUtf8() + "\n", Limits{1 << 20, 10, 100}).row(0)[0].size(),
                 100);
    }

    void saveFileReportsAFolderItCannotWrite()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("missing/out.csv");
        QVERIFY_THROWS_EXCEPTION(CsvError, saveFile(path, "x"));
        QVERIFY(!QFile::exists(path));
        saveFile(dir.filePath("out.csv"), "a,b\r\n");
        QFile written(dir.filePath("out.csv"));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), QByteArray("a,b\r\n"));
    }

    void matchesColumnsAndNamesEveryFaultyRow()
    {
        const QList<FieldSpec> fields = {
            {"Last Name", {"Surname", "Family Name"}, ValueKind::Text, 5},
            {"Zip Code", {"ZIP", "Postcode", "Postal Code"}, ValueKind::Text, 16},
            {"Customer Discount", {"Discount"}, ValueKind::WholeNumber, 0, 0, 100},
            {"Labor Price", {}, ValueKind::Decimal},
            {"Tax Exempt", {}, ValueKind::YesNo},
        };
        const Table table = parse("Post-code,SURNAME,Discount,labor price,Tax exempt,Other\n"
                                  "12345,Smith,10,\"12.50\",yes,x\n"
                                  "1,Longname,101,abc,maybe,y\n"
                                  "2,Ok,,,,z,extra\n");
        const Mapping mapping = matchColumns(table.headers, fields);
        QCOMPARE(mapping, (Mapping{1, 0, 2, 3, 4}));

        const Conversion result = convert(table, fields, mapping, {DecimalMark::Point});
        QCOMPARE(result.rows.size(), 1);
        QCOMPARE(result.rows[0].rowNumber, 2);
        QCOMPARE(result.rows[0].values,
                 (QVariantList{"Smith", "12345", qint64(10), 12.5, true}));
        QStringList faults;
        for (const RowProblem &p : result.problems)
            faults << QStringLiteral("%1 %2: %3").arg(p.rowNumber).arg(p.field, p.reason);
        QCOMPARE(faults, (QStringList{
                             "3 Last Name: too long for the field (8 characters, at most 5)",
                             "3 Customer Discount: 101 is not between 0 and 100",
                             "3 Labor Price: not a number with a decimal point: \"abc\"",
                             "3 Tax Exempt: not yes or no: \"maybe\"",
                             "4 : 7 fields, but the header row names 6",
                         }));
        const Table german = parse("Labor Price\n\"3,25\"\n");
        QCOMPARE(convert(german, {fields[3]}, {0}, {DecimalMark::Comma}).rows[0].values[0].toDouble(), 3.25);
    }
};

QTEST_GUILESS_MAIN(TestCsv)
#include "test_csv.moc"
