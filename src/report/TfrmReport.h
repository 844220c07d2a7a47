#pragma once

#include "SalesTaxReport.h"

#include <QDate>
#include <QDialog>

class AppContext;
class QAction;
class QButtonGroup;
class QComboBox;
class QLabel;
class QStandardItemModel;
class QTableView;

class QChartView;

/// The monthly sales and tax totals for a range of whole months: listed, charted,
/// printed and previewed. It only reads.
class TfrmReport : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmReport(AppContext &context, QWidget *parent = nullptr);

    /// The shown report's lines and totals.
    [[nodiscard]] const SalesTaxReport::Report &report() const { return m_report; }
    [[nodiscard]] QDate startMonth() const { return m_start; }
    [[nodiscard]] QDate endMonth() const { return m_end; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *createCommandBar();
    QWidget *createChoices();
    QWidget *createMonthGroup(const QString &title, const QString &prefix, QLabel *&monthLabel);
    void moveMonth(const QString &which, int months);
    void pBuildReport();
    /// The months read, as the chosen type and layout show them.
    void showMonths();
    /// Another PC (or this one) committed: the months are read again, the list kept
    /// where the user was.
    void pShowChangesFromElsewhere();
    void fillYears();
    void fillList();
    void fillChart();
    void setColumnWidths();
    void printReport(bool preview);

    AppContext &m_context;
    QDate m_start;
    QDate m_end;
    int m_reportType = SalesTaxReport::SalesAndTax;
    bool m_summarized = true;
    std::array<QString, 3> m_taxNames;
    QList<SalesTaxReport::MonthTotals> m_months;
    SalesTaxReport::Report m_report;
    QStringList m_captions;

    QButtonGroup *m_reportTypes = nullptr;
    QButtonGroup *m_layouts = nullptr;
    std::pair<int, int> m_storedYears;
    QLabel *m_lblStartDate = nullptr;
    QComboBox *m_cmbStartYear = nullptr;
    QComboBox *m_cmbEndYear = nullptr;
    QLabel *m_lblEndDate = nullptr;
    QLabel *m_lblReportTotals = nullptr;
    QTableView *m_ListViewReport = nullptr;
    QStandardItemModel *m_model = nullptr;
    QChartView *m_chartReport = nullptr;
    QAction *m_actPrintPreview = nullptr;
    QAction *m_actPrint = nullptr;
    QAction *m_actExport = nullptr;
};
