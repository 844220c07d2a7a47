// Times a cold start of the program up to its main window painted, and its quit
// (window gone from the screen; preferences saved, planner clean-up, objects gone;
// process gone), next to a minimal Qt main
// window started and closed the same way, all as fresh processes in one run.

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
#include <ctime>
#include <memory>

namespace {

QElapsedTimer sinceMain;

bool quitting = false;
bool quittingProcess = false;
bool quittingWindow = false;
QElapsedTimer sinceClose;
double closeToHidden = -1;

/// Notes when the window leaves the screen: what a user sees of a quit.
class HiddenWatch final : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Hide && closeToHidden < 0)
            closeToHidden = double(sinceClose.nsecsElapsed()) / 1e6;
        return QObject::eventFilter(watched, event);
    }
};

/// The monotonic clock in nanoseconds, the same in every process of the machine.
qint64 monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Shows the window, lets it paint once, and prints the milliseconds since main()
// began. When quitting is timed instead, closes the window as the user would; the
// caller prints the time once everything, the application object included, is gone.
void showAndQuit(std::unique_ptr<QWidget> window)
{
    window->show();
    QCoreApplication::processEvents();
    window->repaint();
    if (!quitting) {
        std::printf("%.3f\n", double(sinceMain.nsecsElapsed()) / 1e6);
        return;
    }
    HiddenWatch hidden;
    window->installEventFilter(&hidden);
    sinceClose.start();
    if (quittingProcess) {
        // The parent stops the clock when it sees the process gone.
        std::printf("%lld\n", static_cast<long long>(monotonicNs()));
        std::fflush(stdout);
    }
    window->close();
    QCoreApplication::processEvents();
    window->removeEventFilter(&hidden);
}

int printQuit()
{
    if (quittingWindow)
        std::printf("%.3f\n", closeToHidden);
    else if (quitting && !quittingProcess)
        std::printf("%.3f\n", double(sinceClose.nsecsElapsed()) / 1e6);
    return 0;
}

int programChild(int argc, char **argv)
{
    {
        QApplication app(argc, argv);
        SilentPrompts prompts;
        SavingPopup saving;
        AppContext context(Edition::get(Edition::Corvalo), prompts, saving);
        StartUp::pStartUp(context);
        showAndQuit(std::make_unique<TfrmMain>(context));
    }
    return printQuit();
}

int emptyChild(int argc, char **argv, bool withText)
{
    {
        QApplication app(argc, argv);
        auto window = std::make_unique<QMainWindow>();
        window->resize(750, 600);
        // Any text on screen pays for loading the fonts once; this baseline shows one line.
        if (withText)
            window->setCentralWidget(new QLabel(QStringLiteral("Tarnwick"), window.get()));
        showAndQuit(std::move(window));
    }
    return printQuit();
}

} // namespace

int main(int argc, char **argv)
{
    sinceMain.start();
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    const QByteArray what = argc > 2 ? QByteArray(argv[2]) : QByteArray();
    quitting = what == "--quit" || what == "--quit-process" || what == "--quit-window";
    quittingProcess = what == "--quit-process";
    quittingWindow = what == "--quit-window";
    if (mode == "--program")
        return programChild(argc, argv);
    if (mode == "--empty")
        return emptyChild(argc, argv, false);
    if (mode == "--label")
        return emptyChild(argc, argv, true);

    readBenchOptions(argc, argv);
    QCoreApplication app(argc, argv);
    const Edition &edition = Edition::get(Edition::Corvalo);
    (void)prepareBenchDatabase(edition, app.arguments());
    // Each child reports its own time: from main() to its window painted, or from
    // the close to the window gone.
    const auto startMs = [](const char *which, const char *what = "--start") {
        std::vector<double> times;
        for (int i = 0; i < 11; ++i) {
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(which), QString::fromLatin1(what)});
            child.waitForFinished(60000);
            const double printed = child.readAllStandardOutput().trimmed().toDouble();
            times.push_back(qstrcmp(what, "--quit-process") == 0 ? double(monotonicNs() - qint64(printed)) / 1e6 : printed);
        }
        std::sort(times.begin(), times.end());
        return times[times.size() / 2];
    };
    printHeading();
    const double program = startMs("--program");
    printRow("start to main window painted (vs empty window)", program, startMs("--empty"));
    printRow("start to main window painted (vs one-label window)", program, startMs("--label"));
    printRow("quit, close to window gone from the screen (vs one-label window)", startMs("--program", "--quit-window"),
             startMs("--label", "--quit-window"));
    printRow("quit, close to the application object gone (vs one-label window)", startMs("--program", "--quit"),
             startMs("--label", "--quit"));
    printRow("quit, close to process gone (vs one-label window)", startMs("--program", "--quit-process"),
             startMs("--label", "--quit-process"));
    return 0;
}
