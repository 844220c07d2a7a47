#pragma once

#include <QDate>

class AppContext;

namespace StartUp {

/// Makes the data and company folders, builds the database when it is missing
/// (dated \a today), then loads the document kinds, the company record and the
/// window preferences into \a context. Throws FileError when the company folder
/// cannot be made or written, DbError when the database cannot be built or read;
/// nothing is shown then. Gives false when the file is older and the user chose to
/// leave it as it is rather than have it brought up to date: the program then ends.
bool pStartUp(AppContext &context, QDate today = QDate::currentDate());

/// Writes the window preferences back, then removes the planner's old activities
/// as of \a today; run when the main window closes. Throws DbError.
void pShutDown(AppContext &context, QDate today = QDate::currentDate());

} // namespace StartUp
