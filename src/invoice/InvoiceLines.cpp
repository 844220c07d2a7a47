#include "InvoiceLines.h"

#include "Money.h"
#include "core/AmountReader.h"
#include "data/BoolText.h"

namespace {

constexpr int kFirstCount = InvoiceLines::IntExt;
constexpr int kCountFields = 21;

bool isCount(int column)
{
    return column >= kFirstCount && column < kFirstCount + kCountFields;
}

QString extraChargeText(double amount, const QLocale &locale)
{
    return amount == 0 ? QString() : Money::decimalText(amount, locale);
}

} // namespace

InvoiceLines::InvoiceLines(bool workSheets, QObject *parent)
    : QAbstractTableModel(parent)
    , m_workSheets(workSheets)
{
}

void InvoiceLines::setHeaderCaptions(const QStringList &captions)
{
    m_captions = captions;
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void InvoiceLines::setLocale(const QLocale &locale)
{
    if (locale == m_locale)
        return;
    beginResetModel();
    m_locale = locale;
    endResetModel();
}

int InvoiceLines::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_amounts.size());
}

int InvoiceLines::columnCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return m_workSheets ? int(WorkSheetColumnCount) : int(PriceColumnCount);
}

QVariant InvoiceLines::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return cell(index.row(), index.column());
}

QVariant InvoiceLines::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < m_captions.size())
        return m_captions.at(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

QString InvoiceLines::cell(int row, int column) const
{
    const LineAmounts &computed = m_amounts.at(row);
    if (m_workSheets) {
        switch (column) {
        case AreaSqft:
            return QString::number(computed.sqft);
        case AreaAmount:
            return Money::decimalText(computed.total, m_locale);
        default:
            return workSheetText(m_sheets.at(row), column, m_locale);
        }
    }
    const PriceLine &line = m_priceLines.at(row);
    switch (column) {
    case Description:
        return line.description;
    case Quantity:
        return Money::decimalText(line.quantity, m_locale);
    case PriceEach:
        return Money::currencyText(computed.priceEach, m_locale);
    case Total:
        return Money::currencyText(computed.total, m_locale);
    case LabPrice:
        return Money::decimalText(line.laborPrice, m_locale);
    case LabTax:
        return BoolText::from(line.laborTaxable);
    case MatPrice:
        return Money::decimalText(line.materialPrice, m_locale);
    case MatTax:
        return BoolText::from(line.materialTaxable);
    default:
        return {};
    }
}

QString InvoiceLines::workSheetText(const WorkSheet &sheet, int column, const QLocale &locale)
{
    if (isCount(column))
        return QString::number(sheet.counts()[std::size_t(column - kFirstCount)]);
    switch (column) {
    case WorkSheetName:
        return sheet.strWorkSheetName;
    case ExtraChargesName:
        return sheet.strExtraChargesName;
    case ExtraChargesLabor:
        return extraChargeText(sheet.dbExtraChargesLabor, locale);
    case ExtraChargesMaterial:
        return extraChargeText(sheet.dbExtraChargesMaterial, locale);
    default:
        return {};
    }
}

bool InvoiceLines::setWorkSheetField(WorkSheet &sheet, int column, const QString &text, const QLocale &locale)
{
    if (isCount(column)) {
        bool ok = false;
        const int value = text.trimmed().toInt(&ok);
        if (!ok)
            return false;
        std::array<int, 21> counts = sheet.counts();
        counts[std::size_t(column - kFirstCount)] = value;
        sheet.setCounts(counts);
        return true;
    }
    switch (column) {
    case WorkSheetName:
        sheet.strWorkSheetName = text;
        return true;
    case ExtraChargesName:
        sheet.strExtraChargesName = text;
        return true;
    case ExtraChargesLabor:
    case ExtraChargesMaterial: {
        const std::optional<double> amount =
            text.trimmed().isEmpty() ? std::optional<double>(0) : Money::parseDecimal(text, locale);
        if (!amount || !AmountReader::withinLargest(*amount))
            return false;
        (column == ExtraChargesLabor ? sheet.dbExtraChargesLabor : sheet.dbExtraChargesMaterial) = *amount;
        return true;
    }
    default:
        return false;
    }
}

void InvoiceLines::rowChanged(int row)
{
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void InvoiceLines::appendPriceLine(const PriceLine &line)
{
    Q_ASSERT(!m_workSheets);
    const int row = rowCount();
    beginInsertRows({}, row, row);
    m_priceLines.append(line);
    m_amounts.append(LineAmounts{});
    endInsertRows();
}

void InvoiceLines::setPriceLine(int row, const PriceLine &line)
{
    if (m_priceLines.at(row) == line)
        return;
    m_priceLines[row] = line;
    rowChanged(row);
}

void InvoiceLines::setPriceLines(QList<PriceLine> lines)
{
    Q_ASSERT(!m_workSheets || lines.isEmpty());
    beginResetModel();
    m_amounts = QList<LineAmounts>(lines.size());
    m_priceLines = std::move(lines);
    endResetModel();
}

void InvoiceLines::appendWorkSheet(const WorkSheet &sheet)
{
    Q_ASSERT(m_workSheets);
    const int row = rowCount();
    beginInsertRows({}, row, row);
    m_sheets.append(sheet);
    m_amounts.append(LineAmounts{});
    endInsertRows();
}

void InvoiceLines::setWorkSheet(int row, const WorkSheet &sheet)
{
    m_sheets[row] = sheet;
    rowChanged(row);
}

void InvoiceLines::setWorkSheets(QList<WorkSheet> sheets)
{
    Q_ASSERT(m_workSheets || sheets.isEmpty());
    beginResetModel();
    m_amounts = QList<LineAmounts>(sheets.size());
    m_sheets = std::move(sheets);
    endResetModel();
}

void InvoiceLines::setAmounts(int row, const LineAmounts &amounts)
{
    if (m_amounts.at(row) == amounts)
        return;
    m_amounts[row] = amounts;
    const int first = m_workSheets ? int(AreaSqft) : int(PriceEach);
    const int last = m_workSheets ? int(AreaAmount) : int(Total);
    emit dataChanged(index(row, first), index(row, last));
}

void InvoiceLines::removeLine(int row)
{
    beginRemoveRows({}, row, row);
    if (m_workSheets)
        m_sheets.removeAt(row);
    else
        m_priceLines.removeAt(row);
    m_amounts.removeAt(row);
    endRemoveRows();
}

void InvoiceLines::clear()
{
    beginResetModel();
    m_priceLines.clear();
    m_sheets.clear();
    m_amounts.clear();
    endResetModel();
}
