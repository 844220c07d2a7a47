#include "AppContext.h"

#include "core/Edition.h"
#include "core/HelpAndWeb.h"
#include "core/Paths.h"
#include "core/Shell.h"
#include "data/Database.h"

AppContext::AppContext(const Edition &edition, Prompts &prompts, SavingIndicator &saving)
    : document(edition)
    , m_edition(edition)
    , m_prompts(prompts)
    , m_saving(saving)
{
}

AppContext::~AppContext() = default;

namespace {

// Stands in until a real shell is installed, so nothing opens by accident.
class ClosedShell final : public Shell
{
public:
    bool openFile(const QString &) override { return false; }
    bool openUrl(const QUrl &) override { return false; }
    bool composeMail(const QString &, const QString &, const QString &) override { return false; }
    void quit() override {}
};

} // namespace

Shell &AppContext::shell() const
{
    static ClosedShell closed;
    return m_shell ? *m_shell : closed;
}

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

void AppContext::pOpenHelp() const
{
    HelpAndWeb::pOpenHelp(m_edition, shell(), m_prompts);
}
