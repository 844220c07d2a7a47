#include "PostingRuleStep.h"

#include "Database.h"

namespace PostingRuleStep {

void markPostingsBeforeCents(Database &db, const SchemaUpgrade::UpgradeContext &, SchemaUpgrade::UpgradeReport &)
{
    // Rows written from now on post in cents; only the rows already there did not. A
    // file whose level was lost may have the column already.
    const bool hasColumn = db.queryInt(QStringLiteral(
        "SELECT count(*) FROM pragma_table_info('tblInvHeader') WHERE name = 'strPostedInCents'")) > 0;
    if (!hasColumn)
        db.exec(QStringLiteral("ALTER TABLE tblInvHeader ADD COLUMN strPostedInCents TEXT NOT NULL DEFAULT '-1'"));
    db.exec(QStringLiteral("UPDATE tblInvHeader SET strPostedInCents = '0'"));
}

} // namespace PostingRuleStep
