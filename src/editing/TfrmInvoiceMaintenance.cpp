#include "TfrmInvoiceMaintenance.h"
#include "DocumentMail.h"
#include "TfrmExportDocuments.h"
#include "TfrmRecordPayment.h"

#include "context/AppContext.h"
#include "context/WindowOpening.h"
#include "widgets/CommandBar.h"
#include "core/Edition.h"
#include "core/Prompts.h"
#include "widgets/ListPlace.h"
#include "widgets/ReadOnlyList.h"
#include "widgets/TextFields.h"
#include "data/DateText.h"
#include "data/Database.h"
#include "data/ChangeWatch.h"
#include "data/DbError.h"
#include "invoice/DocumentActions.h"
#include "invoice/DocumentExport.h"
#include "widgets/CsvFiles.h"
#include "invoice/DocumentKinds.h"
#include "invoice/CustomerStatement.h"
#include "printing/PrintJobs.h"
#include "core/PrintModule.h"
#include "widgets/InputGuards.h"
#include "widgets/Mnemonics.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr int kSearchLength = 30;
constexpr int kVisibleItems = 14;

} // namespace

TfrmInvoiceMaintenance::TfrmInvoiceMaintenance(AppContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmInvoiceMaintenance"));
    setModal(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(createCommands());

    m_cmboInvMaintenanceType = new QComboBox(this);
    m_cmboInvMaintenanceType->setObjectName(QStringLiteral("cmboInvMaintenanceType"));
    m_cmboInvMaintenanceType->setMaxVisibleItems(kVisibleItems);
    m_cmboInvSearch = new QComboBox(this);
    m_cmboInvSearch->setObjectName(QStringLiteral("cmboInvSearch"));
    m_cmboInvSearch->setMaxVisibleItems(kVisibleItems);
    m_cmboInvSearch->setSizeAdjustPolicy(QComboBox::AdjustToContents); // its longest entry shown whole
    m_txtInvSearch = TextFields::make(this, QStringLiteral("txtInvSearch"), kSearchLength);

    m_model.setCounter([path = m_context.databasePath()](const QueryWindow::Counting &counting) {
        Database db(path, Database::OpenMode::ReadOnly);
        return QueryWindow::countWith(db, counting);
    });
    m_lstvwInvMaintenance = makeReadOnlyList(this, QStringLiteral("lstvwInvMaintenance"), &m_model);
    // The last row is the last match, also before the count has come.
    m_lstvwInvMaintenance->installEventFilter(this);
    m_lstvwInvMaintenance->horizontalHeader()->setStretchLastSection(true);
    for (int column = 0; column < MaintenanceListModel::ColumnCount; ++column)
        m_lstvwInvMaintenance->setColumnWidth(column, MaintenanceListModel::columnWidth(column));

    using TextFields::label;
    auto *choices = new QHBoxLayout;
    choices->addWidget(label(tr("&Maintenance Type: "), m_cmboInvMaintenanceType));
    choices->addWidget(m_cmboInvMaintenanceType, 1);
    auto *search = new QHBoxLayout;
    search->addWidget(label(tr("Search &By: "), m_cmboInvSearch));
    search->addWidget(m_cmboInvSearch);
    search->addSpacing(16);
    search->addWidget(label(tr("Search &For: "), m_txtInvSearch));
    search->addWidget(m_txtInvSearch, 1);
    auto *body = new QVBoxLayout;
    body->setContentsMargins(8, 4, 8, 8);
    body->addLayout(choices);
    body->addLayout(search);
    body->addWidget(m_lstvwInvMaintenance, 1);
    layout->addLayout(body, 1);

    pShowFormInformation();
    pSetComboMaintenanceItems();
    pSetComboSearchItems();
    pQuerySavedInvoices();
    connect(new ChangeWatch(m_context.databasePath(), this), &ChangeWatch::changedElsewhere, this,
            &TfrmInvoiceMaintenance::pShowChangesFromElsewhere);

    connect(m_cmboInvMaintenanceType, &QComboBox::currentIndexChanged, this, [this] {
        pSetComboSearchItems();
        pQuerySavedInvoices();
    });
    connect(m_cmboInvSearch, &QComboBox::currentIndexChanged, this, [this] {
        {
            const QSignalBlocker quiet(m_txtInvSearch);
            m_txtInvSearch->clear();
        }
        pQuerySavedInvoices();
        // Only a search by text moves on by itself: the text is what comes next.
        if (m_txtInvSearch->isEnabled())
            m_txtInvSearch->setFocus();
    });
    connect(m_txtInvSearch, &QLineEdit::returnPressed, this, [this] {
        if (m_model.rowCount() == 0)
            return;
        // Acting on a document takes a second Enter, on the list.
        m_lstvwInvMaintenance->setFocus(Qt::TabFocusReason);
        if (!m_lstvwInvMaintenance->currentIndex().isValid())
            m_lstvwInvMaintenance->setCurrentIndex(m_model.index(0, 0));
    });
    connect(m_txtInvSearch, &QLineEdit::textChanged, this, &TfrmInvoiceMaintenance::pQuerySavedInvoices);
    connect(m_lstvwInvMaintenance, &QTableView::clicked, this, &TfrmInvoiceMaintenance::lstvwInvMaintenanceClick);
    for (const QKeySequence &key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}) {
        auto *enter = new QShortcut(key, m_lstvwInvMaintenance, nullptr, nullptr, Qt::WidgetShortcut);
        connect(enter, &QShortcut::activated, this,
                [this] { lstvwInvMaintenanceClick(m_lstvwInvMaintenance->currentIndex()); });
    }
    resize(760, 520);
    WheelGuard::protect(this);
    Mnemonics::giveCommands(this);
    m_cmboInvMaintenanceType->setFocus();
}

QToolBar *TfrmInvoiceMaintenance::createCommands()
{
    QToolBar *bar = makeCommandBar(this, QStringLiteral("ToolBarfrmInvoiceMaintenance"));
    using C = Icons::Command;
    m_actClose = addCommand(bar, QStringLiteral("actClose"), tr("Close"), tr("Close"), C::Close);
    bar->addSeparator();
    m_actPrintPreview = addCommand(bar, QStringLiteral("actPrintPreview"), tr("Print Preview"), tr("Print Preview"),
                                   C::PrintPreview);
    m_actPrint = addCommand(bar, QStringLiteral("actPrint"), tr("Print"), tr("Print"), C::Print);
    bar->addSeparator();
    m_actEmail = addCommand(bar, QStringLiteral("actEmail"), tr("&E-mail"),
                            tr("Send the selected document by e-mail as a PDF"), C::Email);
    m_actRecordPayment = addCommand(bar, QStringLiteral("actRecordPayment"), tr("Record &Payment"),
                                    tr("Record a payment or a deposit received for the selected document"),
                                    C::Payment);
    m_actExport = addCommand(bar, QStringLiteral("actExport"), tr("E&xport..."),
                             tr("Save the documents of a date range as CSV files"), C::Export);
    m_actJob = addCommand(bar, QStringLiteral("actJob"), tr("&Job"),
                          tr("View the job of the selected document: its documents, billed and paid"),
                          C::InvoiceMaintenance);
    m_actStatement = addCommand(bar, QStringLiteral("actStatement"), tr("S&tatement"),
                                tr("The statement of the selected document's customer"), C::Report);
    bar->addSeparator();
    m_actHelp = addCommand(bar, QStringLiteral("actHelp"), tr("Help"), tr("Open Help"), C::Help);

    connect(m_actClose, &QAction::triggered, this, &QWidget::close);
    connect(m_actPrintPreview, &QAction::triggered, this, [this] { pPrintList(true); });
    connect(m_actPrint, &QAction::triggered, this, [this] { pPrintList(false); });
    connect(m_actEmail, &QAction::triggered, this, &TfrmInvoiceMaintenance::actEmailExecute);
    connect(m_actRecordPayment, &QAction::triggered, this, &TfrmInvoiceMaintenance::actRecordPaymentExecute);
    connect(m_actExport, &QAction::triggered, this, &TfrmInvoiceMaintenance::actExportExecute);
    connect(m_actJob, &QAction::triggered, this, &TfrmInvoiceMaintenance::actJobExecute);
    connect(m_actStatement, &QAction::triggered, this, &TfrmInvoiceMaintenance::actStatementExecute);
    connect(m_actHelp, &QAction::triggered, this, [this] { m_context.pOpenHelp(); });
    return bar;
}

void TfrmInvoiceMaintenance::pShowFormInformation()
{
    setWindowTitle(tr("Invoice Maintenance"));
    m_cmboInvMaintenanceType->setToolTip(tr("Select Maintenance Type"));
    m_cmboInvSearch->setToolTip(tr("Select Search Type"));
    m_txtInvSearch->setToolTip(tr("Enter information to search for"));
    m_lstvwInvMaintenance->setToolTip(tr("Select Invoice to view or edit"));
    m_txtInvSearch->setEnabled(false);
    m_actPrintPreview->setVisible(m_context.edition().IsFullEdition());
}

void TfrmInvoiceMaintenance::pSetComboMaintenanceItems()
{
    const QSignalBlocker quiet(m_cmboInvMaintenanceType);
    m_cmboInvMaintenanceType->clear();
    for (MaintenanceType type : MaintenanceTypes::offered(m_context.edition()))
        m_cmboInvMaintenanceType->addItem(MaintenanceTypes::entry(type), int(type));
    m_cmboInvMaintenanceType->setCurrentIndex(0);
}

void TfrmInvoiceMaintenance::pSetComboSearchItems()
{
    const QSignalBlocker quiet(m_cmboInvSearch);
    m_cmboInvSearch->clear();
    m_cmboInvSearch->addItems(MaintenanceTypes::searchItems(currentType(), m_context.InvoiceTypes));
    m_cmboInvSearch->setCurrentIndex(0);
    m_lstvwInvMaintenance->setToolTip(MaintenanceTypes::listHint(currentType()));
}

MaintenanceType TfrmInvoiceMaintenance::currentType() const
{
    return MaintenanceType(m_cmboInvMaintenanceType->currentData().toInt());
}

bool TfrmInvoiceMaintenance::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_lstvwInvMaintenance && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_End && !m_model.countKnown()) {
        try {
            m_model.countNow();
        } catch (const DbError &error) {
            m_context.prompts().showError(error.message(), error.detail());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

std::shared_ptr<QueryWindow> TfrmInvoiceMaintenance::listedNow()
{
    return MaintenanceQuery(m_context).open(currentType(), m_cmboInvSearch->currentText(), m_txtInvSearch->text(),
                                            QueryWindow::Count::Later);
}

void TfrmInvoiceMaintenance::pShowChangesFromElsewhere()
{
    const ListPlace place(m_lstvwInvMaintenance, MaintenanceListModel::Number);
    try {
        m_model.setRows(listedNow(), m_context.locale);
    } catch (const DbError &) {
        // Nobody asked for this look: the list keeps its rows until the next one.
        return;
    }
    place.restore();
    pShowPrintButton();
}

void TfrmInvoiceMaintenance::pQuerySavedInvoices()
{
    const QString searchItem = m_cmboInvSearch->currentText();
    try {
        m_model.setRows(listedNow(), m_context.locale);
    } catch (const DbError &error) {
        // The list keeps the rows it had.
        m_context.prompts().showError(error.message(), error.detail());
    }
    // The focus stays where the user is: choosing a maintenance type with Enter must
    // not hand that Enter, or the next, to the list, which would act on a document.
    if (MaintenanceTypes::isTextSearch(searchItem)) {
        m_txtInvSearch->setEnabled(true);
    } else {
        const QSignalBlocker quiet(m_txtInvSearch);
        m_txtInvSearch->clear();
        m_txtInvSearch->setEnabled(false);
    }
    if (!m_lstvwInvMaintenance->currentIndex().isValid() && m_model.rowCount() > 0)
        m_lstvwInvMaintenance->setCurrentIndex(m_model.index(0, 0));
    pShowPrintButton();
}

void TfrmInvoiceMaintenance::pShowPrintButton()
{
    m_actPrint->setEnabled(m_model.rowCount() > 0);
    m_actPrintPreview->setEnabled(m_actPrint->isEnabled());
    m_actEmail->setEnabled(m_actPrint->isEnabled());
    m_actRecordPayment->setEnabled(m_actPrint->isEnabled());
    m_actJob->setEnabled(m_actPrint->isEnabled() && m_context.windows);
    m_actStatement->setEnabled(m_actJob->isEnabled());
}

void TfrmInvoiceMaintenance::lstvwInvMaintenanceClick(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    MaintenanceRow row;
    try {
        row = m_model.row(index.row());
    } catch (const DbError &error) {
        m_context.prompts().showError(error.message(), error.detail());
        return;
    }
    const MaintenanceType type = currentType();
    TrecInvHeader &h = m_context.document.header;
    h.intInvNumber = row.intInvNumber;
    h.strInvName = row.strInvName;

    const QString question = MaintenanceTypes::question(type, row.name());
    if (question.isEmpty()) {
        if (m_context.windows) {
            // The second click of a double click must not land in the editor.
            const ClickSequenceGuard restOfClick;
            m_context.windows->openInvoiceEditor(this);
        }
        pQuerySavedInvoices();
    } else if (m_context.prompts().ShowYesNoCancel(question, MaintenanceTypes::destroys(type) ? Prompts::No : Prompts::Yes)
               == Prompts::Yes) {
        pAct(type, row);
        pQuerySavedInvoices();
    }
}

void TfrmInvoiceMaintenance::pAct(MaintenanceType type, const MaintenanceRow &row)
{
    DocumentActions actions(m_context);
    const int number = row.intInvNumber;
    try {
        switch (type) {
        case MaintenanceType::EstimateToWorkOrder:
            actions.convert(number, DocumentKinds::kWorkOrder);
            break;
        case MaintenanceType::EstimateOrWorkOrderToInvoice:
        case MaintenanceType::ChangeOrderToInvoice:
            actions.convert(number, DocumentKinds::kInvoice);
            break;
        case MaintenanceType::InvoiceToCredit:
            actions.toCredit(number);
            break;
        case MaintenanceType::PastDueNotice:
            actions.createPastDue(number);
            break;
        case MaintenanceType::MarkPaidInFull:
            actions.markPaidInFull(number);
            break;
        case MaintenanceType::Delete:
            actions.remove(number);
            break;
        case MaintenanceType::AddRecurring:
            actions.setRecurring(number, true);
            break;
        case MaintenanceType::RemoveRecurring:
            actions.setRecurring(number, false);
            break;
        case MaintenanceType::ViewAll:
        case MaintenanceType::ViewUnpaid:
        case MaintenanceType::ViewRecurring:
            break;
        }
    } catch (const DbError &error) {
        m_context.prompts().showError(error.message(), error.detail());
    } catch (const std::exception &error) {
        m_context.prompts().showError(QString::fromLocal8Bit(error.what()));
    }
}

void TfrmInvoiceMaintenance::pPrintList(bool preview)
{
    if (!m_context.printModule) {
        m_context.prompts().ShowInformation(tr("Printing is not available yet."));
        return;
    }
    // The printout lists what the window lists: the same type, search item and text.
    PrintRequest request = PrintRequest::of(PrintKind::InvoiceList);
    try {
        request.printout = {{}, MaintenanceQuery(m_context).printFeed(currentType(), m_cmboInvSearch->currentText(),
                                                                      m_txtInvSearch->text())};
    } catch (const DbError &error) {
        m_context.prompts().showError(error.message(), error.detail());
        return;
    }
    if (preview)
        m_context.printModule->pPrintPreview(request);
    else
        (void)m_context.printModule->pPrint(request);
}

std::optional<int> TfrmInvoiceMaintenance::selectedNumber()
{
    const QModelIndex current = m_lstvwInvMaintenance->currentIndex();
    if (!current.isValid()) {
        m_context.prompts().ShowInformation(tr("Select a document in the list first."));
        return std::nullopt;
    }
    try {
        return m_model.row(current.row()).intInvNumber;
    } catch (const DbError &error) {
        m_context.prompts().showError(error.message(), error.detail());
        return std::nullopt;
    }
}

void TfrmInvoiceMaintenance::actEmailExecute()
{
    if (const std::optional<int> number = selectedNumber())
        DocumentMail::pEmailSavedDocument(m_context, *number);
}

void TfrmInvoiceMaintenance::actRecordPaymentExecute()
{
    const std::optional<int> number = selectedNumber();
    if (number && TfrmRecordPayment::openForSaved(m_context, *number, this))
        pQuerySavedInvoices();
}

void TfrmInvoiceMaintenance::actExportExecute()
{
    TfrmExportDocuments choice(QDate::currentDate(), this);
    if (choice.exec() != QDialog::Accepted)
        return;
    const QDate from = choice.from();
    const QDate to = choice.to();
    const QLocale locale = m_context.locale;
    const auto db = [this] { return m_context.openDatabase(); };
    const QString nothing = tr("No documents are dated from %1 to %2; no file was written.")
                                .arg(DateText::shortDate(from, locale), DateText::shortDate(to, locale));
    CsvFiles::pExport(m_context.prompts(), tr("Export Documents"), tr("Documents"), nothing, [&] {
        if (!choice.twoFiles())
            return QList<CsvFiles::ExportPart>{{{}, DocumentExport::oneFile(*db(), from, to, locale)}};
        DocumentExport::Files files = DocumentExport::twoFiles(*db(), from, to, locale);
        return QList<CsvFiles::ExportPart>{{{}, std::move(files.headers)}, {tr(" lines"), std::move(files.lines)}};
    });
}

void TfrmInvoiceMaintenance::actJobExecute()
{
    if (const std::optional<int> number = selectedNumber(); number && m_context.windows) {
        m_context.windows->openJobView(*number, this, true);
        pQuerySavedInvoices();
    }
}

void TfrmInvoiceMaintenance::actStatementExecute()
{
    const std::optional<int> number = selectedNumber();
    if (!number || !m_context.windows)
        return;
    CustomerStatement::Customer customer;
    try {
        customer = CustomerStatement::customerOf(m_context, *number);
    } catch (const DbError &error) {
        m_context.prompts().showError(error.message(), error.detail());
        return;
    }
    m_context.windows->openCustomerStatement(customer, this);
}
