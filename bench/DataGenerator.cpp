#include "DataGenerator.h"

#include "core/Edition.h"
#include "core/Paths.h"
#include "data/Database.h"
#include "data/DateText.h"
#include "data/OldStoredTexts.h"
#include "data/StoredForm.h"
#include "data/SavingIndicator.h"
#include "data/Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <QStringList>
#include <map>
#include <random>

namespace {

const QStringList kFirstNames = {"Ana", "Ben", "Chloé", "Dmitri", "Emeka", "Farah", "Gus", "Hiro", "Ines", "Jon"};
const QStringList kLastNames = {"Okafor", "Lindqvist", "O'Brien", "García", "Novak", "Kowalski", "Smith", "Tanaka"};
const QStringList kWork = {"Paint", "Repair", "Install", "Clean", "Replace", "Inspect", "Seal", "Trim"};
const QStringList kThings = {"window", "fence", "roof", "deck", "gutter", "floor", "door", "wall", "lawn"};
const QStringList kKinds = {"Estimate", "Work Order", "Invoice", "Invoice", "Invoice", "Credit"};

struct Generator
{
    std::mt19937 rng;
    int pick(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(rng); }
    double price() { return std::uniform_int_distribution<int>(100, 50000)(rng) / 100.0; }
    QString of(const QStringList &list) { return list.at(pick(int(list.size()))); }
};

void insertCustomers(Database &db, Generator &g, int count)
{
    Statement insert = db.prepare(QStringLiteral(
        "INSERT INTO tblCustomers(strCustFirstName,strCustLastName,strCustCompany,strCustAddress,strCustCity,"
        "strCustState,strCustZipCode,strCustMainPhone,strCustExtraPhone1,strCustExtraPhone2,strCustExtraPhone1Name,"
        "strCustExtraPhone2Name,intCustDiscount,strCustTaxExmpt,strCustTaxExmpNmbr,strCustPmtTerms,strCustNotes)"
        "VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
    for (int i = 0; i < count; ++i) {
        insert.bindAll(g.of(kFirstNames), g.of(kLastNames) + QString::number(i),
                       i % 3 ? QString() : g.of(kLastNames) + QStringLiteral(" & Sons %1").arg(i),
                       QStringLiteral("%1 Main Street").arg(g.pick(9999)), QStringLiteral("Springfield"),
                       QStringLiteral("ST"), QStringLiteral("%1").arg(10000 + g.pick(89999)),
                       QStringLiteral("555-%1").arg(1000 + g.pick(8999)), QString(), QString(), QString(), QString(),
                       g.pick(4) * 5, g.pick(10) ? "0" : "-1", QString(), QStringLiteral("Net 30"), QString());
        insert.run();
        insert.reset();
    }
}

void insertPriceItems(Database &db, Generator &g, int count)
{
    Statement insert = db.prepare(QStringLiteral(
        "INSERT INTO tblPrices(strPrcItemName,strLabTax,strMatTax,dbLbrPrc,dbMatPrc)VALUES(?,?,?,?,?)"));
    for (int i = 0; i < count; ++i) {
        insert.bindAll(QStringLiteral("%1 %2 - item %3").arg(g.of(kWork), g.of(kThings)).arg(i), g.pick(2) ? "-1" : "0",
                       g.pick(2) ? "-1" : "0", g.price(), g.price() / 3);
        insert.run();
        insert.reset();
    }
}

void insertDocuments(Database &db, Generator &g, const GeneratedSize &size, QDate lastDay)
{
    Statement header = db.prepare(QStringLiteral(
        "INSERT INTO tblInvHeader(strInvName,intInvNumber,strInvDate,strFromInvNameNumber,strRecurring,strPaidInFull,"
        "intInvFootNotes,strCustCmpnyName,strCustFullName,strCustAddress,strCustCtyStZp,strCustMainPhone,"
        "strCustExtraPhone1,strCustExtraPhone2,strCustTaxExemptNum,strCustPONumber,strCustPymntTerms,strCustNotes,"
        "intCustDiscountPercent,strCustTaxExempt,strUseTax1,strUseTax2,strUseTax3,dbTaxRate1,dbTaxRate2,dbTaxRate3,"
        "strInvNotes,dbPaidAmount,dbDepositAmount,strInvTotal)"
        "VALUES(?,?,?,'','0',?,0,?,?,?,'Springfield, ST 12345','555-0100','','','','','Net 30','',0,'0','-1','-1',"
        "'0',0.0123,0.05,0,?,0,0,?)"));
    Statement line = db.prepare(QStringLiteral(
        "INSERT INTO tblInvData(intInvNumber,strPrcItemName,strPrcItmQuantity,strLabTax,strMatTax,dbLbrPrc,dbMatPrc)"
        "VALUES(?,?,?,?,?,?,?)"));

    struct MonthTotals
    {
        std::array<double, 8> amounts{};
    };
    std::map<std::pair<int, int>, MonthTotals> postings;
    const int days = size.years * 365;
    for (int d = 0; d < size.documents; ++d) {
        const int number = 500 + d;
        const QDate date = lastDay.addDays(-days + qint64(d) * days / size.documents);
        const QString kind = g.of(kKinds);
        const bool paid = kind == QLatin1String("Invoice") && g.pick(3) != 0;
        const int lineCount = 1 + g.pick(2 * size.linesPerDocument - 1);
        double labor = 0, material = 0, laborTaxed = 0, materialTaxed = 0;
        for (int l = 0; l < lineCount; ++l) {
            const int quantity = 1 + g.pick(20);
            const double lab = g.price(), mat = g.price() / 4;
            const bool labTax = g.pick(2), matTax = g.pick(2);
            line.bindAll(number, QStringLiteral("%1 %2").arg(g.of(kWork), g.of(kThings)), QString::number(quantity),
                         labTax ? "-1" : "0", matTax ? "-1" : "0", lab, mat);
            line.run();
            line.reset();
            labor += lab * quantity;
            material += mat * quantity;
            laborTaxed += labTax ? lab * quantity : 0;
            materialTaxed += matTax ? mat * quantity : 0;
        }
        const double total = labor + material + (laborTaxed + materialTaxed) * 0.0623;
        // Two documents in three are for a company, so a company search finds some.
        const QString company = d % 3 ? g.of(kLastNames) + QStringLiteral(" Building") : QString();
        header.bindAll(kind, number, StoredForm::dateText(date), paid ? "-1" : "0", company,
                       QStringLiteral("%1 %2").arg(g.of(kFirstNames), g.of(kLastNames)),
                       QStringLiteral("%1 Oak Avenue").arg(d % 900), QStringLiteral("Generated document %1").arg(d),
                       StoredForm::amountText(total));
        header.run();
        header.reset();
        if (paid || kind == QLatin1String("Credit")) {
            const double sign = kind == QLatin1String("Credit") ? -1 : 1;
            auto &a = postings[{date.year(), date.month()}].amounts;
            const std::array<double, 8> add = {laborTaxed * 0.0123, laborTaxed * 0.05, 0, materialTaxed * 0.0123,
                                               materialTaxed * 0.05, 0, labor, material};
            for (std::size_t i = 0; i < 8; ++i)
                a[i] += sign * add[i];
        }
    }

    Statement report = db.prepare(QStringLiteral(
        "INSERT INTO tblReport(intReportYear,intReportMonth,dbLbrTax1Total,dbLbrTax2Total,dbLbrTax3Total,"
        "dbMatTax1Total,dbMatTax2Total,dbMatTax3Total,dbLbrTotal,dbMatTotal)VALUES(?,?,?,?,?,?,?,?,?,?)"));
    for (const auto &[month, totals] : postings) {
        report.bindAll(month.first, month.second);
        for (int i = 0; i < 8; ++i)
            report.bind(i + 3, totals.amounts[std::size_t(i)]);
        report.run();
        report.reset();
    }
    Statement counter = db.prepare(QStringLiteral("UPDATE tblCompanyInvData SET intInvNumber = ?"));
    counter.bind(1, 500 + size.documents);
    counter.run();
}

const QLocale kBritish(QLocale::English, QLocale::UnitedKingdom);

} // namespace

void makeOlderRelease(const QString &path)
{
    Database db(path);
    db.exec(QStringLiteral("PRAGMA synchronous = OFF"));
    Transaction tx(db);
    Statement indexes = db.prepare(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL"));
    QStringList names;
    while (indexes.step())
        names << indexes.textAt(0);
    for (const QString &name : names)
        db.exec(QStringLiteral("DROP INDEX %1").arg(name));
    db.exec(QStringLiteral("DROP TABLE tblSchemaLevel; DROP TABLE tblPayments; "
                           "ALTER TABLE tblInvHeader DROP COLUMN strDueDate; "
                           "ALTER TABLE tblInvHeader DROP COLUMN intCustomerID; "
                           "ALTER TABLE tblInvHeader DROP COLUMN intJobID; "
                           "ALTER TABLE tblInvHeader DROP COLUMN strPostedInCents; "
                           "ALTER TABLE tblCustomers DROP COLUMN strCustEmail"));
    for (const OldStoredTexts::Text &text : OldStoredTexts::readAll(db)) {
        QString old;
        switch (text.column->kind) {
        case OldStoredTexts::Kind::Date:
            old = DateText::shortDate(*StoredForm::readDate(text.text), kBritish);
            break;
        case OldStoredTexts::Kind::DateTime:
            old = DateText::shortDateLongTime(*StoredForm::readDateTime(text.text), kBritish);
            break;
        case OldStoredTexts::Kind::Currency:
            old = kBritish.toCurrencyString(*StoredForm::readAmount(text.text));
            break;
        default:
            continue;
        }
        db.prepare(QStringLiteral("UPDATE %1 SET %2 = ? WHERE rowid = ?").arg(text.column->table, text.column->column))
            .bindAll(old, text.rowId)
            .run();
    }
    tx.commit();
    db.exec(QStringLiteral("VACUUM"));
}

QString prepareBenchDatabase(const Edition &edition, const QStringList &arguments)
{
    GeneratedSize size;
    const qsizetype option = arguments.indexOf(QStringLiteral("--documents"));
    if (option >= 0 && option + 1 < arguments.size())
        size.documents = arguments.at(option + 1).toInt();
    // The version in the folder name makes a changed generator build its files anew.
    const QString home = QDir::currentPath() + QStringLiteral("/bench-data-v2-%1").arg(size.documents);
    qputenv("XDG_DATA_HOME", home.toUtf8());
    const QString path = Paths::GetDataBasePath(edition);
    if (!QFileInfo::exists(path) || arguments.contains(QStringLiteral("--regenerate"))) {
        std::fprintf(stderr, "generating %d documents into %s ...\n", size.documents, qPrintable(path));
        QDir().mkpath(Paths::GetCompanyFolder(edition));
        generateDatabase(path, edition, size, QDate(2026, 12, 1));
    }
    return path;
}

void generateDatabase(const QString &path, const Edition &edition, const GeneratedSize &size, QDate lastDay,
                      quint32 seed)
{
    QFile::remove(path);
    NoSavingIndicator quiet;
    Schema::pBuildDataBase(path, edition, lastDay, QLocale(QLocale::English, QLocale::UnitedStates), quiet);

    Generator g{std::mt19937(seed)};
    Database db(path);
    db.exec(QStringLiteral("PRAGMA synchronous = OFF")); // a throwaway file: no need to wait for the disk
    Transaction tx(db);
    insertCustomers(db, g, size.customers);
    if (!edition.usesWorkSheets())
        insertPriceItems(db, g, size.priceItems);
    if (edition.storesDocuments() && !edition.usesWorkSheets())
        insertDocuments(db, g, size, lastDay);
    tx.commit();
}
