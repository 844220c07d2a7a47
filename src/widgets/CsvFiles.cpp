#include "CsvFiles.h"

#include "TfrmImport.h"
#include "core/FileTargets.h"
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

QString rows(int count)
{
    return count == 1 ? QStringLiteral("1 row") : QStringLiteral("%1 rows").arg(count);
}

/// The paths the user chose, ".csv" added to a name typed without a suffix, once
/// every existing one may be replaced; empty when the user gave up.
QStringList chooseFiles(Prompts &prompts, const QString &title, const QString &suggestedName,
                        const QList<ExportPart> &parts)
{
    QString suggested = QDir(documentsFolder()).filePath(suggestedName + QStringLiteral(".csv"));
    while (true) {
        const QString chosen = FileTargets::withSuffix(
            prompts.chooseSaveFile(title, suggested, QStringLiteral("CSV Files (*.csv)")), QStringLiteral(".csv"));
        if (chosen.isEmpty())
            return {};
        const QFileInfo first(chosen);
        QStringList paths;
        for (const ExportPart &part : parts) {
            paths << (part.nameSuffix.isEmpty()
                          ? chosen
                          : first.dir().filePath(first.completeBaseName() + part.nameSuffix + QStringLiteral(".")
                                                 + first.suffix()));
        }
        if (FileTargets::mayReplace(prompts, paths))
            return paths;
        // Not replaced: the user may pick another name.
        suggested = chosen;
    }
}

} // namespace

bool pExport(Prompts &prompts, const QString &title, const QString &suggestedName, const QString &nothingNotice,
             const std::function<QList<ExportPart>()> &produce)
{
    QList<ExportPart> parts;
    try {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
        parts = produce();
    } catch (const DbError &error) {
        prompts.showError(error.message(), error.detail());
        return false;
    }
    if (parts.isEmpty() || parts.first().content.rowCount() == 0) {
        prompts.ShowInformation(nothingNotice);
        return false;
    }
    const QStringList paths = chooseFiles(prompts, title, suggestedName, parts);
    if (paths.isEmpty())
        return false;
    QList<std::pair<QString, QByteArray>> files;
    QStringList written;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        files.append({paths[i], parts[i].content.bytes()});
        written << QStringLiteral("%1 to %2").arg(rows(parts[i].content.rowCount()), FileTargets::shown(paths[i]));
    }
    try {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
        Csv::saveFiles(files);
    } catch (const Csv::CsvError &error) {
        prompts.showError(error.message());
        return false;
    }
    prompts.ShowInformation(QStringLiteral("Wrote %1.").arg(written.join(QStringLiteral(" and "))));
    return true;
}

} // namespace CsvFiles
