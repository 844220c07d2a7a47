#include "TfrmReport.h"
#include "SalesTaxExport.h"

#include "ReportChart.h"

#include "context/AppContext.h"
#include "widgets/CommandBar.h"
#include "core/Edition.h"
#include "core/Prompts.h"
#include "widgets/ReadOnlyList.h"
#include "data/ChangeWatch.h"
#include "data/DbError.h"
#include "widgets/ListPlace.h"
#include "invoice/Money.h"
#include "printing/ListReports.h"
#include "printing/PrintJobs.h"
#include "core/PrintModule.h"
#include "report/SalesTaxRows.h"
#include "widgets/CsvFiles.h"

#include <algorithm>
#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QChart>
#include <QChartView>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

QDate thisMonth()
{
    const QDate today = QDate::currentDate();
    return QDate(today.year(), today.month(), 1);
}

QButtonGroup *makeRadioGroup(QGroupBox *box, const QStringList &items, const QString &prefix)
{
    auto *group = new QButtonGroup(box);
    auto *layout = new QVBoxLayout(box);
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items.at(i), box);
        button->setObjectName(prefix + QString::number(i));
        group->addButton(button, i);
        layout->addWidget(button);
    }
    return group;
}

} // namespace

TfrmReport::TfrmReport(AppContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_start(thisMonth())
    , m_end(thisMonth())
{
    setObjectName(QStringLiteral("frmReport"));
    const TrecCmpnyInvData &invData = context.company.invData;
    m_taxNames = {invData.strTaxName1, invData.strTaxName2, invData.strTaxName3};

    m_model = new QStandardItemModel(0, SalesTaxReport::ColumnCount, this);
    m_ListViewReport = makeReadOnlyList(this, QStringLiteral("ListViewReport"), m_model);
    m_ListViewReport->horizontalHeader()->setSectionsClickable(false);
    m_ListViewReport->setColumnHidden(SalesTaxReport::SortDateColumn, true);
    m_ListViewReport->viewport()->installEventFilter(this);

    m_chartReport = new QChartView(this);
    m_chartReport->setObjectName(QStringLiteral("chartReport"));
    m_chartReport->setRenderHint(QPainter::Antialiasing);
    m_chartReport->setMinimumHeight(220);

    m_lblReportTotals = new QLabel(this);
    m_lblReportTotals->setObjectName(QStringLiteral("lblReportTotals"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(createCommandBar());
    layout->addWidget(createChoices());
    layout->addWidget(m_ListViewReport, 2);
    layout->addWidget(m_lblReportTotals);
    layout->addWidget(m_chartReport, 1);
    resize(900, 680);

    m_reportTypes->button(0)->setChecked(true);
    m_layouts->button(0)->setChecked(true);
    m_actPrintPreview->setVisible(context.edition().IsFullEdition());
    try {
        m_storedYears = SalesTaxReport::storedYears(*context.openDatabase(), m_start.year());
    } catch (const DbError &error) {
        m_storedYears = {m_start.year(), m_start.year()};
        context.prompts().showError(error.message(), error.detail());
    }
    pBuildReport();
    connect(new ChangeWatch(m_context.databasePath(), this), &ChangeWatch::changedElsewhere, this,
            &TfrmReport::pShowChangesFromElsewhere);
}

QWidget *TfrmReport::createCommandBar()
{
    using C = Icons::Command;
    QToolBar *bar = makeCommandBar(this, QStringLiteral("tlbrReport"));
    QAction *close = addCommand(bar, QStringLiteral("actClose"), tr("Close"), tr("Close"), C::Close);
    bar->addSeparator();
    m_actPrintPreview = addCommand(bar, QStringLiteral("actPrintPreview"), tr("Print Preview"),
                                   tr("Print Preview Report"), C::PrintPreview);
    m_actPrint = addCommand(bar, QStringLiteral("actPrint"), tr("Print"), tr("Print Report"), C::Print);
    m_actExport = addCommand(bar, QStringLiteral("actExport"), tr("E&xport..."),
                             tr("Save the months of the report as a CSV file"), C::Export);
    bar->addSeparator();
    QAction *help = addCommand(bar, QStringLiteral("actHelp"), tr("Help"), tr("Open Help"), C::Help);

    connect(close, &QAction::triggered, this, &QWidget::close);
    connect(m_actPrintPreview, &QAction::triggered, this, [this] { printReport(true); });
    connect(m_actPrint, &QAction::triggered, this, [this] { printReport(false); });
    connect(m_actExport, &QAction::triggered, this, [this] {
        CsvFiles::pExport(m_context.prompts(), tr("Export Sales and Tax Report"), tr("Sales and Tax Report"),
                          tr("The report shows no months; no file was written."), [this] {
                              return QList<CsvFiles::ExportPart>{{{}, SalesTaxExport::exportCsv(m_months, m_taxNames)}};
                          });
    });
    connect(help, &QAction::triggered, this, [this] { m_context.pOpenHelp(); });
    return bar;
}

QWidget *TfrmReport::createChoices()
{
    auto *choices = new QWidget(this);
    auto *typeBox = new QGroupBox(tr("Report Type"), choices);
    typeBox->setObjectName(QStringLiteral("rgrpReportType"));
    typeBox->setToolTip(tr("Select report type"));
    m_reportTypes = makeRadioGroup(typeBox, {tr("Sales And Tax Report"), tr("Sales Report"), tr("Tax Report")},
                                   QStringLiteral("rbtnReportType"));
    auto *layoutBox = new QGroupBox(tr("Report Layout"), choices);
    layoutBox->setObjectName(QStringLiteral("rgrpReportLayout"));
    layoutBox->setToolTip(tr("Select for report to be summarized or itemized"));
    m_layouts = makeRadioGroup(layoutBox, {tr("Summary"), tr("Itemized")}, QStringLiteral("rbtnReportLayout"));

    connect(m_reportTypes, &QButtonGroup::idClicked, this, [this](int id) {
        m_reportType = id + 1;
        pBuildReport();
    });
    connect(m_layouts, &QButtonGroup::idClicked, this, [this](int id) {
        m_summarized = id == 0;
        pBuildReport();
    });

    auto *row = new QHBoxLayout(choices);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(typeBox);
    row->addWidget(layoutBox);
    row->addWidget(createMonthGroup(tr("Start Date"), QStringLiteral("Start"), m_lblStartDate));
    row->addWidget(createMonthGroup(tr("End Date"), QStringLiteral("End"), m_lblEndDate));
    return choices;
}

QWidget *TfrmReport::createMonthGroup(const QString &title, const QString &prefix, QLabel *&monthLabel)
{
    auto *box = new QGroupBox(title, this);
    box->setObjectName(QStringLiteral("grp%1Date").arg(prefix));
    monthLabel = new QLabel(box);
    monthLabel->setObjectName(QStringLiteral("lbl%1Date").arg(prefix));
    monthLabel->setAlignment(Qt::AlignCenter);
    auto *back = new QPushButton(tr("<< Back"), box);
    back->setObjectName(QStringLiteral("btn%1Back").arg(prefix));
    back->setToolTip(tr("Previous Month"));
    auto *next = new QPushButton(tr("Next >>"), box);
    next->setObjectName(QStringLiteral("btn%1Next").arg(prefix));
    next->setToolTip(tr("Next Month"));
    // Another year is one choice away, not twelve month steps.
    QComboBox *&year = prefix == QLatin1String("Start") ? m_cmbStartYear : m_cmbEndYear;
    year = new QComboBox(box);
    year->setObjectName(QStringLiteral("cmb%1Year").arg(prefix));
    year->setToolTip(tr("Select Year"));
    year->setFocusPolicy(Qt::StrongFocus);
    connect(year, &QComboBox::activated, this, [this, prefix, year] {
        QDate &month = prefix == QLatin1String("Start") ? m_start : m_end;
        month = QDate(year->currentData().toInt(), month.month(), 1);
        // Choosing an end year before the start moves the start back with it.
        if (prefix == QLatin1String("End") && m_end < m_start)
            m_start = m_end;
        pBuildReport();
    });
    connect(back, &QPushButton::clicked, this, [this, prefix] { moveMonth(prefix, -1); });
    connect(next, &QPushButton::clicked, this, [this, prefix] { moveMonth(prefix, 1); });

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(next);
    auto *layout = new QVBoxLayout(box);
    auto *heading = new QHBoxLayout;
    heading->addWidget(monthLabel, 1);
    heading->addWidget(year);
    layout->addLayout(heading);
    layout->addLayout(buttons);
    return box;
}

void TfrmReport::moveMonth(const QString &which, int months)
{
    QDate &month = which == QLatin1String("Start") ? m_start : m_end;
    month = month.addMonths(months);
    pBuildReport();
}

void TfrmReport::pBuildReport()
{
    // Moving the start past the end drags the end along; the end never goes below the start.
    if (m_end < m_start)
        m_end = m_start;
    m_lblStartDate->setText(SalesTaxReport::monthText(m_start, m_context.locale));
    m_lblEndDate->setText(SalesTaxReport::monthText(m_end, m_context.locale));
    fillYears();
    setWindowTitle(SalesTaxReport::rangeText(m_start, m_end, m_context.locale));

    try {
        m_months = SalesTaxReport::readMonths(*m_context.openDatabase(), m_start, m_end);
    } catch (const DbError &error) {
        m_months.clear();
        m_context.prompts().showError(error.message(), error.detail());
    }
    showMonths();
}

void TfrmReport::pShowChangesFromElsewhere()
{
    QList<SalesTaxReport::MonthTotals> months;
    try {
        months = SalesTaxReport::readMonths(*m_context.openDatabase(), m_start, m_end);
    } catch (const DbError &) {
        // Nobody asked for this look: the report keeps what it shows until the next one.
        return;
    }
    const ListPlace place(m_ListViewReport, SalesTaxReport::SortDateColumn);
    m_months = std::move(months);
    showMonths();
    place.restore();
}

void TfrmReport::showMonths()
{
    m_report = SalesTaxReport::build(m_months, m_reportType, m_summarized, m_context.locale);
    m_captions = SalesTaxReport::captions(m_reportType, m_summarized, m_taxNames);
    fillList();
    fillChart();
    m_lblReportTotals->setText(tr("Tax Total: %1    Sales Total: %2")
                                   .arg(Money::currencyText(m_report.taxTotal, m_context.locale),
                                        Money::currencyText(m_report.salesTotal, m_context.locale)));
    const bool hasRows = !m_report.rows.isEmpty();
    m_actPrint->setEnabled(hasRows);
    m_actPrintPreview->setEnabled(hasRows);
    m_actExport->setEnabled(hasRows);
}

void TfrmReport::fillYears()
{
    // Every year with stored totals, and the shown ones even when they have none.
    const int first = std::min({m_storedYears.first, m_start.year(), m_end.year()});
    const int last = std::max({m_storedYears.second, m_start.year(), m_end.year()});
    for (auto [box, shown] : {std::pair{m_cmbStartYear, m_start.year()}, std::pair{m_cmbEndYear, m_end.year()}}) {
        const QSignalBlocker quiet(box);
        box->clear();
        for (int year = first; year <= last; ++year)
            box->addItem(QString::number(year), year);
        box->setCurrentIndex(box->findData(shown));
    }
}

void TfrmReport::fillList()
{
    m_model->setRowCount(0);
    m_model->setHorizontalHeaderLabels(m_captions);
    for (const SalesTaxReport::Row &row : std::as_const(m_report.rows)) {
        QList<QStandardItem *> items;
        for (int column = 0; column < SalesTaxReport::ColumnCount; ++column) {
            auto *item = new QStandardItem(row.cells.at(column));
            if (column >= SalesTaxReport::Tax1Column && column <= SalesTaxReport::SalesTotalColumn)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            items.append(item);
        }
        m_model->appendRow(items);
    }
    setColumnWidths();
}

void TfrmReport::fillChart()
{
    QChart *old = m_chartReport->chart();
    m_chartReport->setChart(makeReportChart(SalesTaxReport::chartData(m_months, m_start, m_end), m_reportType,
                                            m_context.locale));
    delete old;
}

void TfrmReport::setColumnWidths()
{
    const QList<int> widths
        = SalesTaxReport::columnWidths(m_reportType, m_summarized, m_ListViewReport->viewport()->width());
    for (int column = 0; column < SalesTaxReport::ColumnCount; ++column) {
        const bool shown = widths.at(column) > 0;
        m_ListViewReport->setColumnHidden(column, !shown);
        if (shown)
            m_ListViewReport->setColumnWidth(column, widths.at(column));
    }
}

bool TfrmReport::eventFilter(QObject *watched, QEvent *event)
{
    // The columns share the list's width, so they follow the list, not the window.
    if (watched == m_ListViewReport->viewport() && event->type() == QEvent::Resize)
        setColumnWidths();
    return QDialog::eventFilter(watched, event);
}

void TfrmReport::printReport(bool preview)
{
    if (!m_context.printModule)
        return;
    const PrintRequest request = PrintRequest::list(
        PrintKind::SalesAndTaxReport, {ListReports::pSetTaxSalesData(m_reportType, windowTitle(), m_captions),
                                       ListReports::RvCustomConnectionReports(m_report)});
    if (preview)
        m_context.printModule->pPrintPreview(request);
    else
        (void)m_context.printModule->pPrint(request);
}
