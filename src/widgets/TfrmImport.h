#pragma once

#include "csv/ImportJob.h"

#include <QDialog>
#include <QList>

class Prompts;
class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableView;
class RowProblemModel;

/// The import of one CSV file: the user checks which column fills which field, sees
/// every row that cannot be taken and why, and confirms. Nothing is written before
/// "Import"; then every row is written in one go or none is.
class TfrmImport final : public QDialog
{
    Q_OBJECT
public:
    TfrmImport(Csv::ImportJob &job, const Csv::Table &table, const QString &fileName, Prompts &prompts,
               QWidget *parent = nullptr);
    ~TfrmImport() override;

    /// The column chosen for each field, in field order (-1: not imported).
    [[nodiscard]] Csv::Mapping mapping() const;

    /// How the file's decimals are read now.
    [[nodiscard]] Csv::DecimalReading decimalReading() const;

    /// Writes the rows; true when they were written (the dialog then closes).
    bool actImportExecute();

private:
    /// After another column choice: the mark is decided again from the values now
    /// read, unless the user has chosen it.
    void columnsChanged();
    void refreshPreview();
    [[nodiscard]] QString summaryText() const;

    Csv::ImportJob &m_job;
    const Csv::Table &m_table;
    Prompts &m_prompts;

    QList<QComboBox *> m_columnChoices;
    QComboBox *m_cmbDecimalMark = nullptr;
    QCheckBox *m_chkTakeAmbiguous = nullptr;
    Csv::MarkDecision m_markDecision;
    bool m_markChosen = false;
    bool m_hasAmounts = false;
    QLabel *m_lblSummary = nullptr;
    QTableView *m_lstProblems = nullptr;
    RowProblemModel *m_problemModel = nullptr;
    QRadioButton *m_rbSkipExisting = nullptr;
    QRadioButton *m_rbUpdateExisting = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
    QPushButton *m_btnImport = nullptr;
};
