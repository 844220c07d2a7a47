#pragma once

#include <QByteArray>
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

/// Asks for a file name (\a suggestedName in the documents folder) and writes what
/// \a produce makes. Failures are explained to the user; true when written.
bool pExport(Prompts &prompts, const QString &title, const QString &suggestedName,
             const std::function<QByteArray()> &produce);

/// The same for two files made together: the chosen one gets the first part, a
/// file beside it named with \a secondSuffix ("Documents lines.csv") the second.
bool pExportTwo(Prompts &prompts, const QString &title, const QString &suggestedName, const QString &secondSuffix,
                const std::function<std::pair<QByteArray, QByteArray>()> &produce);

} // namespace CsvFiles
