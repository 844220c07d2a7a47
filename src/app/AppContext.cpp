#include "AppContext.h"

#include "Edition.h"
#include "Paths.h"
#include "data/Database.h"

AppContext::AppContext(const Edition &edition, Prompts &prompts, SavingIndicator &saving)
    : document(edition)
    , m_edition(edition)
    , m_prompts(prompts)
    , m_saving(saving)
{
}

AppContext::~AppContext() = default;

QString AppContext::databasePath() const
{
    return Paths::GetDataBasePath(m_edition);
}

std::unique_ptr<Database> AppContext::openDatabase() const
{
    return std::make_unique<Database>(databasePath());
}

void AppContext::pSetInvoiceTypes()
{
    editorOpen = false;
    documentChanged = false;
    selectedLineIndex = 0;
    company.invData.strInvFootNote[0].clear();
    InvoiceTypes = m_edition.invoiceTypes();
}
