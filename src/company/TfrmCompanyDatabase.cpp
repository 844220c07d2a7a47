#include "TfrmCompanyDatabase.h"

#include "company/CompanyContext.h"
#include "core/Prompts.h"
#include "data/FileError.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// The client library's own TLS modes; the first leaves it to its settings (PGSSLMODE).
const QStringList kSslModes = {QString(), QStringLiteral("disable"), QStringLiteral("prefer"), QStringLiteral("require"),
                               QStringLiteral("verify-ca"), QStringLiteral("verify-full")};

} // namespace

TfrmCompanyDatabase::TfrmCompanyDatabase(Purpose purpose, const ServerChoice::Choice &choice, Prompts &prompts,
                                         QWidget *parent)
    : QDialog(parent)
    , m_prompts(prompts)
    , m_host(new QLineEdit(choice.server.host, this))
    , m_port(new QSpinBox(this))
    , m_database(new QLineEdit(choice.server.database, this))
    , m_user(new QLineEdit(choice.server.user, this))
    , m_sslMode(new QComboBox(this))
{
    setObjectName(QStringLiteral("frmCompanyDatabase"));
    setWindowTitle(purpose == Purpose::Choose ? tr("Company Database") : tr("Copy Company to Server"));
    auto *layout = new QVBoxLayout(this);
    if (purpose == Purpose::Choose) {
        m_thisComputer = new QRadioButton(tr("&This computer"), this);
        m_thisComputer->setObjectName(QStringLiteral("rbThisComputer"));
        m_officeServer = new QRadioButton(tr("Office ser&ver"), this);
        m_officeServer->setObjectName(QStringLiteral("rbOfficeServer"));
        (choice.onServer ? m_officeServer : m_thisComputer)->setChecked(true);
        connect(m_officeServer, &QRadioButton::toggled, this, &TfrmCompanyDatabase::showServerFields);
        layout->addWidget(m_thisComputer);
        layout->addWidget(m_officeServer);
    } else {
        layout->addWidget(new QLabel(tr("The company is copied into an empty database on the office server."), this));
    }

    m_host->setObjectName(QStringLiteral("edtServerHost"));
    m_host->setPlaceholderText(tr("this computer"));
    m_port->setObjectName(QStringLiteral("spnServerPort"));
    m_port->setRange(1, 65535);
    m_port->setValue(choice.server.port);
    m_database->setObjectName(QStringLiteral("edtServerDatabase"));
    m_user->setObjectName(QStringLiteral("edtServerUser"));
    m_sslMode->setObjectName(QStringLiteral("cmbServerSslMode"));
    for (const QString &mode : kSslModes)
        m_sslMode->addItem(mode.isEmpty() ? tr("as the client library is set") : mode, mode);
    m_sslMode->setCurrentIndex(std::max(0, int(kSslModes.indexOf(choice.server.sslMode))));

    auto *fields = new QFormLayout;
    fields->addRow(tr("&Host:"), m_host);
    fields->addRow(tr("&Port:"), m_port);
    fields->addRow(tr("&Database:"), m_database);
    fields->addRow(tr("&User:"), m_user);
    fields->addRow(tr("TLS &mode:"), m_sslMode);
    layout->addLayout(fields);
    auto *password = new QLabel(tr("The password comes from the PostgreSQL password file (~/.pgpass or PGPASSFILE), "
                                   "or is asked for once each time the program starts."),
                                this);
    password->setWordWrap(true);
    layout->addWidget(password);
    if (purpose == Purpose::Choose) {
        // Every open list reads the database it started with; they are not all reopened.
        auto *when = new QLabel(tr("The choice takes effect the next time the program starts. Until then it keeps "
                                   "working with the database in use now."),
                                this);
        when->setObjectName(QStringLiteral("lblTakesEffect"));
        when->setWordWrap(true);
        layout->addWidget(when);
    }

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("bbxCompanyDatabase"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TfrmCompanyDatabase::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TfrmCompanyDatabase::reject);
    layout->addWidget(buttons);
    showServerFields();
}

void TfrmCompanyDatabase::showServerFields()
{
    const bool server = !m_officeServer || m_officeServer->isChecked();
    for (QWidget *field : std::initializer_list<QWidget *>{m_host, m_port, m_database, m_user, m_sslMode})
        field->setEnabled(server);
}

ServerChoice::Choice TfrmCompanyDatabase::choice() const
{
    ServerChoice::Choice choice;
    choice.onServer = !m_officeServer || m_officeServer->isChecked();
    choice.server.host = m_host->text().trimmed();
    choice.server.port = m_port->value();
    choice.server.database = m_database->text().trimmed();
    choice.server.user = m_user->text().trimmed();
    choice.server.sslMode = m_sslMode->currentData().toString();
    return choice;
}

void TfrmCompanyDatabase::accept()
{
    const ServerChoice::Choice chosen = choice();
    if (chosen.onServer && (chosen.server.database.isEmpty() || chosen.server.user.isEmpty())) {
        m_prompts.ShowInformation(tr("Please enter the server's database and user."));
        (chosen.server.database.isEmpty() ? m_database : m_user)->setFocus();
        return;
    }
    QDialog::accept();
}

void TfrmCompanyDatabase::chooseFor(CompanyContext &context, QWidget *parent)
{
    const QString path = context.databasePath();
    const ServerChoice::Choice before = ServerChoice::remembered(path);
    TfrmCompanyDatabase dialog(Purpose::Choose, before, context.prompts(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const ServerChoice::Choice chosen = dialog.choice();
    try {
        ServerChoice::remember(path, chosen);
    } catch (const FileError &error) {
        context.prompts().showError(error.message());
        return;
    }
    if (chosen.onServer != before.onServer || (chosen.onServer && chosen.server.shownName() != before.server.shownName())) {
        context.prompts().ShowInformation(
            chosen.onServer ? tr("From its next start the program works with the company on the office server %1.")
                                  .arg(chosen.server.shownName())
                            : tr("From its next start the program works with the company file on this computer."));
    }
}
