#include "TfrmReceivables.h"

#include "PastDueNotices.h"
#include "ReceivablesPrintout.h"
#include "data/ChangeWatch.h"
#include "widgets/ListPlace.h"
#include "context/AppContext.h"
#include "context/WindowOpening.h"
#include "core/Edition.h"
#include "core/PrintModule.h"
#include "core/Prompts.h"
#include "data/DateText.h"
#include "editing/TfrmRecordPayment.h"
#include "invoice/CustomerStatement.h"
#include "data/Database.h"
#include "data/DbError.h"
#include "invoice/Money.h"
#include "invoice/ReceivablesFigures.h"
#include "widgets/CommandBar.h"
#include "widgets/InputGuards.h"
#include "widgets/Mnemonics.h"
#include "widgets/ReadOnlyList.h"
#include "widgets/TextFields.h"

#include <QAction>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QScopeGuard>
#include <QScrollBar>
#include <QThread>
#include <QShortcut>
#include <QSplitter>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr int kSearchLength = 30;
constexpr int kFiguresPauseMs = 150;

/// A list the user sorts by a click on a column heading.
void sortByHeadings(QTableView *view, int column)
{
    QHeaderView *header = view->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(column, Qt::AscendingOrder);
    view->setSortingEnabled(true);
}

} // namespace

TfrmReceivables::TfrmReceivables(AppContext &context, QDate today, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_today(today)
{
    setObjectName(QStringLiteral("frmReceivables"));
    setWindowTitle(tr("Receivables"));
    setModal(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(createCommands());

    m_txtSearch = TextFields::make(this, QStringLiteral("txtReceivablesSearch"), kSearchLength);
    m_txtSearch->setToolTip(tr("Type part of a customer's name or the start of a number"));
    m_txtSearch->setClearButtonEnabled(true);
    auto *asOf = new QLabel(tr("As of %1").arg(DateText::shortDate(today, context.locale)), this);
    asOf->setObjectName(QStringLiteral("lblAsOf"));

    m_lstvwReceivables = makeReadOnlyList(this, QStringLiteral("lstvwReceivables"), &m_model);
    m_lstvwReceivables->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_lstvwReceivables->setToolTip(tr("Double-click or press Enter to open the invoice; "
                                      "select several for past-due notices"));
    m_lstvwReceivables->horizontalHeader()->setStretchLastSection(false);
    for (int column = 0; column < ReceivablesModel::ColumnCount; ++column)
        m_lstvwReceivables->setColumnWidth(column, ReceivablesModel::columnWidth(column));
    m_lstvwReceivables->horizontalHeader()->setSectionResizeMode(ReceivablesModel::Customer, QHeaderView::Stretch);
    // Oldest due date first, as listed, until the user picks another column.
    sortByHeadings(m_lstvwReceivables, ReceivablesModel::DueDate);

    m_lstvwCustomerTotals = makeReadOnlyList(this, QStringLiteral("lstvwCustomerTotals"), &m_customers);
    m_lstvwCustomerTotals->setToolTip(tr("What each customer owes, by age"));
    m_lstvwCustomerTotals->horizontalHeader()->setStretchLastSection(false);
    m_lstvwCustomerTotals->horizontalHeader()->setSectionResizeMode(CustomerTotalsModel::Customer, QHeaderView::Stretch);
    for (int column = CustomerTotalsModel::FirstBucket; column < CustomerTotalsModel::ColumnCount; ++column)
        m_lstvwCustomerTotals->setColumnWidth(column, 105);
    sortByHeadings(m_lstvwCustomerTotals, CustomerTotalsModel::Customer);

    auto *search = new QHBoxLayout;
    search->addWidget(TextFields::label(tr("&Search For: "), m_txtSearch));
    search->addWidget(m_txtSearch, 1);
    search->addSpacing(24);
    // Known once the figures are summed; the list does not wait for it.
    m_lblRowCount = new QLabel(this);
    m_lblRowCount->setObjectName(QStringLiteral("lblRowCount"));
    search->addWidget(m_lblRowCount);
    search->addSpacing(24);
    search->addWidget(asOf);

    auto *invoices = new QWidget(this);
    auto *invoicesLayout = new QVBoxLayout(invoices);
    invoicesLayout->setContentsMargins(0, 0, 0, 0);
    invoicesLayout->addWidget(m_lstvwReceivables, 1);
    invoicesLayout->addWidget(createFooter());

    auto *byCustomer = new QGroupBox(tr("Totals by Customer"), this);
    byCustomer->setObjectName(QStringLiteral("GroupBoxCustomerTotals"));
    auto *byCustomerLayout = new QVBoxLayout(byCustomer);
    byCustomerLayout->addWidget(m_lstvwCustomerTotals);

    auto *split = new QSplitter(Qt::Vertical, this);
    split->setObjectName(QStringLiteral("SplitterReceivables"));
    split->setChildrenCollapsible(false);
    split->addWidget(invoices);
    split->addWidget(byCustomer);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);

    auto *body = new QVBoxLayout;
    body->setContentsMargins(8, 4, 8, 8);
    body->addLayout(search);
    body->addWidget(split, 1);
    layout->addLayout(body, 1);

    connect(m_txtSearch, &QLineEdit::textChanged, this, &TfrmReceivables::pSearch);
    // The figures of a search come once the typing pauses, not for every key.
    m_figuresPause.setSingleShot(true);
    m_figuresPause.setInterval(kFiguresPauseMs);
    connect(&m_figuresPause, &QTimer::timeout, this, [this] { pSumFigures(false); });
    // Enter in the search goes on to what it found.
    connect(m_txtSearch, &QLineEdit::returnPressed, m_lstvwReceivables, qOverload<>(&QWidget::setFocus));
    connect(m_lstvwReceivables, &QTableView::doubleClicked, this, &TfrmReceivables::pOpenInvoice);
    for (const QKeySequence &key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}) {
        auto *enter = new QShortcut(key, m_lstvwReceivables, nullptr, nullptr, Qt::WidgetShortcut);
        connect(enter, &QShortcut::activated, this,
                [this] { pOpenInvoice(m_lstvwReceivables->currentIndex()); });
    }
    // Sorting lists anew: the first row is the one the keys move from, as after a search.
    connect(m_lstvwReceivables->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this,
            &TfrmReceivables::pShowListed);
    // End reaches the last row, not the last of those read so far.
    m_lstvwReceivables->installEventFilter(this);
    connect(m_lstvwReceivables->verticalScrollBar(), &QScrollBar::valueChanged, this, &TfrmReceivables::pReadNearGap);
    setTabOrder(m_txtSearch, m_lstvwReceivables);
    setTabOrder(m_lstvwReceivables, m_lstvwCustomerTotals);

    m_model.setSource([&context] { return context.openDatabase(); }, &context, today, context.locale,
                      [this](const DbError &error) { m_context.prompts().showError(error.message(), error.detail()); });
    pRefresh();
    connect(new ChangeWatch(m_context.databasePath(), this), &ChangeWatch::changedElsewhere, this,
            &TfrmReceivables::pShowChangesFromElsewhere);
    m_lstvwReceivables->setFocus();
    resize(1000, 640);
    Mnemonics::giveCommands(this);
    WheelGuard::protect(this);
}

TfrmReceivables::~TfrmReceivables()
{
    // Figures still being summed are wanted by nobody now.
    m_latestFigures->store(kWindowClosed);
}

bool TfrmReceivables::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_lstvwReceivables || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    try {
        // Selecting all, or up to either end, must hold the rows not read yet too.
        const bool selectsToAnEnd =
            (key->key() == Qt::Key_Home || key->key() == Qt::Key_End) && (key->modifiers() & Qt::ShiftModifier);
        if ((key->matches(QKeySequence::SelectAll) || selectsToAnEnd) && m_model.gapRow() >= 0) {
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
            const auto restore = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
            m_model.listEveryRow();
        } else if (key->key() == Qt::Key_End) {
            // The last rows, read backwards from the end: End does not wait for the rest.
            m_model.listLastRows();
        }
    } catch (const DbError &error) {
        m_context.prompts().showError(error.message(), error.detail());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmReceivables::pReadNearGap()
{
    if (m_readingNearGap)
        return;
    m_readingNearGap = true;
    const auto done = qScopeGuard([this] { m_readingNearGap = false; });
    // Rows are read before the gap comes into view, so the rows shown always follow
    // one another.
    constexpr int kNearRows = 64;
    try {
        for (int gap = m_model.gapRow(); gap >= 0; gap = m_model.gapRow()) {
            const int top = m_lstvwReceivables->rowAt(0);
            if (top < 0)
                return;
            if (top < gap) {
                const int bottom = m_lstvwReceivables->rowAt(m_lstvwReceivables->viewport()->height() - 1);
                if (bottom >= 0 && bottom + kNearRows < gap)
                    return;
                m_model.listAfterGap();
            } else {
                if (top - kNearRows >= gap)
                    return;
                // The rows come in above those shown, which stay where they are.
                const QPersistentModelIndex shown = m_model.index(top, 0);
                m_model.listBeforeGap();
                // The scroll range must hold the new rows before the view is moved.
                m_lstvwReceivables->doItemsLayout();
                m_lstvwReceivables->scrollTo(shown, QAbstractItemView::PositionAtTop);
            }
        }
    } catch (const DbError &error) {
        m_context.prompts().showError(error.message(), error.detail());
    }
}

QToolBar *TfrmReceivables::createCommands()
{
    QToolBar *bar = makeCommandBar(this, QStringLiteral("ToolBarfrmReceivables"));
    using C = Icons::Command;
    m_actClose = addCommand(bar, QStringLiteral("actClose"), tr("&Close"), tr("Close"), C::Close);
    bar->addSeparator();
    m_actPrintPreview = addCommand(bar, QStringLiteral("actPrintPreview"), tr("Print Pre&view"),
                                   tr("Preview the listed invoices by age"), C::PrintPreview);
    m_actPrint = addCommand(bar, QStringLiteral("actPrint"), tr("&Print"), tr("Print the listed invoices by age"),
                            C::Print);
    m_actPdf = addCommand(bar, QStringLiteral("actPDF"), tr("P&DF"), tr("Save the listed invoices by age as a PDF file"),
                          C::Pdf);
    bar->addSeparator();
    m_actPastDue = addCommand(bar, QStringLiteral("actPastDueNotices"), tr("Past-Due &Notices"),
                              tr("Make a past-due notice for each selected invoice"), C::PastDue);
    m_actRecordPayment = addCommand(bar, QStringLiteral("actRecordPayment"), tr("Record Pa&yment"),
                                    tr("Record a payment for the selected invoice"), C::Payment);
    m_actStatement = addCommand(bar, QStringLiteral("actStatement"), tr("S&tatement"),
                                tr("The statement of account of the selected invoice's customer"), C::Report);
    bar->addSeparator();
    m_actHelp = addCommand(bar, QStringLiteral("actHelp"), tr("&Help"), tr("Open Help"), C::Help);

    connect(m_actClose, &QAction::triggered, this, &QWidget::close);
    connect(m_actPrintPreview, &QAction::triggered, this, [this] { pPrintList(Output::Preview); });
    connect(m_actPrint, &QAction::triggered, this, [this] { pPrintList(Output::Print); });
    connect(m_actPdf, &QAction::triggered, this, [this] { pPrintList(Output::Pdf); });
    connect(m_actPastDue, &QAction::triggered, this, &TfrmReceivables::pMakePastDueNotices);
    connect(m_actRecordPayment, &QAction::triggered, this, &TfrmReceivables::pRecordPayment);
    connect(m_actStatement, &QAction::triggered, this, &TfrmReceivables::pShowStatement);
    connect(m_actHelp, &QAction::triggered, this, [this] { m_context.pOpenHelp(); });
    m_actPrintPreview->setVisible(m_context.edition().IsFullEdition());
    return bar;
}

QWidget *TfrmReceivables::createFooter()
{
    auto *footer = new QWidget(this);
    footer->setObjectName(QStringLiteral("PanelBucketTotals"));
    auto *grid = new QGridLayout(footer);
    grid->setContentsMargins(0, 4, 0, 0);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(0);
    const auto addTotal = [this, footer, grid](int column, const QString &caption, const QString &name) {
        auto *heading = new QLabel(caption, footer);
        heading->setAlignment(Qt::AlignRight);
        auto *amount = new QLabel(footer);
        amount->setObjectName(name);
        amount->setAlignment(Qt::AlignRight);
        amount->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(heading, 0, column);
        grid->addWidget(amount, 1, column);
        return amount;
    };
    grid->setColumnStretch(0, 1);
    for (int b = 0; b < Receivables::BucketCount; ++b)
        m_bucketTotals << addTotal(b + 1, Receivables::bucketCaption(Receivables::Bucket(b)),
                                   QStringLiteral("lblBucketTotal%1").arg(b));
    m_lblCreditTotal = addTotal(Receivables::BucketCount + 1, tr("Credit"), QStringLiteral("lblCreditTotal"));
    m_lblAllTotal = addTotal(Receivables::BucketCount + 2, tr("Total Owed"), QStringLiteral("lblAllTotal"));
    m_lblRetainageHeld =
        addTotal(Receivables::BucketCount + 3, tr("Retainage Held"), QStringLiteral("lblRetainageHeldTotal"));
    QFont bold = m_lblAllTotal->font();
    bold.setBold(true);
    m_lblAllTotal->setFont(bold);
    return footer;
}

void TfrmReceivables::pRefresh()
{
    try {
        m_model.reload();
    } catch (const DbError &error) {
        // The list keeps what it showed.
        m_context.prompts().showError(error.message(), error.detail());
        return;
    }
    pShowListed();
    pSumFigures(true);
}

void TfrmReceivables::pShowChangesFromElsewhere()
{
    const ListPlace invoices(m_lstvwReceivables, ReceivablesModel::Invoice);
    try {
        m_model.reload();
    } catch (const DbError &) {
        // Nobody asked for this look: the list keeps its rows until the next one.
        return;
    }
    invoices.restore();
    pShowListed();
    pSumFigures(false);
}

void TfrmReceivables::pSearch(const QString &text)
{
    try {
        m_model.setSearch(text);
    } catch (const DbError &error) {
        m_context.prompts().showError(error.message(), error.detail());
        return;
    }
    pShowListed();
    // Figures still coming for the search before are not wanted any more.
    m_latestFigures->store(++m_figuresAsked);
    pShowFigures(std::nullopt);
    m_figuresPause.start();
}

void TfrmReceivables::pShowListed()
{
    if (!m_lstvwReceivables->currentIndex().isValid() && m_model.rowCount() > 0)
        m_lstvwReceivables->setCurrentIndex(m_model.index(0, 0));
    const bool listed = m_model.rowCount() > 0;
    for (QAction *action : {m_actPrint, m_actPrintPreview, m_actPdf, m_actPastDue, m_actRecordPayment})
        action->setEnabled(listed);
    m_actStatement->setEnabled(listed && m_context.windows);
}

void TfrmReceivables::pSumFigures(bool withUnreadable)
{
    m_figuresPause.stop();
    const quint64 asked = ++m_figuresAsked;
    m_latestFigures->store(asked);
    QPointer<TfrmReceivables> window(this);
    // Summed on connections of their own while the list is already shown; only the
    // answer to the latest question is shown, and a question no longer asked stops
    // taking the processor from the typing (unless it names the unreadable documents),
    // nor does one for a window closed. Asked by both readings of the file at once.
    const auto wanted = [latest = m_latestFigures, asked, withUnreadable] {
        const quint64 now = latest->load();
        return now == asked || (withUnreadable && now != kWindowClosed);
    };
    QThread *thread = QThread::create([window, asked, withUnreadable, wanted, path = m_context.databasePath(),
                                       today = m_today, search = m_model.search()] {
        // Each answer goes to the window's thread as soon as it is known; figures only
        // while no later search asked for others.
        const auto answer = [window, asked](auto show, bool whileAsked = true) {
            QMetaObject::invokeMethod(QCoreApplication::instance(), [window, asked, show, whileAsked] {
                if (window && (!whileAsked || window->m_figuresAsked == asked))
                    show(*window);
            }, Qt::QueuedConnection);
        };
        try {
            const auto connect = [&path] { return std::make_unique<Database>(path, Database::OpenMode::ReadOnly); };
            const std::optional<Receivables::Figures> figures =
                Receivables::figuresWhileWanted(connect, today, search, wanted);
            if (!figures)
                return;
            answer([figures](TfrmReceivables &w) { w.pShowFigures(figures); });
            if (withUnreadable && !figures->unreadable.isEmpty())
                answer([unreadable = figures->unreadable](TfrmReceivables &w) { w.pReportUnreadable(unreadable); }, false);
        } catch (const DbError &error) {
            answer([error](TfrmReceivables &w) { w.m_context.prompts().showError(error.message(), error.detail()); });
        }
    });
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start(QThread::LowPriority);
}

void TfrmReceivables::pShowFigures(const std::optional<Receivables::Figures> &figures)
{
    // Until the sums of a new search come, no figure of the one before is shown.
    const auto amount = [this, &figures](double value) {
        return figures ? Money::currencyText(value, m_context.locale) : QString();
    };
    for (int b = 0; b < Receivables::BucketCount; ++b)
        m_bucketTotals.at(b)->setText(amount(figures ? figures->buckets[std::size_t(b)] : 0));
    m_lblAllTotal->setText(amount(figures ? figures->owed() : 0));
    m_lblCreditTotal->setText(amount(figures ? figures->credit : 0));
    m_lblRetainageHeld->setText(amount(figures ? figures->retainageHeld : 0));
    m_lblRowCount->setText(figures ? tr("%1 listed").arg(m_context.locale.toString(figures->rows)) : QString());
    // Figures that come again after a change elsewhere leave the user where they were.
    const ListPlace customers(m_lstvwCustomerTotals, CustomerTotalsModel::Customer);
    m_customers.setTotals(figures ? figures->customers : QList<Receivables::CustomerTotal>(), m_context.locale);
    customers.restore();
}

void TfrmReceivables::pReportUnreadable(const QList<int> &documents)
{
    QStringList numbers;
    for (int number : documents)
        numbers << QString::number(number);
    m_context.prompts().showError(
        tr("These documents are not counted: their stored amount cannot be read. Open and save them to repair "
           "the amount: %1.")
            .arg(numbers.join(QStringLiteral(", "))));
}

QList<Receivables::Row> TfrmReceivables::selectedRows() const
{
    QList<int> indexes;
    for (const QModelIndex &index : m_lstvwReceivables->selectionModel()->selectedRows())
        indexes << index.row();
    std::sort(indexes.begin(), indexes.end());
    QList<Receivables::Row> rows;
    for (int index : indexes)
        rows << m_model.row(index);
    return rows;
}

void TfrmReceivables::pRecordPayment()
{
    const QModelIndex current = m_lstvwReceivables->currentIndex();
    if (!current.isValid())
        return;
    if (TfrmRecordPayment::openForSaved(m_context, m_model.row(current.row()).invoiceNumber, this))
        pRefresh();
}

void TfrmReceivables::pShowStatement()
{
    const QModelIndex current = m_lstvwReceivables->currentIndex();
    if (!current.isValid() || !m_context.windows)
        return;
    try {
        const int number = m_model.row(current.row()).invoiceNumber;
        m_context.windows->openCustomerStatement(CustomerStatement::customerOf(m_context, number), this);
    } catch (const DbError &error) {
        m_context.prompts().showError(error.message(), error.detail());
    }
}

void TfrmReceivables::pOpenInvoice(const QModelIndex &index)
{
    if (!index.isValid() || !m_context.windows)
        return;
    const int number = m_model.row(index.row()).invoiceNumber;
    m_context.document.header.intInvNumber = number;
    {
        // The second click of a double click must not land in the editor.
        const ClickSequenceGuard restOfClick;
        m_context.windows->openInvoiceEditor(this);
    }
    pRefresh();
    // Back where the user was, when the invoice is still owed.
    for (int row = 0; row < m_model.rowCount(); ++row) {
        if (m_model.row(row).invoiceNumber == number) {
            m_lstvwReceivables->setCurrentIndex(m_model.index(row, 0));
            break;
        }
    }
}

void TfrmReceivables::pMakePastDueNotices()
{
    const QList<int> made = PastDueNotices(m_context).pMakeFor(selectedRows());
    if (!made.isEmpty())
        pRefresh();
}

void TfrmReceivables::pPrintList(Output output)
{
    if (!m_context.printModule) {
        m_context.prompts().ShowInformation(tr("Printing is not available yet."));
        return;
    }
    QList<Receivables::Row> rows;
    try {
        rows = m_model.everyRow();
    } catch (const DbError &error) {
        m_context.prompts().showError(error.message(), error.detail());
        return;
    }
    const TablePrintout table = ReceivablesPrintout::build(rows, m_today, m_model.search(), m_context.locale);
    const PrintRequest request = PrintRequest::list(PrintKind::Table, table.toListPrintout());
    switch (output) {
    case Output::Print:
        (void)m_context.printModule->pPrint(request);
        break;
    case Output::Preview:
        m_context.printModule->pPrintPreview(request);
        break;
    case Output::Pdf:
        (void)m_context.printModule->pSaveAsPDF(request);
        break;
    }
}
