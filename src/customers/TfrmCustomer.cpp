#include "TfrmCustomer.h"
#include "CustomerTransfer.h"
#include "core/EmailAddresses.h"

#include "context/AppContext.h"
#include "printing/ListReports.h"
#include "core/PrintModule.h"
#include "data/ChangeWatch.h"
#include "data/DbError.h"
#include "widgets/ListPlace.h"
#include "widgets/ReadOnlyList.h"
#include "widgets/SearchBar.h"
#include "core/Edition.h"
#include "core/Prompts.h"
#include "widgets/TextFields.h"
#include "widgets/CsvFiles.h"
#include "widgets/InputGuards.h"

#include <QAction>
#include <QCheckBox>
#include <QCursor>
#include <QStyle>
#include <QToolTip>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr int kNotesLength = 250;

QLineEdit *makeField(QWidget *parent, const char *name, int typingLimit)
{
    return TextFields::make(parent, QString::fromLatin1(name), typingLimit);
}

using TextFields::label;
using TextFields::showStored;

} // namespace

TfrmCustomer::TfrmCustomer(AppContext &context, QWidget *parent, ListUse use)
    : RecordListWindow(context, use, tr("Save changes to this customer?"), parent)
    , m_context(context)
    , m_store(context)
{
    setObjectName(QStringLiteral("frmCustomer"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(createCommands({.barName = QStringLiteral("ToolBarfrmCustomer"),
                                       .newName = QStringLiteral("actNewCustomer"),
                                       .newCaption = tr("New Customer"),
                                       .newHint = tr("Add a new Customer"),
                                       .saveHint = tr("Save changes to current Customer"),
                                       .cancelHint = tr("Cancel and return to main Customer list"),
                                       .deleteHint = tr("Delete current Customer"),
                                       .printPreviewHint = tr("Print Preview customer list"),
                                       .printHint = tr("Print customer list"),
                                       .importHint = tr("Add customers from a CSV file"),
                                       .exportHint = tr("Save the customer list as a CSV file"),
                                       .helpHint = tr("Open Help")}));

    m_gbxCustomer = new QGroupBox(this);
    m_gbxCustomer->setObjectName(QStringLiteral("gbxCustomer"));
    m_pages = new QStackedWidget(m_gbxCustomer);
    m_pages->setObjectName(QStringLiteral("pgcCustomer"));
    m_pages->addWidget(createListPage());
    m_pages->addWidget(createEditPage());
    auto *groupLayout = new QVBoxLayout(m_gbxCustomer);
    groupLayout->addWidget(m_pages);
    auto *body = new QVBoxLayout;
    body->setContentsMargins(8, 4, 8, 8);
    body->addWidget(m_gbxCustomer);
    layout->addLayout(body, 1);

    connectChangeSignals();
    pShowFormInformation();
    pLoadPaymentTerms();
    returnToList();
    connect(new ChangeWatch(m_context.databasePath(), this), &ChangeWatch::changedElsewhere, this,
            &TfrmCustomer::pShowChangesFromElsewhere);
    resize(860, 560);
    WheelGuard::protect(this);
}

QWidget *TfrmCustomer::createListPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tabCustomerList"));
    m_search = new SearchBar(page,
                             {.kinds = QStringLiteral("cmboCustSearch"), .kindsCaption = tr("Search &By: "),
                              .text = QStringLiteral("txtCustSearch"), .textLimit = 30},
                             CustomerSearches::names());

    m_lstvCustomers = makeReadOnlyList(page, QStringLiteral("lstvCustomers"), &m_model);
    m_lstvCustomers->horizontalHeader()->setStretchLastSection(true);
    for (int column = 0; column < CustomerListModel::ColumnCount; ++column)
        m_lstvCustomers->setColumnWidth(column, CustomerListModel::columnWidth(column));
    m_lstvCustomers->setColumnHidden(CustomerListModel::CustId, true);

    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_search);
    layout->addWidget(m_lstvCustomers, 1);

    connect(m_search->kinds(), &QComboBox::currentIndexChanged, this, &TfrmCustomer::searchKindChanged);
    connect(m_search->text(), &QLineEdit::textChanged, this, [this] {
        if (searchKind() != CustomerSearch::AllCustomers)
            pRunListQuery();
    });
    connect(m_lstvCustomers, &QTableView::clicked, this, &TfrmCustomer::listClicked);
    connect(m_lstvCustomers, &QTableView::activated, this, &TfrmCustomer::listClicked);
    m_search->leadTo(m_lstvCustomers, [this](const QModelIndex &index) { listClicked(index); });
    return page;
}

QWidget *TfrmCustomer::createEditPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tabCustomerEdit"));
    m_txtCustId = makeField(page, "txtCustId", 20);
    m_txtCustId->setReadOnly(true);
    m_txtCustId->setFocusPolicy(Qt::NoFocus);
    QPalette info = m_txtCustId->palette();
    info.setColor(QPalette::Base, info.color(QPalette::ToolTipBase));
    info.setColor(QPalette::Text, info.color(QPalette::ToolTipText));
    m_txtCustId->setPalette(info);
    m_txtCustCmpnyName = makeField(page, "txtCustCmpnyName", 35);
    m_txtCustFrstName = makeField(page, "txtCustFrstName", 20);
    m_txtCustLstName = makeField(page, "txtCustLstName", 20);
    m_txtCustAddress = makeField(page, "txtCustAddress", 40);
    m_txtCustCity = makeField(page, "txtCustCity", 25);
    m_txtCustState = makeField(page, "txtCustState", 25);
    m_txtCustZipCode = makeField(page, "txtCustZipCode", 16);
    m_txtCustMainPhone = makeField(page, "txtCustMainPhone", 25);
    m_txtCustEmail = makeField(page, "txtCustEmail", CustomerTransfer::fields()[CustomerTransfer::Email].maxLength);
    m_txtCustExtraPhone1Name = makeField(page, "txtCustExtraPhone1Name", 12);
    m_txtCustExtraPhone1 = makeField(page, "txtCustExtraPhone1", 25);
    m_txtCustExtraPhone2Name = makeField(page, "txtCustExtraPhone2Name", 12);
    m_txtCustExtraPhone2 = makeField(page, "txtCustExtraPhone2", 25);
    m_txtCustTaxExemptNumber = makeField(page, "txtCustTaxExemptNumber", 20);
    m_ckbxTaxExempt = new QCheckBox(tr("Tax Exempt"), page);
    m_ckbxTaxExempt->setObjectName(QStringLiteral("ckbxTaxExempt"));
    m_cmbPaymentTerms = new QComboBox(page);
    m_cmbPaymentTerms->setObjectName(QStringLiteral("cmbPaymentTerms"));
    m_cmbPaymentTerms->setEditable(true);
    m_cmbPaymentTerms->setInsertPolicy(QComboBox::NoInsert);
    TextFields::setTypingLimit(m_cmbPaymentTerms->lineEdit(), 25);
    m_SpinEditCustDiscount = new SpinField(page);
    m_SpinEditCustDiscount->setObjectName(QStringLiteral("SpinEditCustDiscount"));
    m_SpinEditCustDiscount->setRange(0, 100);
    // Changed with the arrows only; the arrows still work on a read-only text.
    if (auto *text = m_SpinEditCustDiscount->findChild<QLineEdit *>())
        text->setReadOnly(true);
    m_txtCustNotes = new QPlainTextEdit(page);
    m_txtCustNotes->setObjectName(QStringLiteral("txtCustNotes"));
    m_txtCustNotes->setTabChangesFocus(true);
    TextFields::setTypingLimit(m_txtCustNotes, kNotesLength);

    auto *grid = new QGridLayout(page);
    grid->setContentsMargins(0, 4, 0, 0);
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(3, 3);
    grid->setColumnMinimumWidth(2, 150);
    int left = 0;
    for (auto [caption, field] : {std::pair{tr("Customer Id Number"), m_txtCustId},
                                  {tr("Company Name"), m_txtCustCmpnyName},
                                  {tr("First Name"), m_txtCustFrstName},
                                  {tr("Last Name"), m_txtCustLstName},
                                  {tr("Address"), m_txtCustAddress},
                                  {tr("City"), m_txtCustCity},
                                  {tr("State"), m_txtCustState},
                                  {tr("Zip Code"), m_txtCustZipCode}}) {
        grid->addWidget(label(caption, field), left, 0);
        grid->addWidget(field, left++, 1);
    }

    // The editions without customer discounts show no discount and no extra phones;
    // the fields below them move up into the free rows.
    const bool full = m_context.edition().hasFullDocumentFeatures();
    int right = 0;
    grid->addWidget(label(tr("Main Phone Number"), m_txtCustMainPhone), right, 2);
    grid->addWidget(m_txtCustMainPhone, right++, 3, 1, 3);
    grid->addWidget(label(tr("E-mail"), m_txtCustEmail), right, 2);
    grid->addWidget(m_txtCustEmail, right++, 3, 1, 3);
    for (auto [caption, number, name] :
         {std::tuple{tr("Extra Phone Number 1"), m_txtCustExtraPhone1, m_txtCustExtraPhone1Name},
          {tr("Extra Phone Number 2"), m_txtCustExtraPhone2, m_txtCustExtraPhone2Name}}) {
        QLabel *numberLabel = label(caption, number);
        QLabel *nameLabel = label(tr("Name"), name);
        name->setMaximumWidth(110);
        for (QWidget *w : {static_cast<QWidget *>(numberLabel), static_cast<QWidget *>(number),
                           static_cast<QWidget *>(nameLabel), static_cast<QWidget *>(name)})
            w->setVisible(full);
        if (full) {
            grid->addWidget(numberLabel, right, 2);
            grid->addWidget(number, right, 3);
            grid->addWidget(nameLabel, right, 4);
            grid->addWidget(name, right++, 5);
        }
    }
    grid->addWidget(label(tr("Tax Exempt Number"), m_txtCustTaxExemptNumber), right, 2);
    grid->addWidget(m_txtCustTaxExemptNumber, right++, 3, 1, 3);
    grid->addWidget(m_ckbxTaxExempt, right++, 3, 1, 3);
    grid->addWidget(label(tr("Payment Terms"), m_cmbPaymentTerms), right, 2);
    grid->addWidget(m_cmbPaymentTerms, right++, 3, 1, 3);
    QLabel *discountLabel = label(tr("Customer Discount"), m_SpinEditCustDiscount);
    discountLabel->setVisible(full);
    m_SpinEditCustDiscount->setVisible(full);
    if (full) {
        grid->addWidget(discountLabel, right, 2);
        grid->addWidget(m_SpinEditCustDiscount, right++, 3, Qt::AlignLeft);
    }

    const int notesRow = std::max(left, right);
    grid->addWidget(label(tr("Notes"), m_txtCustNotes), notesRow, 0, Qt::AlignTop);
    grid->addWidget(m_txtCustNotes, notesRow, 1, 1, 5);
    grid->setRowStretch(notesRow, 1);

    QWidget *chain[] = {m_txtCustCmpnyName, m_txtCustFrstName, m_txtCustLstName, m_txtCustAddress,
                        m_txtCustCity, m_txtCustState, m_txtCustZipCode, m_txtCustMainPhone,
                        m_txtCustEmail, m_txtCustExtraPhone1, m_txtCustExtraPhone1Name, m_txtCustExtraPhone2,
                        m_txtCustExtraPhone2Name, m_txtCustTaxExemptNumber, m_ckbxTaxExempt,
                        m_cmbPaymentTerms, m_SpinEditCustDiscount, m_txtCustNotes};
    for (std::size_t i = 1; i < std::size(chain); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
    return page;
}

void TfrmCustomer::connectChangeSignals()
{
    for (QLineEdit *field : {m_txtCustCmpnyName, m_txtCustFrstName, m_txtCustLstName, m_txtCustAddress,
                             m_txtCustCity, m_txtCustState, m_txtCustZipCode, m_txtCustMainPhone,
                             m_txtCustEmail, m_txtCustExtraPhone1Name, m_txtCustExtraPhone1, m_txtCustExtraPhone2Name,
                             m_txtCustExtraPhone2, m_txtCustTaxExemptNumber})
        connect(field, &QLineEdit::textChanged, this, &TfrmCustomer::pEnableSave);
    connect(m_ckbxTaxExempt, &QCheckBox::clicked, this, &TfrmCustomer::pEnableSave);
    connect(m_cmbPaymentTerms, &QComboBox::currentTextChanged, this, &TfrmCustomer::pEnableSave);
    connect(m_SpinEditCustDiscount, &QSpinBox::valueChanged, this, &TfrmCustomer::pEnableSave);
    connect(m_txtCustNotes, &QPlainTextEdit::textChanged, this, &TfrmCustomer::pEnableSave);
    connect(m_txtCustEmail, &QLineEdit::textChanged, this, &TfrmCustomer::showEmailProblem);
}

void TfrmCustomer::pShowFormInformation()
{
    setWindowTitle(tr("Customer Maintenance"));
    m_txtCustId->setToolTip(QStringLiteral("Computer generated number \u2013 Cannot be changed"));
    m_txtCustFrstName->setToolTip(tr("Enter Customer First Name"));
    m_txtCustLstName->setToolTip(tr("Enter Customer Last Name"));
    m_txtCustCmpnyName->setToolTip(tr("Enter Customers Company Name"));
    m_txtCustAddress->setToolTip(tr("Enter Customer Address"));
    m_txtCustCity->setToolTip(tr("Enter Customer City"));
    m_txtCustState->setToolTip(tr("Enter Customer State"));
    m_txtCustZipCode->setToolTip(tr("Enter Customer Zip Code"));
    m_txtCustMainPhone->setToolTip(tr("Enter Customer Main Phone Number"));
    m_txtCustEmail->setToolTip(tr("Enter Customer E-mail Address"));
    m_txtCustExtraPhone1->setToolTip(tr("Enter Customer Extra Phone Number"));
    m_txtCustExtraPhone2->setToolTip(tr("Enter Customer Extra Phone Number"));
    m_txtCustExtraPhone1Name->setToolTip(tr("Enter Customer Extra Phone Name"));
    m_txtCustExtraPhone2Name->setToolTip(tr("Enter Customer Extra Phone Name"));
    m_txtCustTaxExemptNumber->setToolTip(tr("Enter Customer Tax Exempt Number"));
    m_txtCustNotes->setToolTip(tr("Enter Notes about this Customer"));
    m_search->text()->setToolTip(tr("Enter Customer information to search by"));
    m_search->kinds()->setToolTip(tr("Search Customer list by"));
    m_lstvCustomers->setToolTip(tr("Select Customer to edit"));
    m_cmbPaymentTerms->setToolTip(tr("Select oe Enter Payment Terms for this Customer"));
    m_ckbxTaxExempt->setToolTip(tr("Check if Customer is Tax Exempt"));
    m_SpinEditCustDiscount->setToolTip(tr("Enter Customer Discount Percent"));
    m_actPrintPreview->setVisible(m_context.edition().IsFullEdition());
}

void TfrmCustomer::pLoadPaymentTerms()
{
    m_cmbPaymentTerms->clear();
    const auto &terms = m_context.company.invData.strInvTerms;
    for (std::size_t i = 1; i < terms.size(); ++i) {
        if (!terms[i].isEmpty())
            m_cmbPaymentTerms->addItem(terms[i]);
    }
    m_cmbPaymentTerms->setCurrentIndex(-1);
    m_cmbPaymentTerms->setEditText(QString());
}

CustomerSearch TfrmCustomer::searchKind() const
{
    return CustomerSearch(m_search->kind());
}

void TfrmCustomer::pRunListQuery()
{
    attempt([this] { m_model.setEntries(m_store.open(searchKind(), m_search->text()->text())); });
    pEnablePrint();
}

void TfrmCustomer::pShowChangesFromElsewhere()
{
    const ListPlace place(m_lstvCustomers, CustomerListModel::CustId);
    try {
        m_model.setEntries(m_store.open(searchKind(), m_search->text()->text()));
    } catch (const DbError &) {
        // Nobody asked for this look: the list keeps its rows until the next one.
        return;
    }
    place.restore();
    pEnablePrint();
}

void TfrmCustomer::searchKindChanged(int)
{
    const bool takesText = CustomerSearches::takesText(searchKind());
    m_search->showKind(takesText);
    if (!takesText)
        m_lstvCustomers->setFocus();
    pRunListQuery();
}

void TfrmCustomer::returnToList()
{
    clearFields();
    m_search->reset(int(CustomerSearch::AllCustomers));
    m_pages->setCurrentIndex(0);
    m_gbxCustomer->setTitle(tr("Customer Information Work Area"));
    m_mode = Mode::List;
    enableListCommands();
    pRunListQuery();
}

void TfrmCustomer::showEditPage(Mode mode)
{
    m_mode = mode;
    m_search->clearText();
    m_search->lock();
    m_pages->setCurrentIndex(1);
    m_gbxCustomer->setTitle(mode == Mode::New ? tr("New Customer Information") : tr("Edit Customer Information"));
    enableEditCommands(mode == Mode::Edit);
    pEnablePrint();
    m_txtCustCmpnyName->setFocus();
}

void TfrmCustomer::listClicked(const QModelIndex &index)
{
    // A double click also activates the row; by then it has been handled.
    if (m_mode != Mode::List || !m_lstvCustomers->isEnabled() || !index.isValid())
        return;
    std::optional<CustomerRecord> customer;
    if (!attempt([&] { customer = m_store.find(m_model.entry(index.row()).intCustomerID); }))
        return;
    if (!customer) {
        m_context.prompts().ShowInformation(tr("This customer is no longer in the list."));
        pRunListQuery();
        return;
    }
    if (pickMode()) {
        pChooseCustomer(*customer);
        return;
    }
    recordToFields(*customer);
    showEditPage(Mode::Edit);
}

void TfrmCustomer::pChooseCustomer(const CustomerRecord &customer)
{
    copyCustomerToHeader(customer, m_context.edition(), m_context.document.header);
    markChanged();
    m_actSave->setEnabled(false);
    m_lstvCustomers->setEnabled(false);
    accept();
}

void TfrmCustomer::newRecord()
{
    showEditPage(Mode::New);
}

bool TfrmCustomer::saveRecord()
{
    CustomerRecord customer = fieldsToRecord();
    customer.trimNames();
    if (!customer.hasName()) {
        m_context.prompts().ShowInformation(CustomerRecord::nameNeeded());
        m_txtCustFrstName->setFocus();
        return false;
    }
    if (const auto problem = EmailAddresses::problem(customer.strCustEmail)) {
        m_context.prompts().ShowInformation(tr("The e-mail address cannot be stored as typed.\n%1").arg(*problem));
        m_txtCustEmail->setFocus();
        return false;
    }
    return storeRecord(tr("Saving Customer Information..."), [&] {
        switch (m_store.saveOrAsk(customer, m_context.prompts())) {
        case RowVersions::SaveOutcome::Saved:
            return true;
        case RowVersions::SaveOutcome::TookTheirs:
            recordToFields(customer);
            return false;
        case RowVersions::SaveOutcome::KeptEditing:
            break;
        }
        return false;
    });
}

void TfrmCustomer::deleteCurrent()
{
    deleteRecord(tr("Delete this Customers from your list?"), tr("Deleting Customer Information..."),
                 m_txtCustId->text().toLongLong(), [this](qint64 id) { m_store.remove(id); });
}

void TfrmCustomer::pEnableSave()
{
    m_actSave->setEnabled(!m_txtCustFrstName->text().isEmpty() || !m_txtCustLstName->text().isEmpty()
                          || !m_txtCustCmpnyName->text().isEmpty());
}

void TfrmCustomer::showEmailProblem()
{
    // Told while typing; the text stays as typed until it is fixed.
    const auto problem = EmailAddresses::problem(m_txtCustEmail->text());
    if (!m_emailWarning) {
        m_emailWarning = m_txtCustEmail->addAction(style()->standardIcon(QStyle::SP_MessageBoxWarning),
                                                   QLineEdit::TrailingPosition);
        connect(m_emailWarning, &QAction::triggered, this,
                [this] { QToolTip::showText(QCursor::pos(), m_emailWarning->toolTip(), m_txtCustEmail); });
    }
    m_emailWarning->setVisible(problem.has_value());
    m_emailWarning->setToolTip(problem.value_or(QString()));
    m_txtCustEmail->setStyleSheet(problem ? QStringLiteral("QLineEdit { color: #b00020; }") : QString());
    m_txtCustEmail->setToolTip(problem ? *problem : tr("Enter Customer E-mail Address"));
}

void TfrmCustomer::pEnablePrint()
{
    enablePrint(m_mode == Mode::List, m_model.rowCount());
}

CustomerRecord TfrmCustomer::fieldsToRecord() const
{
    CustomerRecord c;
    c.intCustomerID = m_txtCustId->text().toLongLong();
    c.strCustFirstName = m_txtCustFrstName->text();
    c.strCustLastName = m_txtCustLstName->text();
    c.strCustCompany = m_txtCustCmpnyName->text();
    c.strCustAddress = m_txtCustAddress->text();
    c.strCustCity = m_txtCustCity->text();
    c.strCustState = m_txtCustState->text();
    c.strCustZipCode = m_txtCustZipCode->text();
    c.strCustMainPhone = m_txtCustMainPhone->text();
    c.strCustEmail = m_txtCustEmail->text();
    c.strCustExtraPhone1 = m_txtCustExtraPhone1->text();
    c.strCustExtraPhone2 = m_txtCustExtraPhone2->text();
    c.strCustExtraPhone1Name = m_txtCustExtraPhone1Name->text();
    c.strCustExtraPhone2Name = m_txtCustExtraPhone2Name->text();
    c.intCustDiscount = m_SpinEditCustDiscount->value();
    c.strCustTaxExmpt = m_ckbxTaxExempt->isChecked();
    c.strCustTaxExmpNmbr = m_txtCustTaxExemptNumber->text();
    c.strCustPmtTerms = m_cmbPaymentTerms->currentText();
    c.strCustNotes = m_txtCustNotes->toPlainText();
    c.intRowVersion = m_rowVersion;
    return c;
}

void TfrmCustomer::recordToFields(const CustomerRecord &c)
{
    m_rowVersion = c.intRowVersion;
    m_txtCustId->setText(QString::number(c.intCustomerID));
    showStored(m_txtCustFrstName, c.strCustFirstName);
    showStored(m_txtCustLstName, c.strCustLastName);
    showStored(m_txtCustCmpnyName, c.strCustCompany);
    showStored(m_txtCustAddress, c.strCustAddress);
    showStored(m_txtCustCity, c.strCustCity);
    showStored(m_txtCustState, c.strCustState);
    showStored(m_txtCustZipCode, c.strCustZipCode);
    showStored(m_txtCustMainPhone, c.strCustMainPhone);
    showStored(m_txtCustEmail, c.strCustEmail);
    showStored(m_txtCustExtraPhone1, c.strCustExtraPhone1);
    showStored(m_txtCustExtraPhone2, c.strCustExtraPhone2);
    showStored(m_txtCustExtraPhone1Name, c.strCustExtraPhone1Name);
    showStored(m_txtCustExtraPhone2Name, c.strCustExtraPhone2Name);
    m_SpinEditCustDiscount->setValue(c.intCustDiscount);
    m_ckbxTaxExempt->setChecked(c.strCustTaxExmpt);
    showStored(m_txtCustTaxExemptNumber, c.strCustTaxExmpNmbr);
    showStored(m_cmbPaymentTerms->lineEdit(), c.strCustPmtTerms);
    showStored(m_txtCustNotes, c.strCustNotes);
}

void TfrmCustomer::clearFields()
{
    recordToFields({});
    m_txtCustId->clear();
}

void TfrmCustomer::importRecords()
{
    CustomerTransfer::ImportJob job(m_context.databasePath(), m_context.locale);
    if (CsvFiles::pImport(job, m_context.prompts(), this))
        pRunListQuery();
}

void TfrmCustomer::exportRecords()
{
    CsvFiles::pExport(m_context.prompts(), tr("Export Customers"), tr("Customers"),
                      tr("The customer list is empty; no file was written."), [this] {
                          return QList<CsvFiles::ExportPart>{{{}, CustomerTransfer::exportCsv(*m_context.openDatabase())}};
                      });
}

void TfrmCustomer::printList(bool preview)
{
    if (!m_context.printModule)
        return;
    PrintRequest request = PrintRequest::of(PrintKind::CustomerList);
    QList<qint64> ids;
    for (int row = 0; row < m_model.rowCount(); ++row)
        ids.append(m_model.entry(row).intCustomerID);
    if (!attempt([&] {
            request.printout = {{}, ListReports::RvCustomConnectionCustomer(*m_context.openDatabase(), ids)};
        }))
        return;
    if (preview)
        m_context.printModule->pPrintPreview(request);
    else
        (void)m_context.printModule->pPrint(request);
}
