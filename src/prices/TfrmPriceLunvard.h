#pragma once

#include "widgets/ReportsChange.h"

#include <QDialog>

class AppContext;
class QAction;
class QLineEdit;
struct PriceLineEntry;

/// Quick price item entry: one line typed in and appended to the current document
/// (the Lunvard edition keeps no price list). Nothing is read from or stored in the
/// database.
class TfrmPriceLunvard final : public QDialog, public ReportsChange
{
    Q_OBJECT
public:
    explicit TfrmPriceLunvard(AppContext &context, QWidget *parent = nullptr);

private:
    [[nodiscard]] PriceLineEntry typed() const;
    void pEnableSaveButton();
    void actOKExecute();

    AppContext &m_context;
    QAction *m_actClose;
    QAction *m_actOK;
    QLineEdit *m_txtPriceItmDiscription;
    QLineEdit *m_txtLaborPrice;
    QLineEdit *m_txtMatPrice;
    QLineEdit *m_txtQuantity;
};
