#include "TfrmCustomerStatement.h"
#include "AccountTables.h"
#include "TableOutput.h"

#include "context/AppContext.h"
#include "core/Prompts.h"
#include "data/DateText.h"
#include "data/DbError.h"
#include "widgets/InputGuards.h"
#include "widgets/Mnemonics.h"
#include "widgets/ReadOnlyList.h"
#include "widgets/TextFields.h"

#include <QComboBox>
#include <QCompleter>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr double kPixelsPerInch = 96;
constexpr int kDescriptionColumn = 1;
constexpr int kVisibleItems = 14;

DateField *dateField(QWidget *parent, const QString &name, const QLocale &locale, QDate date)
{
    auto *field = new DateField(parent);
    field->setObjectName(name);
    field->setCalendarPopup(true);
    field->setLocale(locale);
    field->setDisplayFormat(DateText::shortDateFormat(locale));
    field->setDate(date);
    return field;
}

} // namespace

TfrmCustomerStatement::TfrmCustomerStatement(AppContext &context,
                                             const std::optional<CustomerStatement::Customer> &customer,
                                             QWidget *parent)
    : QDialog(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmCustomerStatement"));
    setWindowTitle(tr("Customer Statement"));
    setModal(true);

    m_output = std::make_unique<TableOutput>(TableOutput::make(this, context, [this] { return printout(); }));

    m_cmbCustomer = new QComboBox(this);
    m_cmbCustomer->setObjectName(QStringLiteral("cmbCustomer"));
    m_cmbCustomer->setEditable(true);
    m_cmbCustomer->setInsertPolicy(QComboBox::NoInsert);
    m_cmbCustomer->setMaxVisibleItems(kVisibleItems);
    m_cmbCustomer->setToolTip(tr("Choose or type the customer"));
    m_cmbCustomer->completer()->setCompletionMode(QCompleter::PopupCompletion);
    m_cmbCustomer->completer()->setFilterMode(Qt::MatchContains);
    m_cmbCustomer->completer()->setCaseSensitivity(Qt::CaseInsensitive);

    const QDate today = QDate::currentDate();
    const QDate threeMonthsBack = today.addMonths(-3);
    m_dtpFrom = dateField(this, QStringLiteral("dtpFrom"), context.locale,
                          QDate(threeMonthsBack.year(), threeMonthsBack.month(), 1));
    m_dtpTo = dateField(this, QStringLiteral("dtpTo"), context.locale, today);
    m_dtpFrom->setToolTip(tr("First day of the statement"));
    m_dtpTo->setToolTip(tr("Last day of the statement"));

    m_lstvwStatement = makeReadOnlyList(this, QStringLiteral("lstvwStatement"), &m_model);
    m_lstvwStatement->horizontalHeader()->setSectionsClickable(false);
    m_lstvwStatement->horizontalHeader()->setStretchLastSection(false);
    m_lstvwStatement->setToolTip(tr("The customer's charges, payments and credits with the running balance"));

    using TextFields::label;
    auto *choices = new QHBoxLayout;
    choices->addWidget(label(tr("&Customer: "), m_cmbCustomer));
    choices->addWidget(m_cmbCustomer, 1);
    choices->addSpacing(12);
    choices->addWidget(label(tr("&From: "), m_dtpFrom));
    choices->addWidget(m_dtpFrom);
    choices->addWidget(label(tr("&To: "), m_dtpTo));
    choices->addWidget(m_dtpTo);
    auto *body = new QVBoxLayout;
    body->setContentsMargins(8, 4, 8, 8);
    body->addLayout(choices);
    body->addWidget(m_lstvwStatement, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(m_output->bar);
    layout->addLayout(body, 1);
    setTabOrder(m_cmbCustomer, m_dtpFrom);
    setTabOrder(m_dtpFrom, m_dtpTo);
    setTabOrder(m_dtpTo, m_lstvwStatement);

    fillCustomers(customer);
    pBuildStatement();
    for (int column = 0; column < m_model.columnCount(); ++column)
        m_lstvwStatement->setColumnWidth(column, int(m_model.table().widths.value(column) * kPixelsPerInch));
    m_lstvwStatement->horizontalHeader()->setSectionResizeMode(kDescriptionColumn, QHeaderView::Stretch);

    connect(m_cmbCustomer, &QComboBox::currentIndexChanged, this, &TfrmCustomerStatement::pBuildStatement);
    // A typed name counts at once: the customer it names, or no one while it names none.
    connect(m_cmbCustomer, &QComboBox::editTextChanged, this, [this](const QString &text) {
        const int found = m_cmbCustomer->findText(text, Qt::MatchFixedString);
        if (found >= 0 && found != m_cmbCustomer->currentIndex())
            m_cmbCustomer->setCurrentIndex(found);
        else
            pBuildStatement();
    });
    connect(m_dtpFrom, &QDateEdit::dateChanged, this, &TfrmCustomerStatement::pBuildStatement);
    connect(m_dtpTo, &QDateEdit::dateChanged, this, &TfrmCustomerStatement::pBuildStatement);

    Mnemonics::giveCommands(this);
    WheelGuard::protect(this);
    resize(860, 560);
    m_cmbCustomer->setFocus();
}

TfrmCustomerStatement::~TfrmCustomerStatement() = default;

void TfrmCustomerStatement::fillCustomers(const std::optional<CustomerStatement::Customer> &preselected)
{
    try {
        m_customers = CustomerStatement::customersWithDocuments(m_context);
    } catch (const DbError &error) {
        m_context.prompts().showError(error.message(), error.detail());
    }
    int current = m_customers.isEmpty() ? -1 : 0;
    if (preselected) {
        const auto same = [&](const CustomerStatement::Customer &c) {
            return preselected->id != 0 ? c.id == preselected->id
                                        : c.id == 0 && c.company == preselected->company && c.name == preselected->name;
        };
        const auto found = std::find_if(m_customers.cbegin(), m_customers.cend(), same);
        if (found == m_customers.cend()) {
            m_customers.prepend(*preselected);
            current = 0;
        } else {
            current = int(found - m_customers.cbegin());
        }
    }
    const QSignalBlocker quiet(m_cmbCustomer);
    for (const CustomerStatement::Customer &customer : std::as_const(m_customers))
        m_cmbCustomer->addItem(customer.text().isEmpty() ? tr("(no name)") : customer.text());
    m_cmbCustomer->setCurrentIndex(current);
}

std::optional<CustomerStatement::Customer> TfrmCustomerStatement::customer() const
{
    const int index = m_cmbCustomer->currentIndex();
    if (index < 0 || index >= m_customers.size()
        || m_cmbCustomer->currentText().compare(m_cmbCustomer->itemText(index), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    return m_customers.at(index);
}

void TfrmCustomerStatement::pBuildStatement()
{
    const auto chosen = customer();
    const QDate from = m_dtpFrom->date();
    const QDate to = m_dtpTo->date();
    m_account = {from, to, 0, {}, 0};
    if (chosen) {
        try {
            m_account = CustomerStatement::build(m_context, *chosen, from, to);
        } catch (const DbError &error) {
            m_context.prompts().showError(error.message(), error.detail());
        } catch (const std::exception &error) {
            m_context.prompts().showError(QString::fromLocal8Bit(error.what()));
        }
    }
    m_model.setTable(printout());
    for (QAction *output : {m_output->actPrint, m_output->actPrintPreview, m_output->actPDF})
        output->setEnabled(chosen.has_value());
}

TablePrintout TfrmCustomerStatement::printout() const
{
    return AccountTables::statement(m_account, customer().value_or(CustomerStatement::Customer{}),
                                    m_context.company.company.strCompName, m_context.locale);
}
