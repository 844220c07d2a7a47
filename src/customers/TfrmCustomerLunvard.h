#pragma once

#include "widgets/ReportsChange.h"

#include <QDialog>

class AppContext;
class QAction;
class QLineEdit;
struct QuickCustomer;

/// Quick customer entry: the customer of the current document typed in once (the
/// Lunvard edition keeps no customer list). Nothing is read from or stored in the
/// database.
class TfrmCustomerLunvard final : public QDialog, public ReportsChange
{
    Q_OBJECT
public:
    explicit TfrmCustomerLunvard(AppContext &context, QWidget *parent = nullptr);

private:
    [[nodiscard]] QuickCustomer typed() const;
    void pEnableSavebtn();
    void actOKExecute();

    AppContext &m_context;
    QAction *m_actClose;
    QAction *m_actOK;
    QLineEdit *m_txtCustCmpnyName;
    QLineEdit *m_txtCustFrstName;
    QLineEdit *m_txtCustLstName;
    QLineEdit *m_txtCustAddress;
    QLineEdit *m_txtCustCity;
    QLineEdit *m_txtCustState;
    QLineEdit *m_txtCustZipCode;
    QLineEdit *m_txtCustMainPhone;
};
