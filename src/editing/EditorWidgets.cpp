#include "EditorWidgets.h"
#include "widgets/ReadOnlyList.h"

#include "company/CompanyRecord.h"
#include "invoice/InvoiceLines.h"

#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

namespace {

/// The line table as the editors list it: quantities and amounts, and their
/// column titles, line up on the right as on the printed document.
class LineListModel final : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role == Qt::TextAlignmentRole)
            return alignment(index.column());
        return QIdentityProxyModel::data(index, role);
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role == Qt::TextAlignmentRole && orientation == Qt::Horizontal)
            return alignment(section);
        return QIdentityProxyModel::headerData(section, orientation, role);
    }

private:
    static QVariant alignment(int column)
    {
        const bool amount = column == InvoiceLines::Quantity || column == InvoiceLines::PriceEach
            || column == InvoiceLines::Total;
        return QVariant::fromValue(Qt::Alignment(amount ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
};

} // namespace

namespace EditorWidgets {

QPushButton *commandButton(QWidget *parent, const QString &name, const QString &caption)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QLabel *namedLabel(QWidget *parent, const QString &name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

void setupLineList(QTableView *list, InvoiceLines &lines)
{
    auto *model = new LineListModel(list);
    model->setSourceModel(&lines);
    list->setModel(model);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setShowGrid(false);
    list->setAlternatingRowColors(true);
    list->setWordWrap(false);
    list->verticalHeader()->hide();
    list->horizontalHeader()->setHighlightSections(false);
    giveListKeys(list);
}

void pResizeListBox(QTableView *list, const TrecCmpnyInvData &company)
{
    QHeaderView *header = list->horizontalHeader();
    header->setSectionResizeMode(InvoiceLines::Description, QHeaderView::Stretch);
    const struct
    {
        int column;
        int width;
        bool shown;
    } amounts[] = {
        {InvoiceLines::Quantity, 100, company.strShowQuantity},
        {InvoiceLines::PriceEach, 120, company.strShowPrcEach},
        {InvoiceLines::Total, 140, company.strShowTotal},
    };
    for (const auto &amount : amounts) {
        header->setSectionResizeMode(amount.column, QHeaderView::Fixed);
        header->resizeSection(amount.column, amount.width);
        list->setColumnHidden(amount.column, !amount.shown);
    }
    for (int column = InvoiceLines::LabPrice; column < InvoiceLines::PriceColumnCount; ++column)
        list->setColumnHidden(column, true);
}

} // namespace EditorWidgets
