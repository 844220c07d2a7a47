#include "Edition.h"

#include "DocumentKindNames.h"

Edition::Edition(int number, QString name, QString helpFile, QStringList invoiceTypes)
    : m_number(number)
    , m_name(std::move(name))
    , m_helpFile(std::move(helpFile))
    , m_invoiceTypes(std::move(invoiceTypes))
{
}

const std::array<Edition, 4> &Edition::all()
{
    using namespace DocumentKinds;
    static const std::array<Edition, 4> editions = {
        Edition(Edition::Corvalo, "Corvalo", "corvalohelp.html",
                {kEstimate, kWorkOrder, kChangeOrder, kInvoice, kCredit, kPastDue}),
        Edition(Edition::Heddrin, "Heddrin", "heddrinhelp.html",
                {kEstimate, kWorkOrder, kChangeOrder, kInvoice, kCredit, kPastDue}),
        Edition(Edition::Ostrev, "Ostrev", "ostrevhelp.html", {kEstimate, kWorkOrder, kInvoice, kCredit, kPastDue}),
        Edition(Edition::Lunvard, "Lunvard", "lunvardhelp.html", {kEstimate, kInvoice}),
    };
    return editions;
}

const Edition &Edition::get(int number)
{
    Q_ASSERT(number >= 1 && number <= 4);
    return all().at(std::size_t(number - 1));
}

const Edition *Edition::byName(const QString &name)
{
    for (const Edition &edition : all()) {
        if (edition.GetEditionName().compare(name, Qt::CaseInsensitive) == 0)
            return &edition;
    }
    return nullptr;
}

QString Product::GetCompanyName()
{
    return QStringLiteral("Tarnwick Software");
}

QString Product::GetProductTitle(const Edition &edition)
{
    return QStringLiteral("Tarnwick ") + edition.GetEditionName();
}

QString Product::versionText()
{
    return QStringLiteral("%1.%2.%3.%4").arg(kVersion[0]).arg(kVersion[1]).arg(kVersion[2]).arg(kVersion[3]);
}
