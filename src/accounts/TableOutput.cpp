#include "TableOutput.h"

#include "context/AppContext.h"
#include "core/Edition.h"
#include "core/PrintModule.h"
#include "core/Prompts.h"
#include "core/TablePrintout.h"
#include "widgets/CommandBar.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QToolBar>

namespace {

enum class Output { Preview, Print, Pdf };

QString tr(const char *text)
{
    return QCoreApplication::translate("TableOutput", text);
}

void send(AppContext &context, const TablePrintout &table, Output output)
{
    if (!context.printModule) {
        context.prompts().ShowInformation(tr("Printing is not available yet."));
        return;
    }
    const PrintRequest request = PrintRequest::list(PrintKind::Table, table.toListPrintout());
    switch (output) {
    case Output::Preview:
        context.printModule->pPrintPreview(request);
        break;
    case Output::Print:
        (void)context.printModule->pPrint(request);
        break;
    case Output::Pdf:
        (void)context.printModule->pSaveAsPDF(request);
        break;
    }
}

} // namespace

TableOutput TableOutput::make(QDialog *window, AppContext &context, std::function<TablePrintout()> table)
{
    using C = Icons::Command;
    TableOutput output;
    output.bar = makeCommandBar(window, QStringLiteral("ToolBar") + window->objectName());
    QAction *close = addCommand(output.bar, QStringLiteral("actClose"), tr("Close"), tr("Close"), C::Close);
    output.bar->addSeparator();
    output.actPrintPreview = addCommand(output.bar, QStringLiteral("actPrintPreview"), tr("Print Preview"),
                                        tr("Print Preview"), C::PrintPreview);
    output.actPrint = addCommand(output.bar, QStringLiteral("actPrint"), tr("Print"), tr("Print"), C::Print);
    output.actPDF = addCommand(output.bar, QStringLiteral("actPDF"), tr("PDF"), tr("Save as a PDF"), C::Pdf);
    output.actPrintPreview->setVisible(context.edition().IsFullEdition());

    QObject::connect(close, &QAction::triggered, window, &QDialog::reject);
    const auto wire = [&](QAction *action, Output kind) {
        QObject::connect(action, &QAction::triggered, window,
                         [&context, table, kind] { send(context, table(), kind); });
    };
    wire(output.actPrintPreview, Output::Preview);
    wire(output.actPrint, Output::Print);
    wire(output.actPDF, Output::Pdf);
    return output;
}
