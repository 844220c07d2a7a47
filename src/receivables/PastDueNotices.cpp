#include "PastDueNotices.h"

#include "context/AppContext.h"
#include "core/Edition.h"
#include "core/PrintModule.h"
#include "core/Prompts.h"
#include "data/DbError.h"
#include "invoice/DocumentActions.h"
#include "invoice/DocumentStore.h"

#include <QCoreApplication>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("PastDueNotices", text);
}

QString numbers(const QList<int> &notices)
{
    QStringList texts;
    for (int notice : notices)
        texts << QString::number(notice);
    return texts.join(QStringLiteral(", "));
}

/// A notice that stands alone (its invoice deleted) is the debt itself; a notice
/// made from it would not name an invoice and would count the debt twice.
bool standsAlone(const Receivables::Row &row)
{
    return row.noticeNumber == row.invoiceNumber;
}

} // namespace

PastDueNotices::PastDueNotices(AppContext &context)
    : m_context(context)
{
}

QList<int> PastDueNotices::pMakeFor(const QList<Receivables::Row> &rows)
{
    if (rows.isEmpty()) {
        m_context.prompts().ShowInformation(tr("Select the invoices to make past-due notices for first."));
        return {};
    }
    if (!confirmed(rows))
        return {};
    const Outcome outcome = make(rows);
    if (!outcome.failures.isEmpty()) {
        QString message = tr("No past-due notice was made for:") + QLatin1Char('\n') + outcome.failures.join(QLatin1Char('\n'));
        if (!outcome.notices.isEmpty())
            message += QLatin1String("\n\n") + tr("The notices made are saved: %1.").arg(numbers(outcome.notices));
        m_context.prompts().showError(message);
    }
    if (!outcome.notices.isEmpty())
        offerOutput(outcome.notices);
    return outcome.notices;
}

bool PastDueNotices::confirmed(const QList<Receivables::Row> &rows) const
{
    const Receivables::Row &first = rows.first();
    const QString question = rows.size() == 1
        ? tr("Make a past-due notice for %1?")
              .arg(standsAlone(first) ? tr("Past Due %1").arg(first.noticeNumber) : tr("Invoice %1").arg(first.invoiceNumber))
        : tr("Make past-due notices for the %1 selected invoices?").arg(rows.size());
    // Nothing is lost by a notice too many, so Enter makes them.
    return m_context.prompts().ShowYesNo(question, Prompts::Yes) == Prompts::Yes;
}

PastDueNotices::Outcome PastDueNotices::make(const QList<Receivables::Row> &rows)
{
    Outcome outcome;
    DocumentActions actions(m_context);
    for (const Receivables::Row &row : rows) {
        if (standsAlone(row)) {
            outcome.failures << tr("Past Due %1: it is itself the notice of an invoice that was deleted.")
                                    .arg(row.noticeNumber);
            continue;
        }
        if (row.isCredit()) {
            outcome.failures << tr("Invoice %1: it owes nothing; the customer holds a credit on it.")
                                    .arg(row.invoiceNumber);
            continue;
        }
        try {
            outcome.notices << actions.createPastDue(row.invoiceNumber);
        } catch (const DbError &error) {
            outcome.failures << tr("Invoice %1: %2").arg(row.invoiceNumber).arg(error.message());
        }
    }
    return outcome;
}

void PastDueNotices::offerOutput(const QList<int> &notices)
{
    Prompts &prompts = m_context.prompts();
    const QString made = notices.size() == 1 ? tr("Past-due notice %1 is saved.").arg(notices.first())
                                             : tr("Past-due notices %1 are saved.").arg(numbers(notices));
    const QString them = notices.size() == 1 ? tr("it") : tr("them");
    QString printQuestion = made + QLatin1Char('\n') + tr("Print %1 now?").arg(them);
    if (m_context.edition().IsFullEdition()) {
        if (prompts.ShowYesNo(made + QLatin1Char('\n') + tr("Preview %1 now?").arg(them), Prompts::Yes) == Prompts::Yes) {
            output(notices, true);
            return;
        }
        printQuestion = tr("Print %1 now?").arg(them);
    }
    if (prompts.ShowYesNo(printQuestion, Prompts::Yes) == Prompts::Yes)
        output(notices, false);
}

void PastDueNotices::output(const QList<int> &notices, bool preview)
{
    if (!m_context.printModule) {
        m_context.prompts().ShowInformation(tr("Printing is not available yet."));
        return;
    }
    TrecInvHeader &h = m_context.document.header;
    const PrintRequest request = PrintRequest::of(PrintKind::CurrentDocument);
    for (int notice : notices) {
        try {
            h.blnNewInvoice = false;
            h.intInvNumber = notice;
            DocumentStore(m_context).pLoadInvoice();
        } catch (const DbError &error) {
            m_context.prompts().showError(error.message(), error.detail());
            return;
        }
        if (preview)
            m_context.printModule->pPrintPreview(request);
        else if (!m_context.printModule->pPrint(request))
            return; // the module has said why
    }
}
