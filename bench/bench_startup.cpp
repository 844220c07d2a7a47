// Times a cold start of the program up to its main window on screen, next to an
// empty Qt main window started the same way, both as fresh processes in one run.

#include "BenchSupport.h"
#include "DataGenerator.h"
#include "context/AppContext.h"
#include "core/Edition.h"
#include "core/Paths.h"
#include "app/StartUp.h"
#include "app/TfrmMain.h"
#include "data/SavingPopup.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QProcess>

namespace {

QElapsedTimer sinceMain;

// Shows the window, lets it paint once, and prints the milliseconds since main()
// began; what the process does on its way out is not part of starting.
int showAndQuit(QWidget &window)
{
    window.show();
    QCoreApplication::processEvents();
    std::printf("%.3f\n", double(sinceMain.nsecsElapsed()) / 1e6);
    return 0;
}

int programChild(int argc, char **argv)
{
    QApplication app(argc, argv);
    SilentPrompts prompts;
    SavingPopup saving;
    AppContext context(Edition::get(Edition::Corvalo), prompts, saving);
    StartUp::pStartUp(context);
    TfrmMain window(context);
    return showAndQuit(window);
}

int emptyChild(int argc, char **argv, bool withText)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(750, 600);
    // Any text on screen pays for loading the fonts once; this baseline shows one line.
    if (withText)
        window.setCentralWidget(new QLabel(QStringLiteral("Tarnwick"), &window));
    return showAndQuit(window);
}

} // namespace

int main(int argc, char **argv)
{
    sinceMain.start();
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    if (mode == "--program")
        return programChild(argc, argv);
    if (mode == "--empty")
        return emptyChild(argc, argv, false);
    if (mode == "--label")
        return emptyChild(argc, argv, true);

    QCoreApplication app(argc, argv);
    const QString dataHome = QDir::currentPath() + QStringLiteral("/bench-data");
    qputenv("XDG_DATA_HOME", dataHome.toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const Edition &edition = Edition::get(Edition::Corvalo);
    if (!QFileInfo::exists(Paths::GetDataBasePath(edition))) {
        std::printf("generating the benchmark database ...\n");
        QDir().mkpath(Paths::GetCompanyFolder(edition));
        generateDatabase(Paths::GetDataBasePath(edition), edition, GeneratedSize{}, QDate(2026, 12, 1));
    }
    // Each child reports its own time from main() to its window on screen.
    const auto startMs = [](const char *which) {
        std::vector<double> times;
        for (int i = 0; i < 11; ++i) {
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(which)});
            child.waitForFinished(60000);
            times.push_back(child.readAllStandardOutput().trimmed().toDouble());
        }
        std::sort(times.begin(), times.end());
        return times[times.size() / 2];
    };
    printHeading();
    const double program = startMs("--program");
    printRow("start to main window (vs empty window)", program, startMs("--empty"));
    printRow("start to main window (vs one-label window)", program, startMs("--label"));
    return 0;
}
