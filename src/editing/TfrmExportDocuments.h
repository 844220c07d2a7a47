#pragma once

#include <QDate>
#include <QDialog>

class QDateEdit;
class QRadioButton;

/// Asks which documents to export (a date range) and in which form (one file with a
/// row per line, or a file of documents and a file of lines).
class TfrmExportDocuments final : public QDialog
{
    Q_OBJECT
public:
    TfrmExportDocuments(QDate today, QWidget *parent = nullptr);

    [[nodiscard]] QDate from() const;
    [[nodiscard]] QDate to() const;
    [[nodiscard]] bool twoFiles() const;

private:
    QDateEdit *m_dtFrom = nullptr;
    QDateEdit *m_dtTo = nullptr;
    QRadioButton *m_rbOneFile = nullptr;
    QRadioButton *m_rbTwoFiles = nullptr;
};
