#include "DataContext.h"

#include "Database.h"
#include "core/HelpAndWeb.h"
#include "core/Paths.h"
#include "core/Shell.h"

DataContext::DataContext(const Edition &edition, Prompts &prompts, SavingIndicator &saving)
    : m_edition(edition)
    , m_prompts(prompts)
    , m_saving(saving)
{
}

namespace {

// Stands in until a real shell is installed, so nothing opens by accident.
class ClosedShell final : public Shell
{
public:
    bool openFile(const QString &) override { return false; }
    bool openUrl(const QUrl &) override { return false; }
    MailOutcome composeMail(const QString &, const QString &, const QString &) override
    {
        return MailOutcome::NoMailProgram;
    }
    void quit() override {}
};

} // namespace

Shell &DataContext::shell() const
{
    static ClosedShell closed;
    return m_shell ? *m_shell : closed;
}

QString DataContext::databasePath() const
{
    return Paths::GetDataBasePath(m_edition);
}

std::unique_ptr<Database> DataContext::openDatabase() const
{
    auto db = std::make_unique<Database>(databasePath());
    db->setWaitShownOn(&m_saving);
    return db;
}

void DataContext::pOpenHelp() const
{
    HelpAndWeb::pOpenHelp(m_edition, shell(), m_prompts);
}
