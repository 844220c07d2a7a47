#include "PostingRuleStep.h"

#include "Database.h"

namespace PostingRuleStep {

void markPostingsBeforeCents(Database &db, const SchemaUpgrade::UpgradeContext &, SchemaUpgrade::UpgradeReport &)
{
    // A file that already has the column knows how each row posted.
    if (db.columnExists(QStringLiteral("tblInvHeader"), QStringLiteral("strPostedInCents")))
        return;
    // Rows written from now on post in cents; only the rows already there did not.
    db.exec(QStringLiteral("ALTER TABLE tblInvHeader ADD COLUMN strPostedInCents TEXT NOT NULL DEFAULT '-1'"));
    db.exec(QStringLiteral("UPDATE tblInvHeader SET strPostedInCents = '0'"));
}

} // namespace PostingRuleStep
