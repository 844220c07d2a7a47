#pragma once

#include <QString>

class InvoiceLines;
class QLabel;
class QPushButton;
class QTableView;
class QWidget;
struct TrecCmpnyInvData;

/// Controls the document editors build the same way.
namespace EditorWidgets {

/// A push button that Enter in a field never presses, since it opens a dialog.
QPushButton *commandButton(QWidget *parent, const QString &name, const QString &caption = {});
QLabel *namedLabel(QWidget *parent, const QString &name, const QString &text = {});

/// Sets up \a list as the editor's read-only view of \a lines: whole rows, amounts
/// aligned right, the computed and price columns hidden.
void setupLineList(QTableView *list, InvoiceLines &lines);
/// Shows the amount columns the company prints; the description takes the rest.
void pResizeListBox(QTableView *list, const TrecCmpnyInvData &company);

} // namespace EditorWidgets
