#pragma once

#include "core/DocumentKindNames.h"

#include <QColor>
#include <QDate>
#include <QLocale>
#include <QString>

struct CompanyRecord;
class Edition;

namespace DocumentKinds {

/// Estimate, Work Order and Change Order show the deposit where others show the paid amount.
[[nodiscard]] bool isDepositKind(const QString &name);

/// The company colour of the kind; an invalid QColor for a name that matches no kind
/// (such documents print their coloured parts in black).
[[nodiscard]] QColor colorOf(const QString &name, const CompanyRecord &company);

/// The fields of a document the subtitle is made from.
struct TitleSource
{
    QString strInvName;
    QDate strInvDate;
    QString strFromInvNameNumber;
};

/// The document's subtitle ("Estimate Valid Until ...", "Credit for Invoice 512"),
/// or empty text. An estimate whose date cannot be read gets no validity line.
[[nodiscard]] QString GetInvoiceTitle(const TitleSource &document, int numEstDays, const Edition &edition,
                                      const QLocale &locale);

} // namespace DocumentKinds
