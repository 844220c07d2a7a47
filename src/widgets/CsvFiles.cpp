#include "CsvFiles.h"

#include "TfrmImport.h"
#include "core/Prompts.h"
#include "csv/CsvWriter.h"
#include "data/DbError.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QStandardPaths>

namespace CsvFiles {

namespace {

QString documentsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

} // namespace

bool pImport(Csv::ImportJob &job, Prompts &prompts, QWidget *parent)
{
    const QString path = prompts.chooseOpenFile(job.title(), documentsFolder(),
                                                QStringLiteral("CSV Files (*.csv *.txt);;All Files (*)"));
    if (path.isEmpty())
        return false;
    Csv::Table table;
    try {
        table = Csv::readFile(path);
    } catch (const Csv::CsvError &error) {
        prompts.showError(error.message());
        return false;
    }
    TfrmImport dialog(job, table, path, prompts, parent);
    return dialog.exec() == QDialog::Accepted;
}

namespace {

/// The file the user chooses, with ".csv" added when no suffix was typed.
QString chooseCsvFile(Prompts &prompts, const QString &title, const QString &suggestedName)
{
    QString path = prompts.chooseSaveFile(title, QDir(documentsFolder()).filePath(suggestedName + QStringLiteral(".csv")),
                                          QStringLiteral("CSV Files (*.csv)"));
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    return path;
}

/// Makes and writes the files; a failure is explained and nothing half-written is left.
bool writeFiles(Prompts &prompts, const std::function<QList<std::pair<QString, QByteArray>>()> &produce)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    try {
        for (const auto &[path, bytes] : produce())
            Csv::saveFile(path, bytes);
    } catch (const DbError &error) {
        prompts.showError(error.message());
        return false;
    } catch (const Csv::CsvError &error) {
        prompts.showError(error.message());
        return false;
    }
    return true;
}

} // namespace

bool pExport(Prompts &prompts, const QString &title, const QString &suggestedName,
             const std::function<QByteArray()> &produce)
{
    const QString path = chooseCsvFile(prompts, title, suggestedName);
    if (path.isEmpty())
        return false;
    return writeFiles(prompts, [&] { return QList<std::pair<QString, QByteArray>>{{path, produce()}}; });
}

bool pExportTwo(Prompts &prompts, const QString &title, const QString &suggestedName, const QString &secondSuffix,
                const std::function<std::pair<QByteArray, QByteArray>()> &produce)
{
    const QString path = chooseCsvFile(prompts, title, suggestedName);
    if (path.isEmpty())
        return false;
    const QFileInfo chosen(path);
    const QString second = chosen.dir().filePath(chosen.completeBaseName() + QLatin1Char(' ') + secondSuffix
                                                 + QStringLiteral(".csv"));
    return writeFiles(prompts, [&] {
        const auto [first, other] = produce();
        return QList<std::pair<QString, QByteArray>>{{path, first}, {second, other}};
    });
}

} // namespace CsvFiles
