#include "StoredDocuments.h"

#include "DocumentContext.h"
#include "DocumentKinds.h"
#include "DocumentStore.h"
#include "PaymentRules.h"
#include "data/Database.h"

#include <QVariant>

namespace StoredDocuments {

QString Summary::name() const
{
    return header.strInvName + QLatin1Char(' ') + QString::number(header.intInvNumber);
}

bool isInvoiceTurnedCredit(const TrecInvHeader &header)
{
    using namespace DocumentKinds;
    return is(header.strInvName, kCredit)
        && is(header.strFromInvNameNumber, kInvoice + QLatin1Char(' ') + QString::number(header.intInvNumber));
}

QList<Summary> load(DocumentContext &context, const QList<int> &numbers)
{
    CurrentDocument scratch(context.edition());
    DocumentStore store(context, scratch);
    QList<Summary> summaries;
    summaries.reserve(numbers.size());
    for (int number : numbers) {
        scratch.header.blnNewInvoice = false;
        scratch.header.intInvNumber = number;
        store.pLoadInvoice();
        summaries.append({scratch.header, scratch.payments, PaymentRules::grandTotal(scratch.totals),
                          PaymentRules::balance(scratch), scratch.progress});
    }
    return summaries;
}

QList<int> numbers(DataContext &context, const QString &sql, const QVariantList &values)
{
    const auto db = context.openDatabase();
    Statement q = db->prepare(sql);
    for (int i = 0; i < values.size(); ++i) {
        const QVariant &value = values.at(i);
        if (value.typeId() == QMetaType::QString)
            q.bind(i + 1, value.toString());
        else
            q.bind(i + 1, value.toLongLong());
    }
    QList<int> result;
    while (q.step())
        result.append(q.intAt(0));
    return result;
}

} // namespace StoredDocuments
