#include "PriceListModel.h"

#include "data/BoolText.h"
#include "invoice/Money.h"

PriceListModel::PriceListModel(const QLocale &locale, QObject *parent)
    : QAbstractTableModel(parent)
    , m_locale(locale)
{
}

void PriceListModel::setItems(QList<PriceItem> items)
{
    beginResetModel();
    m_items = std::move(items);
    endResetModel();
}

QString PriceListModel::cellText(const PriceItem &item, int column) const
{
    switch (column) {
    case Description:
        return item.strPrcItemName;
    case LaborPrice:
        return Money::currencyText(item.dbLbrPrc, m_locale);
    case MaterialPrice:
        return Money::currencyText(item.dbMatPrc, m_locale);
    case LabTax:
        return BoolText::from(item.strLabTax);
    case MatTax:
        return BoolText::from(item.strMatTax);
    case LabPrice:
        return Money::decimalText(item.dbLbrPrc, m_locale);
    case MatPrice:
        return Money::decimalText(item.dbMatPrc, m_locale);
    case PriceItmID:
        return QString::number(item.intPrcItemNumID);
    default:
        return {};
    }
}

int PriceListModel::columnWidth(int column)
{
    switch (column) {
    case Description:
        return 345;
    case LaborPrice:
    case MaterialPrice:
        return 130;
    default:
        return 0;
    }
}

int PriceListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_items.size());
}

int PriceListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PriceListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return cellText(m_items.at(index.row()), index.column());
    if (role == Qt::TextAlignmentRole && (index.column() == LaborPrice || index.column() == MaterialPrice))
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant PriceListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char *const captions[ColumnCount] = {"Description", "Labor Price", "Material Price", "LabTax",
                                                      "MatTax",      "LabPrice",    "MatPrice",       "PriceItmID"};
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < ColumnCount)
        return QString::fromLatin1(captions[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}
