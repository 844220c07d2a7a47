#pragma once

#include "core/Prompts.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sqlite3.h>
#include <vector>

/// Answers every question with Yes and every choice with nothing (a choice of
/// actions with its Escape button), quietly.
class SilentPrompts final : public Prompts
{
public:
    Answer ShowYesNoCancel(const QString &, Answer = Yes) override { return Yes; }
    Answer ShowYesNo(const QString &, Answer = Yes) override { return Yes; }
    int ShowChoice(const QString &, const QStringList &, int, int escape) override { return escape; }
    void ShowInformation(const QString &) override {}
    void showPlainMessage(const QString &) override {}
    void showError(const QString &message, const QString &detail = {}) override
    {
        std::fprintf(stderr, "error: %s %s\n", qPrintable(message), qPrintable(detail));
    }
    QString chooseFolder(const QString &, const QString &) override { return {}; }
    QString chooseOpenFile(const QString &, const QString &, const QString &) override { return {}; }
    QString chooseSaveFile(const QString &, const QString &, const QString &) override { return {}; }
    QColor chooseColor(const QColor &) override { return {}; }
    QString askPassword(const QString &) override { return {}; }
};

/// Steps \a stmt to its end reading every column as text, as a list would, then
/// finalizes it; returns the rows read. The bare side of a comparison.
inline int readAllRows(sqlite3_stmt *stmt)
{
    int rows = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(stmt); ++c)
            sqlite3_column_text(stmt, c);
        ++rows;
    }
    sqlite3_finalize(stmt);
    return rows;
}

/// Median wall time of \a run in milliseconds over \a runs runs; \a prepare runs
/// before each, untimed.
inline double medianMs(int runs, const std::function<void(int)> &run,
                       const std::function<void(int)> &prepare = [](int) {})
{
    std::vector<double> times;
    times.reserve(std::size_t(runs));
    for (int i = 0; i < runs; ++i) {
        prepare(i);
        QElapsedTimer timer;
        timer.start();
        run(i);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

/// With --tsv each row is one tab-separated line (action, program ms, bare ms,
/// ratio) and everything else goes to stderr, so runs can be compared line by line.
inline bool &tsvOutput()
{
    static bool tsv = false;
    return tsv;
}

/// Reads the options every benchmark takes; call before the application object,
/// which then draws its windows offscreen unless a platform is asked for.
inline void readBenchOptions(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    for (int i = 1; i < argc; ++i)
        tsvOutput() = tsvOutput() || QByteArray(argv[i]) == "--tsv";
}

/// A line that is not a row: a page count, a memory figure.
template<typename... Args>
void note(const char *format, Args... args)
{
    std::fprintf(tsvOutput() ? stderr : stdout, format, args...);
    std::fputc('\n', tsvOutput() ? stderr : stdout);
}

inline void printHeading()
{
    if (!tsvOutput())
        std::printf("%-44s %12s %12s %8s\n", "action", "program ms", "bare ms", "ratio");
}

inline void printRow(const char *action, double programMs, double bareMs)
{
    const double ratio = bareMs > 0 ? programMs / bareMs : 0.0;
    if (tsvOutput())
        std::printf("%s\t%.3f\t%.3f\t%.2f\n", action, programMs, bareMs, ratio);
    else
        std::printf("%-44s %12.3f %12.3f %7.2fx\n", action, programMs, bareMs, ratio);
    std::fflush(stdout);
}

/// A row measured at the window, with what it was measured on: the file ("new 100k",
/// "upgraded 100k", "1M"), the cache ("warm" with the share of the file cached after
/// the runs, or "cold" with the share still cached after eviction) and the resident
/// memory after the row.
struct WindowRow
{
    const char *file;
    bool cold;
    double cachedPercent;
    double residentMb;
};

inline void printWindowHeading()
{
    if (!tsvOutput())
        std::printf("%-46s %-14s %-5s %7s %10s %10s %8s %7s\n", "action", "file", "cache", "cached", "program ms",
                    "bare ms", "ratio", "RSS MB");
}

inline void printWindowRow(const char *action, const WindowRow &on, double programMs, double bareMs)
{
    const double ratio = bareMs > 0 ? programMs / bareMs : 0.0;
    const char *cache = on.cold ? "cold" : "warm";
    if (tsvOutput())
        std::printf("%s\t%.3f\t%.3f\t%.2f\t%s\t%s\t%.1f\t%.0f\n", action, programMs, bareMs, ratio, on.file, cache,
                    on.cachedPercent, on.residentMb);
    else
        std::printf("%-46s %-14s %-5s %6.1f%% %10.3f %10.3f %7.2fx %7.0f\n", action, on.file, cache,
                    on.cachedPercent, programMs, bareMs, ratio, on.residentMb);
    std::fflush(stdout);
}

/// The resident memory of this process in MB.
inline double residentMb()
{
    std::FILE *statm = std::fopen("/proc/self/statm", "r");
    long pages = 0, resident = 0;
    if (statm) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return double(resident) * 4096.0 / (1024.0 * 1024.0);
}
