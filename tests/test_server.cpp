#include "TestEnvironment.h"
#include "core/Edition.h"
#include "core/Paths.h"
#include "data/BackupRestore.h"
#include "data/BusyPolicy.h"
#include "data/DbError.h"
#include "data/Schema.h"
#include "data/Database.h"
#include "data/OfficeServer.h"
#include "data/PgConnection.h"
#include "data/PgSql.h"
#include "data/ServerCopy.h"
#include "data/ServerLayout.h"
#include "data/TextSearch.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTest>

namespace {

/// A company path of a private data folder, reached on the test server.
struct ServerCompany
{
    TestDataFolder folder;
    TestCompanyOnServer onServer{Edition::Corvalo};
    QString path = Paths::GetDataBasePath(Edition::get(Edition::Corvalo));
    QString filePath = folder.path() + QStringLiteral("/company.db");
};

const QStringList kLetters = {
    QStringLiteral("a"), QStringLiteral("B"), QStringLiteral("z"), QStringLiteral("Ü"), QStringLiteral("ü"),
    QStringLiteral("ß"), QStringLiteral("Σ"), QStringLiteral("σ"), QStringLiteral("ς"), QStringLiteral("İ"),
    QStringLiteral("ı"), QStringLiteral("\u212A"), QStringLiteral("Ж"), QStringLiteral("ж"), QStringLiteral("É"),
    QStringLiteral("é"), QStringLiteral("%"), QStringLiteral("_"), QStringLiteral("\\"), QStringLiteral("'"),
    QStringLiteral("\""), QStringLiteral(" "), QStringLiteral("😀"), QStringLiteral("Ǆ"), QStringLiteral("ǅ"),
};

QString randomText(QRandomGenerator &random, int maxLength)
{
    QString text;
    const int length = 1 + int(random.bounded(maxLength));
    for (int i = 0; i < length; ++i)
        text += kLetters[int(random.bounded(qsizetype(kLetters.size())))];
    return text;
}

// What a case-insensitive prefix search must find, worked out without any engine.
QStringList expectedMatches(const QStringList &names, const QString &typed)
{
    QStringList found;
    for (const QString &name : names) {
        if (name.toCaseFolded().startsWith(typed.toCaseFolded()))
            found << name;
    }
    found.sort();
    return found;
}

QStringList search(Database &db, const QString &typed)
{
    Statement q = db.prepare(QStringLiteral("SELECT strName FROM tblNames WHERE fold(strName) LIKE ? ESCAPE '\\'"));
    q.bind(1, TextSearch::prefixPattern(typed));
    QStringList found;
    while (q.step())
        found << q.textAt(0);
    found.sort();
    return found;
}

// What a company's copy to the server brings along, for tables made here by hand.
void installEngineFunctions(Database &server)
{
    for (const QString &sql : PgSql::engineFunctions())
        server.server()->runPlain(sql);
}

/// One company's place on both engines: a new file, and the server with the
/// functions a company copied there brings along.
struct BothEngines
{
    BothEngines() { installEngineFunctions(server); }

    ServerCompany company;
    Database file{company.filePath, Database::OpenMode::CreateFile};
    Database server{company.path};
};

qint64 count(Database &db, const QString &table)
{
    return db.queryInt(QStringLiteral("SELECT count(*) FROM %1").arg(table));
}

// Texts of up to mostPieces + 1 random pieces each: the odd inputs a stored text may hold.
QStringList generatedTexts(QRandomGenerator &random, const QStringList &pieces, int count, int mostPieces)
{
    QStringList texts;
    for (int i = 0; i < count; ++i) {
        QString text;
        for (int n = int(random.bounded(mostPieces)); n >= 0; --n)
            text += pieces[int(random.bounded(qsizetype(pieces.size())))];
        texts << text;
    }
    return texts;
}

// The same texts, in the order given, in a table tblTexts of each database.
void storeTexts(std::initializer_list<Database *> databases, const QStringList &texts)
{
    for (Database *db : databases) {
        db->exec(QStringLiteral("CREATE TABLE tblTexts(intTextID INTEGER PRIMARY KEY, strText TEXT)"));
        Transaction tx(*db);
        Statement insert = db->prepare(QStringLiteral("INSERT INTO tblTexts VALUES(?, ?)"));
        for (qsizetype i = 0; i < texts.size(); ++i) {
            insert.reset();
            insert.bindAll(qint64(i), texts.at(i)).run();
        }
        tx.commit();
    }
}

} // namespace

class TestServer : public QObject
{
    Q_OBJECT

private slots:
    void addressesReadAsTheClientLibraryWritesThem()
    {
        QString error;
        const auto full = OfficeServer::fromAddress(
            QStringLiteral("postgresql://anna@office-pc:5433/b%C3%BCcher?sslmode=require"), error);
        QVERIFY2(full, qPrintable(error));
        QCOMPARE(full->host, QStringLiteral("office-pc"));
        QCOMPARE(full->port, 5433);
        QCOMPARE(full->database, QStringLiteral("bücher"));
        QCOMPARE(full->user, QStringLiteral("anna"));
        QCOMPARE(full->sslMode, QStringLiteral("require"));
        // Every part may stand in the query instead, a socket folder as the host.
        const auto inQuery = OfficeServer::fromAddress(
            QStringLiteral("postgres:///?host=/tmp/x%20y/socket&user=o%27brien&dbname=books&port=6000"), error);
        QVERIFY2(inQuery, qPrintable(error));
        QCOMPARE(inQuery->host, QStringLiteral("/tmp/x y/socket"));
        QCOMPARE(inQuery->user, QStringLiteral("o'brien"));
        QCOMPARE(inQuery->database, QStringLiteral("books"));
        QCOMPARE(inQuery->port, 6000);
        for (const char *refused : {"", "http://anna@x/books", "postgresql://x/books", "postgresql://anna@x/",
                                    "postgresql://anna@x/a/b", "postgresql://anna@x/books?port=5x",
                                    "postgresql://anna@x/books?port=70000", "postgresql:///books?host=/tmp"}) {
            error.clear();
            QVERIFY2(!OfficeServer::fromAddress(QString::fromUtf8(refused), error), refused);
            QVERIFY2(!error.isEmpty(), refused);
        }
    }

    void searchesFindTheSameRowsOnBothEngines()
    {
        BothEngines engines;
        Database &file = engines.file;
        Database &server = engines.server;
        QRandomGenerator random(20261209);
        QStringList names;
        for (int i = 0; i < 300; ++i)
            names << randomText(random, 8);
        for (Database *db : {&file, &server}) {
            db->exec(QStringLiteral("CREATE TABLE tblNames(strName TEXT)"));
            Transaction tx(*db);
            Statement insert = db->prepare(QStringLiteral("INSERT INTO tblNames VALUES(?)"));
            for (const QString &name : names) {
                insert.reset();
                insert.bind(1, name).run();
            }
            tx.commit();
        }
        for (int i = 0; i < 200; ++i) {
            // A prefix of a stored name in another letter case, or a random text.
            const QList<uint> letters = names[int(random.bounded(qsizetype(names.size())))].toUcs4();
            const qsizetype kept = 1 + random.bounded(letters.size());
            QString typed = QString::fromUcs4(reinterpret_cast<const char32_t *>(letters.constData()), kept);
            typed = random.bounded(2) ? typed.toUpper() : typed.toLower();
            if (random.bounded(4) == 0)
                typed = randomText(random, 3);
            const QStringList expected = expectedMatches(names, typed);
            QCOMPARE(search(file, typed), expected);
            QCOMPARE(search(server, typed), expected);
        }
    }

    void foldingMatchesTheProgramForEveryCasedLetter()
    {
        BothEngines engines;
        Database &file = engines.file;
        Database &server = engines.server;
        // Every letter with a case mapping, alone and inside names whose other letters
        // take each way the server's fold has (ASCII only, non-ASCII, the dotted I).
        QStringList texts{QString(), QStringLiteral("ASCII Only"), QStringLiteral("İSTANBUL Ölçü")};
        for (char32_t c = 1; c <= 0x10FFFF; ++c) {
            if (c >= 0xD800 && c <= 0xDFFF)
                continue;
            if (QChar::toLower(c) == c && QChar::toUpper(c) == c && QChar::toTitleCase(c) == c
                && QChar::toCaseFolded(c) == c)
                continue;
            const QString letter = QString::fromUcs4(&c, 1);
            texts << letter << QStringLiteral("Ab") + letter + QStringLiteral("ÿZ") << QStringLiteral("x") + letter
                  << QStringLiteral("İ") + letter;
        }
        storeTexts({&file, &server}, texts);
        const auto foldsAsTheProgram = [&](Database &db) {
            Statement q = db.prepare(QStringLiteral("SELECT strText, fold(strText) FROM tblTexts ORDER BY intTextID"));
            int rows = 0;
            while (q.step()) {
                const QString text = q.textAt(0);
                QVERIFY2(q.isNullAt(1) == q.isNullAt(0), qPrintable(text));
                QVERIFY2(q.textAt(1) == text.toCaseFolded(),
                         qPrintable(QStringLiteral("%1 (U+%2) gave %3").arg(text, QString::number(text.toUcs4().value(0), 16), q.textAt(1))));
                ++rows;
            }
            QCOMPARE(rows, texts.size());
        };
        foldsAsTheProgram(file);
        foldsAsTheProgram(server);
        if (QTest::currentTestFailed())
            return;

        // What the server was found to do is kept beside the function; a kept finding
        // that no longer holds for the server's collation is asked anew, never trusted.
        PgConnection &connection = *server.server();
        connection.runPlain(QStringLiteral(
            "DO $x$ DECLARE c jsonb := obj_description('fold(text)'::regprocedure, 'pg_proc')::jsonb; BEGIN "
            "IF c IS NOT NULL THEN EXECUTE format('COMMENT ON FUNCTION fold(text) IS %L', (c || jsonb_build_object("
            "'version', 'an older one', 'from', 'abc', 'to', 'xyz', 'risky', ''))::text); END IF; END $x$"));
        installEngineFunctions(server);
        foldsAsTheProgram(server);
        if (QTest::currentTestFailed())
            return;

        // Another company in the database takes the finding kept by this one.
        const auto text = [&server](const QString &sql) {
            Statement q = server.prepare(sql);
            q.step();
            return q.textAt(0);
        };
        const QString first = text(QStringLiteral("SELECT current_schema()"));
        connection.runPlain(QStringLiteral("CREATE SCHEMA tarnwick_fold_second"));
        auto dropSecond = qScopeGuard([&] {
            connection.runPlain(QStringLiteral("SET search_path TO %1").arg(first));
            connection.runPlain(QStringLiteral("DROP SCHEMA tarnwick_fold_second CASCADE"));
        });
        connection.runPlain(QStringLiteral("SET search_path TO tarnwick_fold_second, %1").arg(first));
        installEngineFunctions(server);
        QCOMPARE(text(QStringLiteral("SELECT count(*) FROM pg_proc WHERE proname = 'fold' AND "
                                     "pronamespace = 'tarnwick_fold_second'::regnamespace")),
                 QStringLiteral("1"));
        foldsAsTheProgram(server);
    }

    void unionsReadInOrderKeepTheirRows()
    {
        BothEngines engines;
        Database &file = engines.file;
        Database &server = engines.server;
        QRandomGenerator random(20261212);
        for (Database *db : {&file, &server}) {
            db->exec(QStringLiteral("CREATE TABLE tblRows(intRowID INTEGER PRIMARY KEY, strDue TEXT, intNumber "
                                    "INTEGER, strKind TEXT)"));
            db->exec(QStringLiteral("CREATE INDEX idxRowsDue ON tblRows(strDue, intNumber) WHERE strKind = 'a'"));
        }
        const QStringList kinds{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
        for (Database *db : {&file, &server}) {
            Transaction tx(*db);
            Statement insert = db->prepare(QStringLiteral("INSERT INTO tblRows VALUES(?, ?, ?, ?)"));
            QRandomGenerator same(random);
            for (int i = 1; i <= 400; ++i) {
                insert.reset();
                const QString due = QStringLiteral("2026-%1-%2")
                                        .arg(1 + same.bounded(12), 2, 10, QLatin1Char('0'))
                                        .arg(1 + same.bounded(28), 2, 10, QLatin1Char('0'));
                insert.bindAll(qint64(i), due, qint64(same.bounded(1000)), kinds[int(same.bounded(3))]).run();
            }
            tx.commit();
        }
        const QString halves = QStringLiteral(
            "SELECT strDue, intNumber, 'x'' UNION ALL SELECT 1 ORDER BY 1 LIMIT 1' FROM tblRows WHERE strKind = 'a' "
            "UNION ALL SELECT strDue, intNumber, strKind FROM tblRows WHERE strKind = 'b' AND intNumber IN (SELECT "
            "intNumber FROM tblRows WHERE strKind = 'c' UNION ALL SELECT 5 ORDER BY 1 LIMIT 300) ");
        const QStringList statements{
            halves + QStringLiteral("ORDER BY 1, 2, 3 LIMIT ?"),
            halves + QStringLiteral("ORDER BY 1 DESC, 2 DESC, 3 LIMIT ?"),
            halves + QStringLiteral("UNION ALL SELECT strDue, intNumber, strKind FROM tblRows WHERE intNumber < ? "
                                    "ORDER BY 2, 1, 3 LIMIT ?1"),
            // Not moved into the halves: a plain UNION, an OFFSET, names for columns.
            QStringLiteral("SELECT strDue FROM tblRows WHERE strKind = 'a' UNION SELECT strDue FROM tblRows "
                           "ORDER BY 1 LIMIT ?"),
            halves + QStringLiteral("ORDER BY 1, 2, 3 LIMIT ? OFFSET 3"),
            QStringLiteral("SELECT strDue AS d, intNumber FROM tblRows WHERE strKind = 'a' UNION ALL SELECT strDue, "
                           "intNumber FROM tblRows WHERE strKind = 'b' ORDER BY d, 2 LIMIT ?"),
        };
        for (const QString &sql : statements) {
            for (const qint64 limit : {qint64(0), qint64(1), qint64(7), qint64(1000)}) {
                QStringList onFile;
                QStringList onServer;
                for (auto [db, rows] : {std::pair{&file, &onFile}, std::pair{&server, &onServer}}) {
                    Statement q = db->prepare(sql);
                    q.bind(1, limit);
                    while (q.step()) {
                        QStringList row;
                        for (int c = 0; c < q.columnCount(); ++c)
                            row << q.textAt(c);
                        *rows << row.join(QLatin1Char('|'));
                    }
                }
                QVERIFY2(onServer == onFile, qPrintable(QStringLiteral("%1 with %2").arg(sql).arg(limit)));
                QVERIFY(limit == 0 || !onFile.isEmpty());
            }
        }
    }

    void textsAndNumbersReadBackAsStored()
    {
        ServerCompany company;
        Database server(company.path);
        installEngineFunctions(server);
        server.exec(QStringLiteral("CREATE TABLE tblValues(intID INTEGER PRIMARY KEY, strText TEXT, dbAmount REAL, "
                                   "intCount INTEGER)"));
        const QString hostile = QStringLiteral("Robert'); DROP TABLE tblValues;-- \"Zoë\" ? $1 \\ 😀");
        server.prepare(QStringLiteral("INSERT INTO tblValues(strText, dbAmount, intCount) VALUES(?,?,?)"))
            .bindAll(hostile, 0.1 + 0.2, qint64(9007199254740993))
            .run();
        QCOMPARE(server.lastInsertRowId(), qint64(1));
        Statement q = server.prepare(QStringLiteral("SELECT strText, dbAmount, intCount, ? FROM tblValues "
                                                    "WHERE strText = ?"));
        q.bindAll(QStringLiteral("?"), hostile);
        QVERIFY(q.step());
        QCOMPARE(q.textAt(0), hostile);
        QCOMPARE(q.doubleAt(1), 0.1 + 0.2);
        QCOMPARE(q.int64At(2), qint64(9007199254740993));
        QCOMPARE(q.textAt(3), QStringLiteral("?"));
        QCOMPARE(q.columnName(0), QStringLiteral("strText"));
        QVERIFY(q.isNumberAt(1));
        QVERIFY(!q.isNumberAt(0));
        QVERIFY(!q.step());
        // A single-row query that finds nothing reads as 0 and empty text, as on the file.
        QCOMPARE(q.int64At(0), 0);
        QCOMPARE(q.textAt(0), QString());
    }

    void numbersReadFromTextsAsOnTheFile()
    {
        BothEngines engines;
        Database &file = engines.file;
        Database &server = engines.server;
        QRandomGenerator random(20261210);
        const QStringList pieces{QStringLiteral(" "), QStringLiteral("-"), QStringLiteral("+"), QStringLiteral("."),
                                 QStringLiteral("e"), QStringLiteral("x"), QStringLiteral("Invoice "),
                                 QStringLiteral("'"), QStringLiteral("ö"), QStringLiteral("0"), QStringLiteral("7"),
                                 QStringLiteral("42")};
        const QStringList texts = QStringList{QString(), QStringLiteral("Invoice 512"),
                                              QStringLiteral("99999999999999999999")} +
                                  generatedTexts(random, pieces, 300, 5);
        storeTexts({&file, &server}, texts);
        // Nested, beside quotes holding the word, and around a function with a quoted argument.
        const QString sql = QStringLiteral(
            "SELECT strText, CAST(strText AS INTEGER), CAST(strText AS REAL), 'CAST(x AS INTEGER)', "
            "CAST(substr(strText, length(rtrim(strText, '0123456789 ')) + 1) AS INTEGER), CAST(CAST(strText AS "
            "REAL) AS INTEGER) FROM tblTexts ORDER BY strText, 2, 3");
        Statement onFile = file.prepare(sql);
        Statement onServer = server.prepare(sql);
        while (onFile.step()) {
            QVERIFY(onServer.step());
            const QString text = onFile.textAt(0);
            QCOMPARE(onServer.textAt(0), text);
            QVERIFY2(onServer.int64At(1) == onFile.int64At(1), qPrintable(text + QStringLiteral(" %1 %2").arg(onServer.int64At(1)).arg(onFile.int64At(1))));
            QVERIFY2(onServer.doubleAt(2) == onFile.doubleAt(2), qPrintable(text));
            QCOMPARE(onServer.textAt(3), QStringLiteral("CAST(x AS INTEGER)"));
            QVERIFY2(onServer.int64At(4) == onFile.int64At(4), qPrintable(text));
            QVERIFY2(onServer.int64At(5) == onFile.int64At(5), qPrintable(text));
        }
        QVERIFY(!onServer.step());
    }

    void storedAmountsReadAsOnTheFile()
    {
        BothEngines engines;
        Database &file = engines.file;
        Database &server = engines.server;
        QRandomGenerator random(20261211);
        const QStringList pieces{QStringLiteral(" "), QStringLiteral("-"), QStringLiteral("+"), QStringLiteral("."),
                                 QStringLiteral("e"), QStringLiteral("E"), QStringLiteral("x"), QStringLiteral(","),
                                 QStringLiteral("\u00a0"), QStringLiteral("\t"), QStringLiteral("ö"),
                                 QStringLiteral("'"), QStringLiteral("0"), QStringLiteral("7"), QStringLiteral("42"),
                                 QStringLiteral("\u0663"), QStringLiteral("inf"), QStringLiteral("nan")};
        QStringList texts{QString(),
                          QStringLiteral("1234.5"),
                          QStringLiteral("-0.01"),
                          QStringLiteral("5."),
                          QStringLiteral("-.5"),
                          QStringLiteral(" 12.50 "),
                          QStringLiteral("+3"),
                          QStringLiteral("1e3"),
                          QStringLiteral("1E+03"),
                          QStringLiteral("1,5"),
                          QStringLiteral("0x10"),
                          QStringLiteral("Infinity"),
                          QStringLiteral("1e308"),
                          QStringLiteral("1e309"),
                          QStringLiteral("-1e400"),
                          QStringLiteral("1e-400"),
                          QStringLiteral("4.9e-324"),
                          QStringLiteral("123456789012345678901234567890.123456789012345678901234567890"),
                          QStringLiteral("\u2003 7 \u3000"),
                          QString(400, QLatin1Char('9')),
                          // Either side of the longest text read straight away.
                          QString(300, QLatin1Char('9')),
                          QStringLiteral("-") + QString(300, QLatin1Char('9')),
                          QStringLiteral("0.") + QString(297, QLatin1Char('0')) + QStringLiteral("1"),
                          QString(309, QLatin1Char('9')) + QStringLiteral(".")};
        texts += generatedTexts(random, pieces, 400, 6);
        storeTexts({&file, &server}, texts);
        const QString sql = QStringLiteral("SELECT strText, stored_amount(strText) FROM tblTexts ORDER BY intTextID");
        Statement onFile = file.prepare(sql);
        Statement onServer = server.prepare(sql);
        while (onFile.step()) {
            QVERIFY(onServer.step());
            const QString text = onFile.textAt(0);
            QCOMPARE(onServer.textAt(0), text);
            QVERIFY2(onServer.isNullAt(1) == onFile.isNullAt(1), qPrintable(QStringLiteral("[%1]").arg(text)));
            QVERIFY2(onServer.doubleAt(1) == onFile.doubleAt(1), qPrintable(QStringLiteral("[%1]").arg(text)));
        }
        QVERIFY(!onServer.step());
    }

    void rowIdsFollowTheHighestId()
    {
        ServerCompany company;
        Database server(company.path);
        installEngineFunctions(server);
        server.exec(QStringLiteral("CREATE TABLE tblItems(intItemID INTEGER PRIMARY KEY, strName TEXT)"));
        server.prepare(QStringLiteral("INSERT INTO tblItems VALUES(41, 'copied')")).run();
        server.prepare(QStringLiteral("INSERT INTO tblItems(strName) VALUES(?)")).bind(1, QStringLiteral("new")).run();
        QCOMPARE(server.lastInsertRowId(), qint64(42));
        QCOMPARE(server.queryInt(QStringLiteral("SELECT intItemID FROM tblItems WHERE strName = 'new'")), 42);
    }

    void failedWorkInATransactionIsNeverCommitted()
    {
        ServerCompany company;
        Database server(company.path);
        installEngineFunctions(server);
        server.exec(QStringLiteral("CREATE TABLE tblItems(intItemID INTEGER PRIMARY KEY, strName TEXT NOT NULL)"));
        {
            Transaction tx(server);
            server.prepare(QStringLiteral("INSERT INTO tblItems(strName) VALUES('kept?')")).run();
            QVERIFY_THROWS_EXCEPTION(DbError, server.prepare(QStringLiteral("INSERT INTO tblItems VALUES(1, NULL)")).run());
            // The server ends a failed transaction at COMMIT; that must not read as saved.
            QVERIFY_THROWS_EXCEPTION(DbError, tx.commit());
        }
        QCOMPARE(count(server, QStringLiteral("tblItems")), 0);
        // The connection is usable again.
        server.prepare(QStringLiteral("INSERT INTO tblItems(strName) VALUES('after')")).run();
        QCOMPARE(count(server, QStringLiteral("tblItems")), 1);
    }

    void writersTakeTurnsAsOnTheFile()
    {
        ServerCompany company;
        BusyPolicy::setTotalWaitMs(200);
        const auto standardWait = qScopeGuard([] { BusyPolicy::setTotalWaitMs(0); });
        Database first(company.path);
        installEngineFunctions(first);
        first.exec(QStringLiteral("CREATE TABLE tblNumbers(intNumber INTEGER)"));
        first.exec(QStringLiteral("INSERT INTO tblNumbers VALUES(500)"));
        Database second(company.path);
        {
            Transaction taking(first);
            QCOMPARE(first.queryInt(QStringLiteral("SELECT intNumber FROM tblNumbers")), 500);
            // While one PC holds the write lock, another cannot start taking a number.
            try {
                Transaction waiting(second);
                QFAIL("a second writer started while the first held the lock");
            } catch (const DbError &error) {
                QVERIFY(error.isBusy());
            }
            first.exec(QStringLiteral("UPDATE tblNumbers SET intNumber = intNumber + 1"));
            taking.commit();
        }
        Transaction next(second);
        QCOMPARE(second.queryInt(QStringLiteral("SELECT intNumber FROM tblNumbers")), 501);
        second.exec(QStringLiteral("UPDATE tblNumbers SET intNumber = intNumber + 1"));
        next.commit();
        QCOMPARE(first.queryInt(QStringLiteral("SELECT intNumber FROM tblNumbers")), 502);

        // Another company in the same database writes while this one holds its lock.
        TestCompanyOnServer otherOnServer{Edition::Heddrin};
        Database other(Paths::GetDataBasePath(Edition::get(Edition::Heddrin)));
        installEngineFunctions(other);
        other.exec(QStringLiteral("CREATE TABLE tblNumbers(intNumber INTEGER)"));
        Transaction holding(first);
        Transaction elsewhere(other);
        other.exec(QStringLiteral("INSERT INTO tblNumbers VALUES(1)"));
        elsewhere.commit();
        QCOMPARE(other.queryInt(QStringLiteral("SELECT count(*) FROM tblNumbers")), 1);
    }

    void backupFromTheServerHoldsItsTablesAsTheyAre()
    {
        ServerCompany company;
        const QString name = QStringLiteral("Ünal's \"Bau\" 😀");
        {
            Database file(company.filePath, Database::OpenMode::CreateFile);
            Transaction building(file);
            Schema::createTablesAndSeed(file, Edition::get(Edition::Corvalo), QDate(2026, 12, 10), QLocale::c());
            file.prepare(QStringLiteral("UPDATE tblCompanyInfo SET strCompName = ?")).bindAll(name).run();
            building.commit();
        }
        {
            Database server(company.path);
            ServerCopy::copyFileToServer(company.filePath, server);
        }
        const QString backup = company.folder.path() + QStringLiteral("/backup/")
                               + Paths::GetDataBaseName(Edition::get(Edition::Corvalo));
        QVERIFY(QDir().mkpath(QFileInfo(backup).path()));
        BackupRestore::copyDatabaseFile(company.path, backup);
        {
            Database copy(backup, Database::OpenMode::ReadOnly);
            Database original(company.filePath, Database::OpenMode::ReadOnly);
            Statement q = copy.prepare(QStringLiteral("SELECT strCompName FROM tblCompanyInfo"));
            QVERIFY(q.step());
            QCOMPARE(q.textAt(0), name);
            for (const QString &table : {QStringLiteral("tblCompanyInfo"), QStringLiteral("tblPrices")})
                QCOMPARE(count(copy, table), count(original, table));
            QCOMPARE(copy.queryInt(QStringLiteral("PRAGMA application_id")),
                     original.queryInt(QStringLiteral("PRAGMA application_id")));
            Statement check = copy.prepare(QStringLiteral("PRAGMA integrity_check"));
            QVERIFY(check.step());
            QCOMPARE(check.textAt(0), QStringLiteral("ok"));
        }
        QVERIFY(QFile::remove(backup));

        // The copy holds the server's tables as they are: what an older company lacks
        // stays missing, anything more comes along, keys and defaults with them.
        {
            Database server(company.path);
            server.exec(QStringLiteral("ALTER TABLE tblCustomers DROP COLUMN strCustEmail; "
                                       "ALTER TABLE tblPrices ADD COLUMN strNote TEXT NOT NULL DEFAULT 'it''s'; "
                                       "CREATE TABLE tblNotes(intNoteID INTEGER PRIMARY KEY, strNote TEXT UNIQUE, "
                                       "dbWeight REAL DEFAULT 1.5, intCount INTEGER NOT NULL DEFAULT -1 CHECK (intCount < 100)); "
                                       "CREATE INDEX idxNotesHeavy ON tblNotes(UPPER(strNote)) "
                                       "WHERE dbWeight > 2 AND strNote LIKE 'Ü%'"));
            server.prepare(QStringLiteral("INSERT INTO tblNotes(strNote, dbWeight) VALUES(?, 2.25)")).bindAll(name).run();
        }
        BackupRestore::copyDatabaseFile(company.path, backup);
        Database copy(backup);
        QVERIFY(!copy.columnExists(QStringLiteral("tblCustomers"), QStringLiteral("strCustEmail")));
        QCOMPARE(copy.queryInt(QStringLiteral("SELECT count(*) FROM tblPrices WHERE strNote = 'it''s'")),
                 count(copy, QStringLiteral("tblPrices")));
        Statement note = copy.prepare(QStringLiteral("SELECT intNoteID, strNote, dbWeight, intCount FROM tblNotes"));
        QVERIFY(note.step());
        QCOMPARE(note.int64At(0), 1);
        QCOMPARE(note.textAt(1), name);
        QCOMPARE(note.doubleAt(2), 2.25);
        QCOMPARE(note.int64At(3), -1);
        // The row id, the key, the defaults and the check work in the file as on the server.
        copy.exec(QStringLiteral("INSERT INTO tblNotes(strNote) VALUES('second')"));
        QCOMPARE(copy.lastInsertRowId(), 2);
        QCOMPARE(copy.queryInt(QStringLiteral("SELECT count(*) FROM tblNotes WHERE dbWeight = 1.5 AND intCount = -1")), 1);
        QVERIFY_THROWS_EXCEPTION(DbError, copy.exec(QStringLiteral("INSERT INTO tblNotes(strNote) VALUES('second')")));
        QVERIFY_THROWS_EXCEPTION(DbError, copy.exec(QStringLiteral("INSERT INTO tblNotes(intCount) VALUES(100)")));
        QCOMPARE(copy.queryInt(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'index' "
                                              "AND name = 'idxnotesheavy' AND sql LIKE '%WHERE%'")),
                 1);
        // Every index of a company comes along.
        QStringList serverIndexes;
        {
            Database server(company.path);
            Statement q = server.prepare(QStringLiteral("SELECT lower(name) FROM sqlite_master WHERE type = 'index'"));
            while (q.step())
                serverIndexes << q.textAt(0);
        }
        QStringList fileIndexes;
        Statement q = copy.prepare(QStringLiteral("SELECT lower(name) FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL"));
        while (q.step())
            fileIndexes << q.textAt(0);
        serverIndexes.sort();
        fileIndexes.sort();
        QVERIFY(serverIndexes.size() > 5);
        QCOMPARE(fileIndexes, serverIndexes);
        Statement check = copy.prepare(QStringLiteral("PRAGMA integrity_check"));
        QVERIFY(check.step());
        QCOMPARE(check.textAt(0), QStringLiteral("ok"));
    }

    void serverExpressionsReadAsTheFileWritesThem()
    {
        QCOMPARE(ServerLayout::fileExpression(QStringLiteral("CHECK ((x = ANY (ARRAY['a''s'::text, '::b'::text])))")),
                 QStringLiteral("CHECK ((x IN ('a''s', '::b')))"));
        QCOMPARE(ServerLayout::fileExpression(QStringLiteral("((t ~~* '-%'::text) AND (u !~~ 'x'::text COLLATE \"C\"))")),
                 QStringLiteral("((t LIKE '-%') AND (u NOT LIKE 'x'))"));
        QCOMPARE(ServerLayout::fileExpression(QStringLiteral("'0'::double precision")), QStringLiteral("'0'"));
    }

    void aCompanyMadeByAnotherVersionGetsTheFunctionsItNeeds()
    {
        ServerCompany company;
        {
            Database file(company.filePath, Database::OpenMode::CreateFile);
            Transaction building(file);
            Schema::createTablesAndSeed(file, Edition::get(Edition::Corvalo), QDate(2026, 12, 10), QLocale::c());
            building.commit();
        }
        {
            Database server(company.path);
            ServerCopy::copyFileToServer(company.filePath, server);
        }
        const auto readsAsOnTheFile = [&] {
            // Read-only too: the functions are the engine's, not the company's data.
            Database db(company.path, Database::OpenMode::ReadOnly);
            Statement q = db.prepare(QStringLiteral("SELECT stored_amount(' 12.5 '), fold('ÜNAL'), "
                                                    "(SELECT group_concat(x) FROM (SELECT 'a' AS x UNION ALL SELECT 'b') t)"));
            QVERIFY(q.step());
            QCOMPARE(q.doubleAt(0), 12.5);
            QCOMPARE(q.textAt(1), QStringLiteral("ünal"));
            QCOMPARE(q.textAt(2).size(), 3);
            QVERIFY(db.tableExists(QStringLiteral("tblPrices"))); // read through the file's catalogue
        };
        {
            // As a copy of the program from before these functions left the company.
            Database server(company.path);
            for (const char *drop : {"DROP FUNCTION stored_amount(text)", "DROP FUNCTION tarnwick_stored_amount(text)",
                                     "DROP FUNCTION fold(text)", "DROP AGGREGATE group_concat(anyelement)",
                                     "DROP VIEW sqlite_master", "COMMENT ON TABLE tarnwick_pragma IS NULL"})
                server.server()->runPlain(QString::fromLatin1(drop));
        }
        readsAsOnTheFile();
        {
            // Another version's body of a function is replaced by this one's.
            Database server(company.path);
            server.server()->runPlain(QStringLiteral("CREATE OR REPLACE FUNCTION stored_amount(t text) RETURNS double "
                                                     "precision LANGUAGE sql AS $f$ SELECT 0::double precision $f$"));
            server.server()->runPlain(QStringLiteral("COMMENT ON TABLE tarnwick_pragma IS 'another version'"));
        }
        readsAsOnTheFile();

        // A schema that holds no company of ours keeps its own functions.
        ServerCompany stranger;
        {
            Database server(stranger.path);
            server.server()->runPlain(QStringLiteral("CREATE FUNCTION fold(t text) RETURNS text LANGUAGE sql AS "
                                                     "$f$ SELECT 'theirs'::text $f$"));
        }
        Database server(stranger.path);
        Statement q = server.prepare(QStringLiteral("SELECT fold('X')"));
        QVERIFY(q.step());
        QCOMPARE(q.textAt(0), QStringLiteral("theirs"));
        QVERIFY(!server.server()->tableExists(QStringLiteral("tarnwick_pragma")));
    }

    void copyToServerIsWholeAndRefusesANonEmptyDatabase()
    {
        ServerCompany company;
        {
            Database file(company.filePath, Database::OpenMode::CreateFile);
            file.exec(QStringLiteral("PRAGMA application_id = 1415072585; PRAGMA user_version = 1; "
                                     "CREATE TABLE tblItems(intItemID INTEGER PRIMARY KEY, strName TEXT, dbPrice REAL); "
                                     "CREATE INDEX idxItemsName ON tblItems(fold(strName))"));
            Statement insert = file.prepare(QStringLiteral("INSERT INTO tblItems VALUES(?,?,?)"));
            for (int i = 1; i <= 50; ++i) {
                insert.reset();
                insert.bindAll(i * 3, QStringLiteral("Ünal's \"item\" %1").arg(i), i * 1.25).run();
            }
        }
        {
            Database server(company.path);
            ServerCopy::copyFileToServer(company.filePath, server);
        }
        Database server(company.path);
        QCOMPARE(count(server, QStringLiteral("tblItems")), 50);
        QCOMPARE(server.queryInt(QStringLiteral("PRAGMA application_id")), 1415072585);
        // The check the main window runs on the file must not call the server's company damaged.
        Statement check = server.prepare(QStringLiteral("PRAGMA quick_check(5)"));
        QVERIFY(check.step());
        QCOMPARE(check.textAt(0), QStringLiteral("ok"));
        Statement q = server.prepare(QStringLiteral("SELECT strName, dbPrice FROM tblItems WHERE intItemID = 150"));
        QVERIFY(q.step());
        QCOMPARE(q.textAt(0), QStringLiteral("Ünal's \"item\" 50"));
        QCOMPARE(q.doubleAt(1), 62.5);
        // A new row continues after the copied ids.
        server.prepare(QStringLiteral("INSERT INTO tblItems(strName) VALUES('next')")).run();
        QCOMPARE(server.lastInsertRowId(), qint64(151));

        QVERIFY_THROWS_EXCEPTION(DbError, ServerCopy::copyFileToServer(company.filePath, server));
        QCOMPARE(count(server, QStringLiteral("tblItems")), 51);
    }

    void copyThatFailsLeavesTheServerEmpty()
    {
        ServerCompany company;
        {
            Database file(company.filePath, Database::OpenMode::CreateFile);
            file.exec(QStringLiteral("CREATE TABLE tblGood(intID INTEGER, strName TEXT); "
                                     "INSERT INTO tblGood VALUES(1, 'fine'); "
                                     "CREATE TABLE tblOdd(intCount INTEGER); "
                                     // The file keeps a text its integer column cannot hold; the server refuses it.
                                     "INSERT INTO tblOdd VALUES('twelve')"));
        }
        Database server(company.path);
        QVERIFY_THROWS_EXCEPTION(DbError, ServerCopy::copyFileToServer(company.filePath, server));
        QVERIFY(!ServerCopy::holdsTables(server));
    }
};

QTEST_GUILESS_MAIN(TestServer)
#include "test_server.moc"
