#include "RecurringRun.h"

#include "DocumentStore.h"
#include "DueDates.h"
#include "PaymentRules.h"
#include "Recurring.h"
#include "DocumentContext.h"
#include "data/BusyPolicy.h"
#include "data/Database.h"

#include <QSet>
#include <QStringList>

namespace {

// Copies made by a run that has not finished yet. Created on demand, so files made
// before this note existed take it up too.
const QString kCreateProgress = QStringLiteral(
    "CREATE TABLE IF NOT EXISTS tblRecurringRun(intSourceNumber INTEGER, intCopyNumber INTEGER)");

} // namespace

RecurringRun::RecurringRun(DocumentContext &context, Preview preview)
    : m_context(context)
    , m_preview(std::move(preview))
{
}

RecurringRun::Outcome RecurringRun::pPrintRecurring(QDate today)
{
    const BusyPolicy::OperationWait oneWait;
    Outcome outcome;
    QList<int> numbers;
    QSet<int> copiedEarlier;
    {
        const auto db = m_context.openDatabase();
        numbers = Recurring::GetRecurringNumbers(*db);
        if (numbers.isEmpty())
            return outcome;
        db->exec(kCreateProgress);
        Statement done = db->prepare(QStringLiteral("SELECT intSourceNumber FROM tblRecurringRun"));
        while (done.step())
            copiedEarlier.insert(done.intAt(0));
    }

    DocumentStore store(m_context);
    TrecInvHeader &h = m_context.document.header;
    for (qsizetype i = 0; i < numbers.size(); ++i) {
        const int source = numbers.at(i);
        if (copiedEarlier.contains(source))
            continue;
        try {
            h.blnNewInvoice = false;
            h.intInvNumber = source;
            store.pLoadInvoice();
            h.intInvNumber = store.GetInvoiceNumber();
            h.blnNewInvoice = true;
            h.strRecurring = false;
            // A fresh debt and a job of its own, due counted from the day it is made.
            PaymentRules::startWithoutPayments(m_context.document);
            h.strDueDate = DueDates::fromTerms(today, h.strCustPymntTerms);
            h.intJobID = 0;
            m_context.document.progress.reset();
            m_preview(m_context);
            const int copy = store.pSaveInvoice([source](Database &db, int number) {
                db.prepare(QStringLiteral("INSERT INTO tblRecurringRun(intSourceNumber,intCopyNumber)VALUES(?,?)"))
                    .bindAll(source, number)
                    .run();
            });
            outcome.saved.append({source, copy});
        } catch (const DbError &error) {
            outcome.error = error.message();
        } catch (const std::exception &error) {
            outcome.error = QString::fromLocal8Bit(error.what());
        }
        if (!outcome.finished()) {
            for (qsizetype rest = i; rest < numbers.size(); ++rest) {
                if (!copiedEarlier.contains(numbers.at(rest)))
                    outcome.notSaved.append(numbers.at(rest));
            }
            return outcome;
        }
    }

    const auto db = m_context.openDatabase();
    Transaction tx(*db);
    Recurring::pSetLastPrinted(*db, today);
    db->exec(QStringLiteral("DELETE FROM tblRecurringRun"));
    tx.commit();
    return outcome;
}

QString RecurringRun::describeStop(const Outcome &outcome)
{
    QStringList saved;
    for (const auto &[source, copy] : outcome.saved)
        saved << QStringLiteral("Invoice %1 (copy of %2)").arg(copy).arg(source);
    QStringList missing;
    for (int source : outcome.notSaved)
        missing << QString::number(source);
    return QStringLiteral("Printing recurring invoices stopped: %1\n\nCopies saved: %2\nNot copied yet: %3\n\n"
                          "Run Print Recurring again to make the missing copies.")
        .arg(outcome.error, saved.isEmpty() ? QStringLiteral("none") : saved.join(QStringLiteral(", ")),
             missing.join(QStringLiteral(", ")));
}
