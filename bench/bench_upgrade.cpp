// Times the first start on a 100,000-document file left by an older version (dates
// and totals in the British forms, no level, no indexes, none of the later tables
// and columns), the upgrade included, up to the main window painted, next to a
// start on the new file of the same documents; then opening, saving and searching
// on the upgraded file next to the same on the new one, all in one run.

#include "BenchSupport.h"
#include "DataGenerator.h"
#include "WindowPaint.h"
#include "app/StartUp.h"
#include "app/TfrmMain.h"
#include "context/AppContext.h"
#include "core/Edition.h"
#include "core/Paths.h"
#include "data/Database.h"
#include "data/SavingPopup.h"
#include "editing/TfrmInvoiceMaintenance.h"
#include "invoice/DocumentStore.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>

namespace {

QElapsedTimer sinceMain;


int programChild(int argc, char **argv)
{
    QApplication app(argc, argv);
    SilentPrompts prompts;
    SavingPopup saving;
    AppContext context(Edition::get(Edition::Corvalo), prompts, saving);
    context.locale = QLocale(QLocale::English, QLocale::UnitedStates);
    if (!StartUp::pStartUp(context))
        return 1;
    TfrmMain window(context);
    window.show();
    QCoreApplication::processEvents();
    window.repaint();
    std::printf("%.3f\n", double(sinceMain.nsecsElapsed()) / 1e6);
    return 0;
}

/// Median time from main() to the main window painted, over \a runs fresh processes
/// with the data folder at \a home; \a prepare runs before each, untimed.
double startMs(const QString &home, int runs, const std::function<void()> &prepare = [] {})
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        prepare();
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_DATA_HOME"), home);
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--program")});
        child.waitForFinished(600000);
        times.push_back(child.readAllStandardOutput().trimmed().toDouble());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

struct Timings
{
    double open = 0;
    double save = 0;
    double search = 0;
};

/// Opening and saving documents and a number typed into Invoice Maintenance, on the
/// file of the data folder \a home.
Timings timeWork(const QString &home)
{
    qputenv("XDG_DATA_HOME", home.toUtf8());
    SilentPrompts prompts;
    NoSavingIndicator saving;
    AppContext context(Edition::get(Edition::Corvalo), prompts, saving);
    context.locale = QLocale(QLocale::English, QLocale::UnitedStates);
    (void)StartUp::pStartUp(context);
    DocumentStore store(context);
    CurrentDocument &doc = context.document;
    const auto open = [&](int i) {
        doc.header.blnNewInvoice = false;
        doc.header.intInvNumber = 500 + (i * 7919) % 90000;
        store.pLoadInvoice();
    };
    Timings t;
    t.open = medianMs(41, open);
    t.save = medianMs(41, [&](int) { store.pSaveInvoice(); }, open);
    TfrmInvoiceMaintenance window(context);
    window.show();
    paint(window);
    auto *search = window.findChild<QComboBox *>(QStringLiteral("cmboInvSearch"));
    auto *field = window.findChild<QLineEdit *>(QStringLiteral("txtInvSearch"));
    search->setCurrentIndex(search->findText(QStringLiteral("Invoice Number")));
    const QStringList typed = {QStringLiteral("5"), QStringLiteral("51"), QStringLiteral("512"),
                               QStringLiteral("5123"), QStringLiteral("51234")};
    t.search = medianMs(int(typed.size()) * 5, [&](int i) {
        field->setText(typed.at(i % typed.size()));
        paint(window);
    });
    return t;
}

} // namespace

int main(int argc, char **argv)
{
    sinceMain.start();
    if (argc > 1 && QByteArray(argv[1]) == "--program")
        return programChild(argc, argv);

    readBenchOptions(argc, argv);
    QApplication app(argc, argv);
    const Edition &edition = Edition::get(Edition::Corvalo);
    const QString newPath = prepareBenchDatabase(edition, app.arguments());
    const QString newHome = qEnvironmentVariable("XDG_DATA_HOME");

    // The older file, made once from the new one, and a folder each start upgrades a fresh copy of.
    QTemporaryDir scratch;
    const QString older = scratch.filePath(QStringLiteral("older.db"));
    QFile::copy(newPath, older);
    makeOlderRelease(older);
    const QString upgradedHome = scratch.filePath(QStringLiteral("upgraded"));
    qputenv("XDG_DATA_HOME", upgradedHome.toUtf8());
    const QString upgradedPath = Paths::GetDataBasePath(edition);
    qputenv("XDG_DATA_HOME", newHome.toUtf8());
    const auto freshOlderCopy = [&] {
        QDir(upgradedHome).removeRecursively();
        QDir().mkpath(QFileInfo(upgradedPath).absolutePath());
        QFile::copy(older, upgradedPath);
    };

    printHeading();
    printRow("first start on an older file, upgrade included (vs start on a new file)",
             startMs(upgradedHome, 3, freshOlderCopy), startMs(newHome, 5));
    printRow("start on the upgraded file (vs start on a new file)", startMs(upgradedHome, 5), startMs(newHome, 5));

    const Timings upgraded = timeWork(upgradedHome);
    const Timings fresh = timeWork(newHome);
    printRow("open a document, upgraded file (vs new file)", upgraded.open, fresh.open);
    printRow("save a document again, upgraded file (vs new file)", upgraded.save, fresh.save);
    printRow("maintenance: number typed, per key, upgraded file (vs new file)", upgraded.search, fresh.search);
    return 0;
}
