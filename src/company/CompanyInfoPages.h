#pragma once

#include "CompanyInfoLayout.h"
#include "CompanyRecord.h"

#include <QWidget>
#include <vector>

class AcceptanceArea;
class ColorBar;
class LineLimitedEdit;
class LogoPanel;
class PaymentTermsEditor;
class Prompts;
class QButtonGroup;
class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class TaxRateEdit;

/// One page of the company information window: fills its controls from the company
/// record and writes them back into a copy of it. Every user change emits changed().
class CompanyInfoPage : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;

    virtual void load(const CompanyRecord &record) = 0;
    virtual void store(CompanyRecord &record) const = 0;

signals:
    void changed();

protected:
    /// A one-line text field bound to a member of the identity record.
    struct IdentityField
    {
        QLineEdit *edit;
        int limit;
        QString TrecCompanyData::*member;
    };

    /// Adds a labelled field on \a row of \a grid and reports its edits as changes.
    QLineEdit *addField(QGridLayout *grid, int row, const QString &label, const QString &name, int limit,
                        const QString &hint);
    void loadFields(const TrecCompanyData &company);
    void storeFields(TrecCompanyData &company) const;

    std::vector<IdentityField> m_fields;
};

/// Company identity and the logo.
class CompanyIdentityPage final : public CompanyInfoPage
{
    Q_OBJECT
public:
    CompanyIdentityPage(Prompts &prompts, const CompanyInfoLayout &layout, QWidget *parent = nullptr);
    void load(const CompanyRecord &record) override;
    void store(CompanyRecord &record) const override;
    [[nodiscard]] LogoPanel *logo() const { return m_logo; }
    /// Loads the logo file; the window calls it after load().
    void loadLogo(const QString &logoPath, bool large);
    void focusCompanyName();

private:
    LogoPanel *m_logo;
};

/// The three sales taxes and what they apply to.
class TaxPage final : public CompanyInfoPage
{
    Q_OBJECT
public:
    TaxPage(const CompanyInfoLayout &layout, QWidget *parent = nullptr);
    void load(const CompanyRecord &record) override;
    void store(CompanyRecord &record) const override;
    /// Puts the focus in the name field of tax option 1, 2 or 3.
    void focusTaxName(int option);

private:
    QLineEdit *m_names[3];
    TaxRateEdit *m_rates[3];
    QButtonGroup *m_taxOn;
};

/// Payment terms, foot notes, estimate validity and deposit percent.
class InvoiceInfoPage final : public CompanyInfoPage
{
    Q_OBJECT
public:
    InvoiceInfoPage(Prompts &prompts, const CompanyInfoLayout &layout, QWidget *parent = nullptr);
    void load(const CompanyRecord &record) override;
    void store(CompanyRecord &record) const override;

private:
    PaymentTermsEditor *m_terms;
    LineLimitedEdit *m_footNotes[3];
    QSpinBox *m_estimateDays;
    QSpinBox *m_depositPercent;
};

/// One colour per document kind.
class InvoiceColorPage final : public CompanyInfoPage
{
    Q_OBJECT
public:
    InvoiceColorPage(Prompts &prompts, const CompanyInfoLayout &layout, QWidget *parent = nullptr);
    void load(const CompanyRecord &record) override;
    void store(CompanyRecord &record) const override;

private:
    struct KindRow
    {
        QColor CompanyRecord::*member;
        QLabel *sample;
        ColorBar *bar;
        QColor color;
    };
    void setRowColor(KindRow &row, const QColor &color);

    Prompts &m_prompts;
    std::vector<KindRow> m_rows;
};

/// Which line columns the printed document shows, with a sample (price-item editions).
class InvoiceDescriptionPage final : public CompanyInfoPage
{
    Q_OBJECT
public:
    explicit InvoiceDescriptionPage(QWidget *parent = nullptr);
    void load(const CompanyRecord &record) override;
    void store(CompanyRecord &record) const override;

private:
    void rebuildSample();

    QCheckBox *m_quantity;
    QCheckBox *m_priceEach;
    QCheckBox *m_total;
    QCheckBox *m_totalOnWorkOrder;
    QLabel *m_headings[3];
    QLabel *m_values[2][3];
};

/// What the printed work-sheet document shows (Heddrin).
class WorkSheetDescriptionPage final : public CompanyInfoPage
{
    Q_OBJECT
public:
    explicit WorkSheetDescriptionPage(QWidget *parent = nullptr);
    void load(const CompanyRecord &record) override;
    void store(CompanyRecord &record) const override;

private:
    struct Flag
    {
        QCheckBox *box;
        bool TrecCmpnyInvData::*member;
    };
    std::vector<Flag> m_flags;
};

/// Licences, the acceptance area and the e-mail and web addresses.
class GeneralInfoPage final : public CompanyInfoPage
{
    Q_OBJECT
public:
    GeneralInfoPage(Prompts &prompts, const CompanyInfoLayout &layout, QWidget *parent = nullptr);
    void load(const CompanyRecord &record) override;
    void store(CompanyRecord &record) const override;

private:
    void setAcceptanceColor(const QColor &color);

    Prompts &m_prompts;
    AcceptanceArea *m_acceptanceArea;
    LineLimitedEdit *m_acceptance;
    QColor m_acceptanceColor;
};

/// Planner housekeeping, default view and colours.
class PlannerPage final : public CompanyInfoPage
{
    Q_OBJECT
public:
    PlannerPage(Prompts &prompts, QWidget *parent = nullptr);
    void load(const CompanyRecord &record) override;
    void store(CompanyRecord &record) const override;

private:
    struct ColorChoice
    {
        QColor PlannerSettings::*member;
        ColorBar *bar;
    };

    Prompts &m_prompts;
    QButtonGroup *m_removeActivity;
    QButtonGroup *m_defaultPlanner;
    std::vector<ColorChoice> m_colors;
};
