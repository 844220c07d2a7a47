#pragma once

#include <QDialog>
#include <vector>

class CompanyContext;
class CompanyIdentityPage;
class CompanyInfoPage;
class QAction;
class QStackedWidget;
class Ribbon;
class TaxPage;

/// The company information window: identity, taxes, payment terms, foot notes,
/// document colours, logo, what the printed document shows, licences and the
/// planner settings. It edits a copy of the company record and puts it back only
/// when the save has committed.
class TfrmCompanyInfo final : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmCompanyInfo(CompanyContext &context, QWidget *parent = nullptr);

    /// Shows the window modally and destroys it when it closes.
    static void open(CompanyContext &context, QWidget *parent = nullptr);

    /// Checks the tax names and saves everything; true when it saved.
    bool pSave();
    /// Closing: asks about unsaved changes first (also for Esc and the close box).
    void reject() override;

private:
    QAction *addPage(CompanyInfoPage *page, const QString &actionName, const QString &caption, bool shown);
    void showPage(QWidget *page);
    void pShowFormInformation();

    CompanyContext &m_context;
    Ribbon *m_ribbon;
    QStackedWidget *m_pages;
    QAction *m_actSave;
    std::vector<CompanyInfoPage *> m_editPages;
    std::vector<QAction *> m_pageActions;
    CompanyIdentityPage *m_companyPage = nullptr;
    TaxPage *m_taxPage = nullptr;
};
