#include "TablePrintout.h"

ListPrintout TablePrintout::toListPrintout() const
{
    QStringList widthTexts;
    for (double width : widths)
        widthTexts << QString::number(width, 'g', 6); // QString::number never follows the locale
    ListPrintout printout;
    printout.parameters.insert(TableParameters::title, title);
    printout.parameters.insert(TableParameters::subTitle, subTitle.join(QLatin1Char('\n')));
    printout.parameters.insert(TableParameters::columnWidths, widthTexts.join(QLatin1Char(',')));
    printout.parameters.insert(TableParameters::rightAligned, rightAligned);
    printout.rows = RowFeed{QStringLiteral("RvCustomConnectionTable"), headings, rows};
    return printout;
}
