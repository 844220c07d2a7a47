#pragma once

#include "TableListModel.h"
#include "invoice/CustomerStatement.h"

#include <QDialog>
#include <optional>

class AppContext;
class DateField;
class QComboBox;
class QTableView;
struct TableOutput;

/// A customer's statement: every charge, credit and payment between two dates with
/// the running balance and the amount due, printed, previewed or saved as PDF.
/// It only reads.
class TfrmCustomerStatement final : public QDialog
{
    Q_OBJECT
public:
    /// Opens on \a customer when given, else on the first customer with documents.
    TfrmCustomerStatement(AppContext &context, const std::optional<CustomerStatement::Customer> &customer,
                          QWidget *parent = nullptr);
    ~TfrmCustomerStatement() override;

    [[nodiscard]] const TableListModel &listModel() const { return m_model; }
    /// The statement shown, for the customer chosen.
    [[nodiscard]] const CustomerStatement::Account &account() const { return m_account; }
    [[nodiscard]] std::optional<CustomerStatement::Customer> customer() const;

private:
    void fillCustomers(const std::optional<CustomerStatement::Customer> &preselected);
    void pBuildStatement();
    [[nodiscard]] TablePrintout printout() const;

    AppContext &m_context;
    QList<CustomerStatement::Customer> m_customers;
    CustomerStatement::Account m_account;
    TableListModel m_model;
    std::unique_ptr<TableOutput> m_output;
    QComboBox *m_cmbCustomer = nullptr;
    DateField *m_dtpFrom = nullptr;
    DateField *m_dtpTo = nullptr;
    QTableView *m_lstvwStatement = nullptr;
};
