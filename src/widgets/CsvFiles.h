#pragma once

#include "csv/CsvWriter.h"

#include <QList>
#include <QString>
#include <functional>

class Prompts;
class QWidget;

namespace Csv {
class ImportJob;
}

/// Files in and out of the lists, through the Prompts service.
namespace CsvFiles {

/// Asks for a file, reads it and runs the import dialog. A file that cannot be
/// read is explained to the user. True when rows were written.
bool pImport(Csv::ImportJob &job, Prompts &prompts, QWidget *parent);

/// One file of an export: the first is named by the user, a further one is put
/// beside it with \a nameSuffix added ("Documents lines.csv").
struct ExportPart
{
    QString nameSuffix;
    Csv::Writer content;
};

/// Makes the files, then asks for a name (\a suggestedName in the documents
/// folder), asks before replacing any file and writes them all or none. When the
/// first part has no rows, \a nothingNotice is shown and no file is written. Says
/// what was written; failures are explained. True when written.
bool pExport(Prompts &prompts, const QString &title, const QString &suggestedName, const QString &nothingNotice,
             const std::function<QList<ExportPart>()> &produce);

} // namespace CsvFiles
