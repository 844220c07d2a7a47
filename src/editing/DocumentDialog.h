#pragma once

#include "context/AppContext.h"

class QWidget;

/// Opens one of the dialogs that change the current document: clears the document
/// changed flag, shows the dialog modally over \a owner (with \a extra, such as
/// the pick mode of a list window) and destroys it when it closes. Returns whether
/// the dialog changed the document.
template<typename Dialog, typename... Extra>
bool openDocumentDialog(AppContext &context, QWidget *owner, Extra... extra)
{
    Dialog dialog(context, owner, extra...);
    dialog.exec();
    return dialog.changedDocument();
}
