#include "StorageFormUpgrade.h"

#include "Database.h"

#include <map>

namespace StorageFormUpgrade {

void pConvertStoredTexts(Database &db, const SchemaUpgrade::UpgradeContext &context,
                         SchemaUpgrade::UpgradeReport &report)
{
    db.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS tblUnreadValues(intUnreadValueID INTEGER PRIMARY KEY,"
                           "strTableName TEXT NOT NULL,strColumnName TEXT NOT NULL,intRowID INTEGER NOT NULL,"
                           "strRowName TEXT NOT NULL,strStoredText TEXT NOT NULL)"));
    const QList<OldStoredTexts::Text> texts = OldStoredTexts::readAll(db);
    const WritingForm form = context.writingForm.value_or(WritingForm(context.locale));
    const FileReading reading = readUnder(form, texts, context.today);

    Statement note = db.prepare(QStringLiteral("INSERT INTO tblUnreadValues(strTableName,strColumnName,intRowID,"
                                               "strRowName,strStoredText) VALUES (?,?,?,?,?)"));
    std::map<const OldStoredTexts::Column *, Statement> updates;
    for (qsizetype i = 0; i < texts.size(); ++i) {
        const OldStoredTexts::Text &text = texts.at(i);
        const std::optional<QString> &converted = reading.values.at(i);
        if (!converted) {
            report.unreadValues << QStringLiteral("%1, %2: \"%3\"").arg(text.rowName, text.column->caption, text.text);
            note.bindAll(text.column->table, text.column->column, text.rowId, text.rowName, text.text).run();
            note.reset();
            continue;
        }
        if (*converted == text.text)
            continue;
        auto update = updates.find(text.column);
        if (update == updates.end()) {
            const QString sql = QStringLiteral("UPDATE %1 SET %2 = ? WHERE %3 = ?");
            update = updates
                         .emplace(text.column,
                                  db.prepare(sql.arg(text.column->table, text.column->column, text.column->key())))
                         .first;
        }
        update->second.bindAll(*converted, text.rowId).run();
        update->second.reset();
    }
}

} // namespace StorageFormUpgrade
