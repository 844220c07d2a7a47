// Older company files: read in the form they were written in whatever the desktop
// language, asked about when they read two ways, never written when newer, copied
// before every upgrade, upgraded once, and indexed like new files.

#include "FullDisk.h"
#include "TestEnvironment.h"
#include "app/StartUp.h"
#include "company/CompanySettings.h"
#include "core/Edition.h"
#include "data/BackupRestore.h"
#include "data/Database.h"
#include "data/DateText.h"
#include "data/DbError.h"
#include "data/SchemaUpgrade.h"
#include "core/Paths.h"
#include "data/StoredForm.h"
#include "data/UpgradeQuestions.h"
#include "data/WritingForm.h"
#include "editing/EditingSession.h"
#include "editing/TfrmInvoiceStored.h"
#include "invoice/DocumentStore.h"
#include "invoice/InvoiceLines.h"

#include <QAction>
#include <QCryptographicHash>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRandomGenerator>
#include <QTest>

namespace {

using OldStoredTexts::Kind;

const QDate kToday(2026, 12, 9);

QLocale locale(const char *name)
{
    return QLocale(QString::fromLatin1(name));
}

const QList<const char *> kLanguages = {"en_US", "en_GB", "de_DE", "fr_FR", "nl_NL", "sv_SE", "fi_FI", "es_ES", "C"};

const OldStoredTexts::Column &column(const QString &name)
{
    for (const OldStoredTexts::Column &c : OldStoredTexts::columns()) {
        if (c.column == name)
            return c;
    }
    qFatal("no such column");
}

/// A value as an older version wrote it under \a writer, and the stored form it means.
struct Written
{
    OldStoredTexts::Text text;
    QString meaning;
};

/// Texts of random documents written under \a writer, as the older version wrote them.
QList<Written> writeRandomDocuments(const QLocale &writer, int count, quint32 seed)
{
    QRandomGenerator random(seed);
    QList<Written> written;
    for (int i = 0; i < count; ++i) {
        const QDate date = QDate(1995, 1, 1).addDays(random.bounded(11000));
        const double total = double(random.bounded(200000000)) / 100.0;
        const double charge = double(random.bounded(500000)) / 1000.0;
        const QDateTime start = StoredForm::wallClock(date, QTime(random.bounded(24), random.bounded(60)));
        const QDateTime end = start.addSecs(random.bounded(3 * 86400));
        const QString row = QStringLiteral("Document %1").arg(500 + i);
        written.append({{&column(QStringLiteral("strInvDate")), i, row, DateText::shortDate(date, writer)},
                        StoredForm::dateText(date)});
        written.append({{&column(QStringLiteral("strInvTotal")), i, row, writer.toCurrencyString(total)},
                        StoredForm::amountText(total)});
        written.append({{&column(QStringLiteral("strExtraChargesLabor")), i, row, writer.toString(charge)},
                        StoredForm::amountText(charge)});
        written.append({{&column(QStringLiteral("strActStartDateTime")), i, row,
                         DateText::shortDateLongTime(start, writer)},
                        StoredForm::dateTimeText(start)});
        written.append({{&column(QStringLiteral("strActEndDateTime")), i, row,
                         DateText::shortDateLongTime(end, writer)},
                        StoredForm::dateTimeText(end)});
    }
    return written;
}

/// \a text written into \a columnName of row \a row, meaning \a meaning.
Written oldText(const char *columnName, qint64 row, const QString &text, const QString &meaning)
{
    return {{&column(QString::fromLatin1(columnName)), row, QStringLiteral("Row %1").arg(row), text}, meaning};
}

QList<OldStoredTexts::Text> textsOf(const QList<Written> &written)
{
    QList<OldStoredTexts::Text> texts;
    for (const Written &w : written)
        texts << w.text;
    return texts;
}

QList<std::optional<QString>> meaningsOf(const QList<Written> &written)
{
    QList<std::optional<QString>> meanings;
    for (const Written &w : written)
        meanings << w.meaning;
    return meanings;
}

/// One line of the fixtures' manifest: a stored text and what it means.
struct Expected
{
    QString file;
    QString table;
    QString column;
    QString row; // "intInvNumber=501 intActDayOfYear=276"
    QString stored;
    QString kind;
    QString meaning;
};

QString fixtureFolder()
{
    return QString::fromUtf8(TARNWICK_FIXTURES) + QStringLiteral("/previous-release");
}

QList<Expected> expectedOf(const QString &file)
{
    QFile manifest(fixtureFolder() + QStringLiteral("/expected.tsv"));
    if (!manifest.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("no manifest");
    QList<Expected> rows;
    const QStringList lines = QString::fromUtf8(manifest.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &line : lines.mid(1)) {
        const QStringList f = line.split(QLatin1Char('\t'));
        if (f.size() == 7 && f.at(0) == file)
            rows.append({f.at(0), f.at(1), f.at(2), f.at(3), f.at(4), f.at(5), f.at(6)});
    }
    return rows;
}

std::optional<Kind> kindOf(const QString &manifestKind)
{
    if (manifestKind == QLatin1String("date"))
        return Kind::Date;
    if (manifestKind == QLatin1String("datetime"))
        return Kind::DateTime;
    if (manifestKind == QLatin1String("currency"))
        return Kind::Currency;
    if (manifestKind == QLatin1String("decimal"))
        return Kind::Decimal;
    return std::nullopt;
}

/// The way of reading, among those a question offers, whose examples all mean what
/// the manifest says; -1 when none does.
int rightWay(const QString &message, const QList<Expected> &expected, const QLocale &shown)
{
    QHash<QString, QString> meant;
    for (const Expected &e : expected) {
        if (const std::optional<Kind> kind = kindOf(e.kind))
            meant.insert(e.stored, UpgradeQuestions::shownValue(*kind, e.meaning, shown));
    }
    // Each way is a "Read the ... way:" line and one indented "text is meaning" line per example.
    QList<bool> right;
    for (const QString &line : message.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("Read the "))) {
            right << true;
        } else if (line.startsWith(QLatin1String("    ")) && !right.isEmpty()) {
            const QString example = line.trimmed();
            const qsizetype is = example.lastIndexOf(QStringLiteral(" is "));
            right.last() = right.last() && meant.value(example.left(is)) == example.mid(is + 4);
        }
    }
    return int(right.indexOf(true));
}

/// The company at \a path as stored: the file's bytes, and every row of every table
/// (on the office server there is no file, and the rows are what a write would change).
QByteArray fileHash(const QString &path)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        hash.addData(file.readAll());
    Database db(path, Database::OpenMode::ReadOnly);
    QStringList tables;
    Statement names = db.prepare(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"));
    while (names.step())
        tables << names.textAt(0);
    for (const QString &table : tables) {
        Statement rows = db.prepare(QStringLiteral("SELECT * FROM %1 ORDER BY 1").arg(table));
        while (rows.step()) {
            for (int c = 0; c < rows.columnCount(); ++c)
                hash.addData(rows.textAt(c).toUtf8() + '\x1f');
        }
    }
    return hash.result();
}

/// Every table with its columns and rows, read as texts: what a copy of a company
/// must hold whichever engine it came from. Names are compared without case, as
/// both engines take them.
QStringList tablesAndRows(Database &db)
{
    QStringList tables;
    {
        Statement q = db.prepare(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' "
                                                "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'"));
        while (q.step())
            tables << q.textAt(0).toLower();
    }
    tables.sort();
    QStringList out;
    for (const QString &table : tables) {
        Statement q = db.prepare(QStringLiteral("SELECT * FROM %1").arg(table));
        QStringList columns;
        for (int c = 0; c < q.columnCount(); ++c)
            columns << q.columnName(c).toLower();
        QStringList rows;
        while (q.step()) {
            QStringList values;
            for (int c = 0; c < q.columnCount(); ++c)
                values << (q.isNullAt(c) ? QStringLiteral("<null>") : q.textAt(c));
            rows << values.join(QLatin1Char('|'));
        }
        rows.sort();
        out << table.toLower() + QLatin1Char('(') + columns.join(QLatin1Char(',')) + QLatin1Char(')');
        out << rows;
    }
    return out;
}

struct OlderFile : TestSession
{
    explicit OlderFile(int edition = Edition::Corvalo)
        : TestSession(edition)
    {
        start(kToday);
    }

    CurrentDocument &doc() { return context.document; }

    int save(QDate date, double price, const QString &kind = QStringLiteral("Invoice"))
    {
        DocumentStore store(context);
        doc().header.blnNewInvoice = true;
        store.pLoadInvoice();
        doc().header.strInvName = kind;
        doc().header.strInvDate = date;
        doc().header.strCustFullName = QStringLiteral("Zoë \"Quote\" O'Neil");
        PriceLine line;
        line.description = QStringLiteral("Work");
        line.quantity = 1.5;
        line.laborPrice = price;
        doc().lines.setPriceLines({line});
        return store.pSaveInvoice();
    }

    void open(int number)
    {
        doc().header.blnNewInvoice = false;
        doc().header.intInvNumber = number;
        DocumentStore(context).pLoadInvoice();
    }

    QString text(const QString &sql) const
    {
        const auto db = this->db();
        Statement q = db->prepare(sql);
        q.step();
        return q.textAt(0);
    }

    /// Makes the file what an older version left: no level, no indexes, and its
    /// dates, date-times and amounts in the forms the program wrote under \a writer.
    void age(const QLocale &writer, int level = 0)
    {
        const auto db = this->db();
        Statement indexes = db->prepare(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' "
                                                       "AND sql IS NOT NULL"));
        QStringList names;
        while (indexes.step())
            names << indexes.textAt(0);
        for (const QString &name : names)
            db->exec(QStringLiteral("DROP INDEX %1").arg(name));
        for (const OldStoredTexts::Text &text : OldStoredTexts::readAll(*db)) {
            QString old = text.text;
            switch (text.column->kind) {
            case Kind::Date:
                old = DateText::shortDate(*StoredForm::readDate(text.text), writer);
                break;
            case Kind::DateTime:
                old = DateText::shortDateLongTime(*StoredForm::readDateTime(text.text), writer);
                break;
            case Kind::Currency:
                old = writer.toCurrencyString(*StoredForm::readAmount(text.text));
                break;
            case Kind::Decimal:
                old = writer.toString(*StoredForm::readAmount(text.text));
                break;
            case Kind::Quantity:
                break;
            }
            const QString update = QStringLiteral("UPDATE %1 SET %2 = ? WHERE %3 = ?");
            db->prepare(update.arg(text.column->table, text.column->column, text.column->key()))
                .bindAll(old, text.rowId)
                .run();
        }
        if (level == 0)
            db->exec(QStringLiteral("DROP TABLE tblSchemaLevel"));
        else
            db->prepare(QStringLiteral("UPDATE tblSchemaLevel SET intSchemaLevel = ?")).bind(1, level).run();
    }

    /// Stores \a text as the date of document \a number, as no version of the program wrote it.
    void storeDateText(int number, const QString &text)
    {
        const auto db = this->db();
        db->prepare(QStringLiteral("UPDATE tblInvHeader SET strInvDate = ? WHERE intInvNumber = ?"))
            .bindAll(text, number)
            .run();
    }

    /// Starts again under \a language, answering choices with \a picks.
    bool restart(const QLocale &language, QList<int> picks = {})
    {
        context.locale = language;
        prompts.asked.clear();
        prompts.picks = picks;
        return StartUp::pStartUp(context, kToday);
    }

    [[nodiscard]] QStringList askedChoice() const { return prompts.messages(QStringLiteral("Choice")); }
};

} // namespace

class TestUpgrade : public QObject
{
    Q_OBJECT

private slots:
    void aWholeFileIsReadInTheFormItWasWrittenIn_data()
    {
        QTest::addColumn<QString>("writer");
        QTest::addColumn<QString>("current");
        for (const char *writer : kLanguages) {
            for (const char *current : kLanguages) {
                QTest::addRow("%s read under %s", writer, current)
                    << QString::fromLatin1(writer) << QString::fromLatin1(current);
            }
        }
    }

    void aWholeFileIsReadInTheFormItWasWrittenIn()
    {
        QFETCH(QString, writer);
        QFETCH(QString, current);
        const QList<Written> written = writeRandomDocuments(QLocale(writer), 60, qHash(writer));
        const FormDecision decision = decideWritingForm(textsOf(written), QLocale(current), kToday);
        // Random dates over thirty years leave no doubt about day and month order.
        QCOMPARE(decision.complete.size(), 1);
        for (qsizetype i = 0; i < written.size(); ++i) {
            QVERIFY2(decision.complete.first().values.at(i) == written.at(i).meaning,
                     qPrintable(QStringLiteral("'%1' read as '%2', meant '%3'")
                                    .arg(written.at(i).text.text, decision.complete.first().values.at(i).value_or("-"),
                                         written.at(i).meaning)));
        }
    }

    void datesThatReadTwoWaysAreNeverGuessed()
    {
        // Every day is 12 or less: British and American forms both read everything.
        QList<Written> written;
        for (const QDate date : {QDate(2026, 10, 3), QDate(2026, 12, 9), QDate(2026, 11, 1)}) {
            written.append(
                oldText("strInvDate", 1, DateText::shortDate(date, locale("en_GB")), StoredForm::dateText(date)));
        }
        for (const char *current : {"en_GB", "en_US", "de_DE"}) {
            const FormDecision decision = decideWritingForm(textsOf(written), locale(current), kToday);
            QCOMPARE(decision.complete.size(), 2);
            const bool truthOffered =
                std::any_of(decision.complete.cbegin(), decision.complete.cend(),
                            [&](const FileReading &r) { return r.values == meaningsOf(written); });
            QVERIFY2(truthOffered, current);
        }
        // One day after the 12th settles it for the whole file, the other dates included.
        written.append(oldText("strInvDate", 2, QStringLiteral("15/01/2027"), QStringLiteral("2027-01-15")));
        const FormDecision settled = decideWritingForm(textsOf(written), locale("en_US"), kToday);
        QCOMPARE(settled.complete.size(), 1);
        QCOMPARE(settled.complete.first().values, meaningsOf(written));

        // A decimal comma is read as the dates' language has it, never value by value.
        const QList<Written> charges = {
            oldText("strInvDate", 1, QStringLiteral("20.11.2026"), QStringLiteral("2026-11-20")),
            oldText("strExtraChargesLabor", 1, QStringLiteral("1,250"), QStringLiteral("1.25")),
            oldText("strExtraChargesMaterial", 1, QStringLiteral("1.250,5"), QStringLiteral("1250.5")),
        };
        const FormDecision german = decideWritingForm(textsOf(charges), locale("en_US"), kToday);
        QCOMPARE(german.complete.size(), 1);
        QCOMPARE(german.complete.first().values, meaningsOf(charges));
    }

    void implausibleReadingsDoNotCount()
    {
        // Read month first, every date reads, but an activity would end before it starts.
        QList<Written> span = {
            oldText("strActStartDateTime", 1, QStringLiteral("05/11/2026 08:00:00"),
                    QStringLiteral("2026-11-05T08:00:00")),
            oldText("strActEndDateTime", 1, QStringLiteral("03/12/2026 17:30:00"),
                    QStringLiteral("2026-12-03T17:30:00")),
        };
        const FormDecision decision = decideWritingForm(textsOf(span), locale("en_US"), kToday);
        QCOMPARE(decision.complete.size(), 1);
        QCOMPARE(decision.complete.first().values, meaningsOf(span));
        // One typed backwards under every form does not stop the file from reading.
        span.append(oldText("strActStartDateTime", 2, QStringLiteral("14/12/2026 08:00:00"),
                            QStringLiteral("2026-12-14T08:00:00")));
        span.append(
            oldText("strActEndDateTime", 2, QStringLiteral("14/12/2026"), QStringLiteral("2026-12-14T00:00:00")));
        const FormDecision typed = decideWritingForm(textsOf(span), locale("en_US"), kToday);
        QCOMPARE(typed.complete.size(), 1);
        QCOMPARE(typed.complete.first().values, meaningsOf(span));

        // Years out of reach read under no form; the best reading keeps them unread.
        const QList<Written> far = {
            oldText("strInvDate", 1, QStringLiteral("15/01/1899"), QString()),
            oldText("strInvDate", 2, QStringLiteral("15/01/2026"), QStringLiteral("2026-01-15")),
        };
        const FormDecision none = decideWritingForm(textsOf(far), locale("en_US"), kToday);
        QVERIFY(none.complete.isEmpty());
        QVERIFY(none.best);
        QCOMPARE(none.best->values.at(0), std::nullopt);
        QCOMPARE(none.best->values.at(1), QStringLiteral("2026-01-15"));
    }

    void anOlderFileOpensRightUnderEveryLanguage_data()
    {
        QTest::addColumn<QString>("writer");
        QTest::addColumn<QString>("reader");
        for (const char *writer : {"en_GB", "en_US", "de_DE", "fr_FR"}) {
            for (const char *reader : {"en_GB", "en_US", "de_DE", "fr_FR", "C"}) {
                if (qstrcmp(writer, reader) != 0)
                    QTest::addRow("%s under %s", writer, reader)
                        << QString::fromLatin1(writer) << QString::fromLatin1(reader);
            }
        }
    }

    void anOlderFileOpensRightUnderEveryLanguage()
    {
        QFETCH(QString, writer);
        QFETCH(QString, reader);
        OlderFile f;
        const int december = f.save(QDate(2026, 12, 9), 1234.5);
        const int january = f.save(QDate(2027, 1, 15), 10, QStringLiteral("Estimate"));
        const QString totals = f.text(QStringLiteral("SELECT group_concat(strInvTotal, '|') FROM tblInvHeader"));
        f.age(QLocale(writer));

        QVERIFY(f.restart(QLocale(reader)));
        QVERIFY(f.askedChoice().isEmpty());
        QCOMPARE(f.prompts.messages(QStringLiteral("Information")).size(), 1);
        QCOMPARE(f.text(QStringLiteral("SELECT group_concat(strInvTotal, '|') FROM tblInvHeader")), totals);
        f.open(december);
        QCOMPARE(f.doc().header.strInvDate, QDate(2026, 12, 9));
        f.open(january);
        QCOMPARE(f.doc().header.strInvDate, QDate(2027, 1, 15));
        QCOMPARE(f.text(QStringLiteral("SELECT COUNT(*) FROM tblUnreadValues")), QStringLiteral("0"));
        {
            const auto db = f.db();
            QCOMPARE(SchemaUpgrade::schemaLevel(*db), SchemaUpgrade::currentLevel());
        }

        // A second start finds nothing to do and says nothing.
        QVERIFY(f.restart(QLocale(writer)));
        QVERIFY(f.prompts.asked.isEmpty());
    }

    void filesOfThePreviousReleaseOpenRightUnderEveryLanguage_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("reader");
        const QStringList files = QDir(fixtureFolder()).entryList({QStringLiteral("*.db")}, QDir::Files);
        QVERIFY(files.size() >= 7);
        for (const QString &file : files) {
            for (const char *reader : {"en_GB", "en_US", "de_DE", "fr_FR", "C"})
                QTest::addRow("%s under %s", qPrintable(file), reader) << file << QString::fromLatin1(reader);
        }
    }

    void filesOfThePreviousReleaseOpenRightUnderEveryLanguage()
    {
        QFETCH(QString, file);
        QFETCH(QString, reader);
        const QList<Expected> expected = expectedOf(file);
        QVERIFY(!expected.isEmpty());
        TestSession s(file.startsWith(QLatin1String("heddrin")) ? Edition::Heddrin : Edition::Corvalo);
        s.context.locale = QLocale(reader);
        s.placeCompany(fixtureFolder() + QLatin1Char('/') + file);
        s.prompts.chooser = [&](const QString &message, const QStringList &) {
            return rightWay(message, expected, s.context.locale);
        };

        QVERIFY(StartUp::pStartUp(s.context, kToday));
        // Only a file whose every day is 12 or less may not tell by itself (its
        // currency may still tell), and then it is asked about once.
        const QStringList asked = s.prompts.messages(QStringLiteral("Choice"));
        QVERIFY(asked.size() <= (file.contains(QLatin1String("ambiguous")) ? 1 : 0));
        QCOMPARE(s.prompts.messages(QStringLiteral("Information")).size(), 1);

        // The copy kept before the upgrade holds the company as it was, on either engine.
        const QStringList copies = SchemaUpgrade::safetyCopyPaths(s.context.databasePath());
        QCOMPARE(copies.size(), 1);
        {
            Database copy(copies.first(), Database::OpenMode::ReadOnly);
            Database original(fixtureFolder() + QLatin1Char('/') + file, Database::OpenMode::ReadOnly);
            QCOMPARE(tablesAndRows(copy), tablesAndRows(original));
        }

        const auto db = s.db();
        QCOMPARE(SchemaUpgrade::schemaLevel(*db), SchemaUpgrade::currentLevel());
        QCOMPARE(db->queryInt(QStringLiteral("SELECT COUNT(*) FROM tblUnreadValues")), 0);
        for (const Expected &e : expected) {
            QString where = e.row;
            where.replace(QLatin1Char(' '), QStringLiteral(" AND "));
            Statement q = db->prepare(QStringLiteral("SELECT %1 FROM %2 WHERE %3").arg(e.column, e.table, where));
            QVERIFY2(q.step(), qPrintable(e.row));
            const QString what = QStringLiteral("%1 %2 %3: '%4'").arg(e.table, e.row, e.column, e.stored);
            if (e.kind == QLatin1String("date") || e.kind == QLatin1String("datetime"))
                QVERIFY2(q.textAt(0) == e.meaning, qPrintable(what + QStringLiteral(" became ") + q.textAt(0)));
            else
                QVERIFY2(qFuzzyCompare(q.doubleAt(0) + 1, e.meaning.toDouble() + 1),
                         qPrintable(what + QStringLiteral(" became ") + q.textAt(0)));
        }

        // Every document opens on its date, and its payment is dated with it.
        for (const Expected &e : expected) {
            if (e.table != QLatin1String("tblInvHeader") || e.column != QLatin1String("strInvDate"))
                continue;
            s.context.document.header.blnNewInvoice = false;
            s.context.document.header.intInvNumber = e.row.section(QLatin1Char('='), 1).toInt();
            DocumentStore(s.context).pLoadInvoice();
            QCOMPARE(StoredForm::dateText(s.context.document.header.strInvDate), e.meaning);
            for (const Payment &payment : s.context.document.payments)
                QCOMPARE(StoredForm::dateText(payment.date), e.meaning);
        }
    }

    void aFileThatReadsTwoWaysIsAskedAboutOnce()
    {
        // Australian dates put the day first, and its dollars read as American ones.
        const auto make = [](OlderFile &f) {
            f.save(QDate(2026, 10, 3), 10);
            f.save(QDate(2026, 12, 9), 20);
            f.db()->exec(QStringLiteral("DELETE FROM tblPlanner")); // the sample activities' days pass the 12th
            f.age(locale("en_AU"));
        };
        {
            OlderFile f;
            make(f);
            const QString path = f.context.databasePath();
            const QByteArray before = fileHash(path);
            QVERIFY(!f.restart(locale("en_US"), {-1}));
            QCOMPARE(f.askedChoice().size(), 1);
            QVERIFY2(f.askedChoice().first().contains(QStringLiteral("Is 3/10/2026 the 10th of March or the 3rd of "
                                                                    "October?")),
                     qPrintable(f.askedChoice().first()));
            QCOMPARE(fileHash(path), before); // left exactly as it was
            QVERIFY(SchemaUpgrade::safetyCopyPaths(path).isEmpty());
        }
        for (const int chosen : {0, 1}) {
            OlderFile f;
            make(f);
            QVERIFY(f.restart(locale("en_US"), {chosen}));
            QCOMPARE(f.askedChoice().size(), 1);
            const QString dates = f.text(QStringLiteral("SELECT group_concat(strInvDate, '|') FROM "
                                                        "(SELECT strInvDate FROM tblInvHeader ORDER BY intInvNumber) AS dates"));
            const QString dayFirst = QStringLiteral("2026-10-03|2026-12-09");
            QCOMPARE(dates, chosen == 1 ? dayFirst : QStringLiteral("2026-03-10|2026-09-12"));
        }
    }

    void valuesNoFormReadsAreKeptNotedAndMendedInTheEditor()
    {
        OlderFile f;
        const int good = f.save(QDate(2026, 11, 20), 10);
        const int bad = f.save(QDate(2026, 11, 21), 10);
        f.age(locale("de_DE"));
        f.storeDateText(bad, QStringLiteral("31.31.2026"));
        const QString path = f.context.databasePath();
        const QByteArray before = fileHash(path);
        QVERIFY(!f.restart(locale("en_US"), {-1}));
        QCOMPARE(fileHash(path), before);
        QVERIFY2(f.askedChoice().first().contains(QStringLiteral("Document %1, date: \"31.31.2026\"").arg(bad)),
                 qPrintable(f.askedChoice().first()));

        QVERIFY(f.restart(locale("en_US"), {0}));
        QCOMPARE(f.text(QStringLiteral("SELECT strInvDate FROM tblInvHeader WHERE intInvNumber = %1").arg(good)),
                 QStringLiteral("2026-11-20"));
        QCOMPARE(f.text(QStringLiteral("SELECT strRowName || '|' || strStoredText FROM tblUnreadValues")),
                 QStringLiteral("Document %1|31.31.2026").arg(bad));
        QVERIFY(f.prompts.messages(QStringLiteral("Information")).first().contains(QStringLiteral("31.31.2026")));

        // The document opens, without a date, and cannot be saved until one is entered.
        f.open(bad);
        QVERIFY(!f.doc().header.strInvDate.isValid());
        f.prompts.asked.clear();
        EditingSession session(f.context);
        session.open();
        QVERIFY(f.prompts.messages(QStringLiteral("Information")).first().contains(QStringLiteral("\"31.31.2026\"")));
        QVERIFY(!f.doc().header.strInvDate.isValid());
        session.documentEdited();
        QVERIFY(!session.canSave());
        session.setDate(QDate(2026, 11, 21));
        QVERIFY(session.canSave());
        QVERIFY(session.save());
        QCOMPARE(f.text(QStringLiteral("SELECT strInvDate FROM tblInvHeader WHERE intInvNumber = %1").arg(bad)),
                 QStringLiteral("2026-11-21"));
    }

    void theEditorShowsNoDateForADateThatDidNotRead()
    {
        OlderFile f;
        const int bad = f.save(QDate(2026, 11, 21), 10);
        f.age(locale("de_DE"));
        f.storeDateText(bad, QStringLiteral("31.31.2026"));
        QVERIFY(f.restart(locale("de_DE"), {0}));
        f.open(bad);
        f.prompts.asked.clear();
        TfrmInvoiceStored editor(f.context);
        editor.show();
        editor.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        QCOMPARE(f.prompts.messages(QStringLiteral("Information")).size(), 1);
        auto *date = editor.findChild<QDateEdit *>(QStringLiteral("dateTimePickerInvoice"));
        QCOMPARE(date->text().trimmed(), QString()); // blank, not today
        QAction *save = editor.findChild<QAction *>(QStringLiteral("actSave"));
        date->setFocus(Qt::TabFocusReason); // as the keyboard reaches it: the whole field is typed over
        QTest::keyClicks(date, QStringLiteral("21.11.2026"));
        QTest::keyClick(date, Qt::Key_Tab);
        QCOMPARE(f.doc().header.strInvDate, QDate(2026, 11, 21));
        QVERIFY(save->isEnabled());
    }

    void aNewerFileIsNeverWritten()
    {
        OlderFile f;
        f.save(QDate(2026, 11, 20), 10);
        const QString path = f.context.databasePath();
        {
            const auto db = f.db();
            db->exec(QStringLiteral("UPDATE tblSchemaLevel SET intSchemaLevel = 99, strProgramVersion = '9.0.0.0'"));
        }
        const QByteArray before = fileHash(path);
        try {
            (void)f.restart(locale("en_US"));
            QFAIL("a newer file was opened");
        } catch (const DbError &error) {
            QVERIFY2(error.message().contains(QStringLiteral("version 9.0.0.0")), qPrintable(error.message()));
            QVERIFY(error.message().contains(QStringLiteral("level 99")));
        }
        QCOMPARE(fileHash(path), before);

        // Nor restored over the live file.
        OlderFile live;
        live.save(QDate(2026, 11, 20), 10);
        const QString livePath = live.context.databasePath();
        const QByteArray liveBefore = fileHash(livePath);
        const QString backupFolder = live.folder.path() + QStringLiteral("/backup");
        QDir().mkpath(backupFolder);
        const QString backup = backupFolder + QLatin1Char('/') + QFileInfo(livePath).fileName();
        BackupRestore::copyDatabaseFile(path, backup);
        live.prompts.choices = {backup};
        QVERIFY(!CompanySettings::pRestoreCompanyData(live.context));
        QCOMPARE(fileHash(livePath), liveBefore);
        QVERIFY(live.prompts.lastMessage().contains(QStringLiteral("level 99")));
    }

    void everyUpgradeKeepsItsOwnDatedCopy()
    {
        OlderFile f;
        const QString path = f.context.databasePath();
        QStringList notices;
        for (int round = 0; round < 4; ++round) {
            {
                const auto db = f.db();
                db->prepare(QStringLiteral("UPDATE tblSchemaLevel SET intSchemaLevel = ?")).bind(1, 4).run();
            }
            QVERIFY(f.restart(locale("en_US")));
            notices << f.prompts.messages(QStringLiteral("Information"));
        }
        const QStringList copies = SchemaUpgrade::safetyCopyPaths(path);
        QCOMPARE(copies.size(), SchemaUpgrade::kSafetyCopies);
        QVERIFY2(notices.last().contains(QDir::toNativeSeparators(copies.first())), qPrintable(notices.last()));
        for (const QString &copy : copies) {
            QCOMPARE(QFileInfo(copy).fileName(), QFileInfo(path).fileName()); // Restore takes it as it is
            Database db(copy, Database::OpenMode::ReadOnly);
            QCOMPARE(SchemaUpgrade::schemaLevel(db), 4);
        }

        // Going back as the notice says: Restore from the copy.
        f.prompts.asked.clear();
        f.prompts.choices = {copies.first()};
        QVERIFY2(CompanySettings::pRestoreCompanyData(f.context), qPrintable(f.prompts.lastMessage()));
        const auto db = f.db();
        QCOMPARE(SchemaUpgrade::schemaLevel(*db), SchemaUpgrade::currentLevel());
        QCOMPARE(SchemaUpgrade::safetyCopyPaths(path).size(), SchemaUpgrade::kSafetyCopies);
    }

    void anUpgradeWhoseCopyCannotBeWrittenChangesNothing()
    {
        OlderFile f;
        f.save(QDate(2026, 11, 20), 10);
        const QString path = f.context.databasePath();
        f.db()->prepare(QStringLiteral("UPDATE tblSchemaLevel SET intSchemaLevel = ?")).bind(1, 4).run();
        const QStringList before = tablesAndRows(*f.db());
        {
            const FullDisk full(QStringLiteral("before-upgrade-"));
            try {
                (void)f.upgrade(kToday);
                QFAIL("upgraded without a copy of the company as it was");
            } catch (const DbError &error) {
                QVERIFY2(error.message().contains(QStringLiteral("full")), qPrintable(error.message()));
                if (TestCompanyOnServer::selected())
                    QVERIFY2(error.message().contains(QStringLiteral("not brought up to date")), qPrintable(error.message()));
            }
        }
        QCOMPARE(tablesAndRows(*f.db()), before);
        QVERIFY(QDir(QFileInfo(path).path()).entryList({QStringLiteral("before-upgrade-*")}, QDir::AllEntries).isEmpty());
        // With room again, the same upgrade goes through.
        QVERIFY(f.upgrade(kToday).upgraded());
        QCOMPARE(SchemaUpgrade::safetyCopyPaths(path).size(), 1);
    }

    void anUpgradeRunsOnceWhenTwoCopiesStartTogether()
    {
        OlderFile f;
        f.save(QDate(2026, 11, 20), 10);
        {
            const auto db = f.db();
            db->exec(QStringLiteral("DELETE FROM tblPayments; UPDATE tblInvHeader SET dbPaidAmount = 5"));
            db->prepare(QStringLiteral("UPDATE tblSchemaLevel SET intSchemaLevel = ?")).bind(1, 4).run();
        }
        const QString path = f.context.databasePath();
        // Both copies looked at the file before either upgraded it.
        const SchemaUpgrade::UpgradePlan first =
            SchemaUpgrade::planUpgrade(path, f.context.locale, f.prompts, SchemaUpgrade::Occasion::StartUp, kToday);
        const SchemaUpgrade::UpgradePlan second =
            SchemaUpgrade::planUpgrade(path, f.context.locale, f.prompts, SchemaUpgrade::Occasion::StartUp, kToday);
        const SchemaUpgrade::UpgradeContext context{f.context.edition(), f.context.locale};
        const SchemaUpgrade::UpgradeReport a = SchemaUpgrade::pUpgradeDataBase(path, context, first);
        const SchemaUpgrade::UpgradeReport b = SchemaUpgrade::pUpgradeDataBase(path, context, second);
        QVERIFY(a.upgraded());
        QVERIFY(!b.upgraded());
        QVERIFY(b.safetyCopyPath.isEmpty());
        QCOMPARE(SchemaUpgrade::safetyCopyPaths(path).size(), 1);
        QCOMPARE(f.text(QStringLiteral("SELECT COUNT(*) FROM tblPayments")), QStringLiteral("1"));
    }

    void upgradedFilesGetTheIndexesOfNewFiles()
    {
        const auto indexes = [](OlderFile &f) {
            return f.text(QStringLiteral("SELECT group_concat(name || ':' || sql, '\n') FROM (SELECT name, sql FROM "
                                         "sqlite_master WHERE type = 'index' AND sql IS NOT NULL ORDER BY name) AS i"));
        };
        for (const int edition : {int(Edition::Corvalo), int(Edition::Heddrin), int(Edition::Lunvard)}) {
            OlderFile fresh(edition);
            const QString built = indexes(fresh);
            QVERIFY(built.contains(QStringLiteral("UNIQUE INDEX")));
            OlderFile f(edition);
            f.age(locale("en_US"));
            QVERIFY(indexes(f).isEmpty());
            QVERIFY(f.restart(locale("en_US")));
            QCOMPARE(indexes(f), built);
        }
    }

    void documentsSharingANumberAreBothKept()
    {
        OlderFile f;
        const int first = f.save(QDate(2026, 11, 20), 10);
        f.save(QDate(2026, 11, 21), 20);
        f.age(locale("en_US"), 4);
        {
            const auto db = f.db();
            db->prepare(QStringLiteral("UPDATE tblInvHeader SET intInvNumber = ?, strInvName = 'Estimate' "
                                       "WHERE intInvNumber = ?"))
                .bindAll(first, first + 1)
                .run();
        }
        const int next = f.text(QStringLiteral("SELECT intInvNumber FROM tblCompanyInvData")).toInt();
        QVERIFY(f.restart(locale("en_US")));
        const QString notice = f.prompts.messages(QStringLiteral("Information")).first();
        QVERIFY2(notice.contains(QStringLiteral("is now number %1").arg(next)), qPrintable(notice));
        QCOMPARE(f.text(QStringLiteral("SELECT group_concat(strInvName || ' ' || intInvNumber, '|') FROM "
                                       "(SELECT * FROM tblInvHeader ORDER BY intInvDataHeaderID) AS headers")),
                 QStringLiteral("Invoice %1|Estimate %2").arg(first).arg(next));
        QCOMPARE(f.text(QStringLiteral("SELECT intInvNumber FROM tblCompanyInvData")).toInt(), next + 1);
        const auto db = f.db();
        QVERIFY_THROWS_EXCEPTION(DbError, db->prepare(QStringLiteral("UPDATE tblInvHeader SET intInvNumber = ?"))
                                              .bind(1, first)
                                              .run());
    }
};

QTEST_MAIN(TestUpgrade)
#include "test_upgrade.moc"
