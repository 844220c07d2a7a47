#include "SaveConflict.h"

#include "core/Prompts.h"
#include "invoice/DocumentContext.h"
#include "invoice/DocumentKinds.h"
#include "invoice/DocumentMerge.h"
#include "invoice/DocumentStore.h"

namespace SaveConflict {

namespace {

QString captionOf(const TrecInvHeader &h)
{
    return h.strInvName + QLatin1Char(' ') + QString::number(h.intInvNumber);
}

Outcome reportingError(DocumentContext &context, const std::function<Outcome()> &work)
{
    try {
        return work();
    } catch (const RowConflict &conflict) {
        return resolve(context, conflict);
    } catch (const DbError &error) {
        context.prompts().showError(error.message(), error.detail());
        return Outcome::KeptEditing;
    }
}

Outcome storeAgain(DocumentContext &context)
{
    if (!RowVersions::askStoreAgain(context.prompts(), captionOf(context.document.header)))
        return Outcome::KeptEditing;
    return reportingError(context, [&] {
        DocumentStore store(context);
        store.storeAgainIfDeleted();
        (void)store.pSaveInvoice();
        return Outcome::Saved;
    });
}

Outcome overwrite(DocumentContext &context, const CurrentDocument &theirs)
{
    CurrentDocument &mine = context.document;
    const QStringList lost = DocumentMerge::lostByOverwrite(mine, theirs, context.locale);
    if (!lost.isEmpty() && !RowVersions::confirmLoss(context.prompts(), captionOf(mine.header), lost))
        return Outcome::KeptEditing;
    const TrecSavedData seen = mine.saved;
    // Written over the version just shown, and posted against what it holds; should
    // it change once more, the user is asked again.
    mine.saved = theirs.saved;
    return reportingError(context, [&] {
        try {
            (void)DocumentStore(context).pSaveInvoice();
        } catch (const DbError &) {
            mine.saved = seen;
            throw;
        }
        return Outcome::Saved;
    });
}

Outcome keepAsNew(DocumentContext &context)
{
    CurrentDocument &mine = context.document;
    const TrecInvHeader header = mine.header;
    const QList<Payment> payments = mine.payments;
    const QString original = captionOf(header);
    // The payments already stored stay with the original.
    mine.payments = DocumentMerge::newPayments(mine);
    mine.header.dbPaidAmount = Payments::sum(mine.payments);
    mine.header.blnNewInvoice = true;
    // A copy is billed by its lines, not by a job's progress bills.
    mine.progress.reset();
    const Outcome outcome = reportingError(context, [&] {
        DocumentStore store(context);
        mine.header.intInvNumber = store.GetInvoiceNumber();
        (void)store.pSaveInvoice();
        return Outcome::Saved;
    });
    if (outcome != Outcome::Saved) {
        mine.header = header;
        mine.payments = payments;
        return outcome;
    }
    context.prompts().ShowInformation(QStringLiteral("Your version was saved as %1. %2 stays as the other copy "
                                                     "stored it.")
                                          .arg(captionOf(mine.header), original));
    return outcome;
}

Outcome takeTheirs(DocumentContext &context)
{
    return reportingError(context, [&] {
        DocumentStore(context).pLoadInvoice();
        return Outcome::TookTheirs;
    });
}

} // namespace

Outcome resolve(DocumentContext &context, const RowConflict &conflict)
{
    if (conflict.kind() == RowConflict::Kind::DeletedMeanwhile)
        return storeAgain(context);

    CurrentDocument &mine = context.document;
    CurrentDocument theirs(context.edition());
    theirs.header.intInvNumber = mine.header.intInvNumber;
    theirs.header.blnManualForm = mine.header.blnManualForm;
    try {
        DocumentStore(context, theirs).pLoadInvoice();
    } catch (const DbError &error) {
        context.prompts().showError(error.message(), error.detail());
        return Outcome::KeptEditing;
    }

    enum Button { TakeTheirs, Overwrite, KeepAsNew, Cancel };
    QStringList buttons = {QStringLiteral("&Take Theirs"), QStringLiteral("&Overwrite Theirs..."),
                           QStringLiteral("&Keep Mine as New"), QStringLiteral("Cancel")};
    QString message = QStringLiteral("%1 was changed by another copy of the program after you opened it.\n\n"
                                     "Take Theirs shows it as stored now and drops your changes.\n"
                                     "Overwrite Theirs stores your version after showing what theirs would lose.")
                          .arg(captionOf(mine.header));
    // A copied invoice would bill and post twice.
    const bool mayKeepAsNew = DocumentKinds::isDepositKind(mine.header.strInvName);
    if (mayKeepAsNew)
        message += QStringLiteral("\nKeep Mine as New saves your version as a new %1.").arg(mine.header.strInvName);
    else
        buttons[KeepAsNew].clear();
    QStringList offered = buttons;
    offered.removeAll(QString());
    const int picked = context.prompts().ShowChoice(message, offered, int(offered.size()) - 1,
                                                    int(offered.size()) - 1);
    const int button = picked >= 0 && picked < offered.size() ? int(buttons.indexOf(offered.at(picked))) : Cancel;
    switch (button) {
    case TakeTheirs:
        return takeTheirs(context);
    case Overwrite:
        return overwrite(context, theirs);
    case KeepAsNew:
        return keepAsNew(context);
    default:
        return Outcome::KeptEditing;
    }
}

} // namespace SaveConflict
