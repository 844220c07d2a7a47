#pragma once

#include <functional>

class AppContext;
class QAction;
class QDialog;
class QToolBar;
struct TablePrintout;

/// The command bar the account windows share: Close, Print Preview (in the
/// editions that preview), Print and PDF of the table the window shows.
struct TableOutput
{
    QToolBar *bar = nullptr;
    QAction *actPrintPreview = nullptr;
    QAction *actPrint = nullptr;
    QAction *actPDF = nullptr;

    /// \a table gives what to print at the moment a command runs.
    [[nodiscard]] static TableOutput make(QDialog *window, AppContext &context, std::function<TablePrintout()> table);
};
