#pragma once

#include "core/Prompts.h"

#include <QElapsedTimer>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

/// Answers every question with Yes and every choice with nothing, quietly.
class SilentPrompts final : public Prompts
{
public:
    Answer ShowYesNoCancel(const QString &, Answer = Yes) override { return Yes; }
    Answer ShowYesNo(const QString &, Answer = Yes) override { return Yes; }
    void ShowInformation(const QString &) override {}
    void showPlainMessage(const QString &) override {}
    void showError(const QString &message) override { std::fprintf(stderr, "error: %s\n", qPrintable(message)); }
    QString chooseFolder(const QString &, const QString &) override { return {}; }
    QString chooseOpenFile(const QString &, const QString &, const QString &) override { return {}; }
    QString chooseSaveFile(const QString &, const QString &, const QString &) override { return {}; }
    QColor chooseColor(const QColor &) override { return {}; }
};

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

inline void printHeading()
{
    std::printf("%-34s %12s %12s %8s\n", "action", "program ms", "bare ms", "ratio");
}

inline void printRow(const char *action, double programMs, double bareMs)
{
    std::printf("%-34s %12.3f %12.3f %7.2fx\n", action, programMs, bareMs, bareMs > 0 ? programMs / bareMs : 0.0);
    std::fflush(stdout);
}
