#include "TfrmExportDocuments.h"
#include "widgets/InputGuards.h"

#include "data/DateText.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TfrmExportDocuments::TfrmExportDocuments(QDate today, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmExportDocuments"));
    setWindowTitle(tr("Export Documents"));
    const QString format = DateText::shortDateFormat(locale());
    const auto dateField = [&](const char *name, QDate date) {
        auto *field = new DateField(this);
        field->setDate(date);
        field->setObjectName(QLatin1String(name));
        field->setDisplayFormat(format);
        field->setCalendarPopup(true);
        return field;
    };
    m_dtFrom = dateField("dtFrom", QDate(today.year(), 1, 1));
    m_dtTo = dateField("dtTo", today);
    m_rbOneFile = new QRadioButton(tr("&One file, a row per line with the document's fields on each"), this);
    m_rbOneFile->setObjectName(QStringLiteral("rbOneFile"));
    m_rbTwoFiles = new QRadioButton(tr("&Two files, documents and lines"), this);
    m_rbTwoFiles->setObjectName(QStringLiteral("rbTwoFiles"));
    m_rbOneFile->setChecked(true);

    auto *form = new QFormLayout;
    form->addRow(tr("&From:"), m_dtFrom);
    form->addRow(tr("&To:"), m_dtTo);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("&Export..."));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // A range that ends before it starts finds nothing; Export waits for a sound one.
    const auto checkRange = [this, buttons] {
        buttons->button(QDialogButtonBox::Ok)->setEnabled(m_dtFrom->date() <= m_dtTo->date());
    };
    connect(m_dtFrom, &QDateEdit::dateChanged, this, checkRange);
    connect(m_dtTo, &QDateEdit::dateChanged, this, checkRange);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_rbOneFile);
    layout->addWidget(m_rbTwoFiles);
    layout->addWidget(buttons);
}

QDate TfrmExportDocuments::from() const
{
    return m_dtFrom->date();
}

QDate TfrmExportDocuments::to() const
{
    return m_dtTo->date();
}

bool TfrmExportDocuments::twoFiles() const
{
    return m_rbTwoFiles->isChecked();
}
