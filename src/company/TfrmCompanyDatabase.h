#pragma once

#include "data/ServerChoice.h"

#include <QDialog>

class CompanyContext;
class Prompts;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

/// Where the company is kept: the file on this computer or an office server (host,
/// port, database, user, TLS). For copying the company to a server, only the
/// server is asked for.
class TfrmCompanyDatabase final : public QDialog
{
    Q_OBJECT
public:
    enum class Purpose { Choose, CopyToServer };

    TfrmCompanyDatabase(Purpose purpose, const ServerChoice::Choice &choice, Prompts &prompts,
                        QWidget *parent = nullptr);

    /// The company settings' choice: asks, remembers it for the next start and says so.
    static void chooseFor(CompanyContext &context, QWidget *parent = nullptr);

    [[nodiscard]] ServerChoice::Choice choice() const;
    /// Takes the choice only when a server chosen names its database and user.
    void accept() override;

private:
    void showServerFields();

    Prompts &m_prompts;
    QRadioButton *m_thisComputer = nullptr;
    QRadioButton *m_officeServer = nullptr;
    QLineEdit *m_host;
    QSpinBox *m_port;
    QLineEdit *m_database;
    QLineEdit *m_user;
    QComboBox *m_sslMode;
};
