#pragma once

#include "context/AppContext.h"

class QWidget;

/// Opens one of the dialogs that change the current document: clears the document
/// changed flag, shows the dialog modally over \a owner and destroys it when it
/// closes. Returns whether the dialog changed the document.
template<typename Dialog>
bool openDocumentDialog(AppContext &context, QWidget *owner)
{
    context.documentChanged = false;
    {
        Dialog dialog(context, owner);
        dialog.exec();
    }
    return context.documentChanged;
}
