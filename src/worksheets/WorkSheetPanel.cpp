#include "WorkSheetPanel.h"

#include "invoice/WorkSheet.h"
#include "WorkSheetRules.h"
#include "core/AllowNumDecimalOnly.h"
#include "invoice/InvoiceLines.h"
#include "widgets/FormFields.h"
#include "widgets/InputGuards.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolBox>
#include <QVBoxLayout>

namespace {

using L = InvoiceLines;

struct FieldText
{
    const char *name;
    const char *label;
    const char *hint;
};

FieldText fieldText(int column)
{
    switch (column) {
    case L::WorkSheetName:
        return {"txtAreaName", "Work Sheet Name", "Enter a name for this Work Sheet - Bedroom, Hall, Office ..."};
    case L::IntExt:
        return {"cmbxInteriorExterior", "Interior or Exterior", "This Work Sheet is Interior or Exterior work"};
    case L::AreaWorkOn:
        return {"cmbxAreaWorkOn", "Area Work On . . .", "Select surface to be worked on"};
    case L::AreaLength:
        return {"SpinEditAreaLength", "Area Length", "Length of This area"};
    case L::AreaWidth:
        return {"SpinEditAreaWidth", "Area Width", "Width of This area"};
    case L::AreaHeight:
        return {"SpinEditAreaHeight", "Area Height", "Height of This area"};
    case L::PaintsCoats:
        return {"SpinEditPaintCoats", "Number of Paint Coats", "Number of Coats of Paint"};
    case L::TrimCoats:
        return {"SpinEditTrimCoats", "Number of Trim Coats", "Number of Trim Coats of Paint"};
    case L::AreaMultiplier:
        return {"SpinEditMultiplier", "Multiplier", "Number of times to use this Work Sheet"};
    case L::Prime:
        return {"cmbxPrime", "Prime", "Select Prime information for this area"};
    case L::Wash:
        return {"cmbxWash", "Wash", "Select to Wash this area"};
    case L::Sand:
        return {"cmbxSand", "Sand", "Select to Sand this area"};
    case L::Caulk:
        return {"cmbxCaulk", "Caulk", "Select to Caulk this area"};
    case L::Mask:
        return {"cmbxMask", "Mask", "Select to Mask this area"};
    case L::NumOfDoors:
        return {"SpinEditDoors", "Doors to Paint", "Select Number of Doors to paint for this Work Sheet"};
    case L::NumOfDoorFrmTrm:
        return {"SpinEditDoorFrames", "Door Frame/Trim to Paint",
                "Select Number of door Frames or Trim to paint for this Work Sheet"};
    case L::NumOfWindowFrmTrm:
        return {"SpinEditWindowFrames", "Window Frame/Trim to Paint",
                "Select Number of Window Frames or Trim to paint for this Work Sheet"};
    case L::NumOfClosets:
        return {"SpinEditClosets", "Closets to Paint", "Select Number of Closets to paint for this Work Sheet"};
    case L::HngWallpaper:
        return {"cmbxHangWallpaper", "Hang Wallpaper", "Select to Hang Wallpaper for this Work Sheet"};
    case L::RmvWallpaper:
        return {"cmbxRemoveWallpaper", "Remove Wallpaper", "Select to Remove Wallpaper for this Work Sheet"};
    case L::HngBoarder:
        return {"cmbxHangBorder", "Hang Border", "Select to Hang Wallpaper Border for this Work Sheet"};
    case L::RmvBorder:
        return {"cmbxRemoveBorder", "Remove Border", "Select to Remove Wallpaper Border for this Work Sheet"};
    case L::ExtraChargesName:
        return {"txtExtraChargesName", "Extra Charges Description", "Enter a description for this Extra Charge"};
    case L::ExtraChargesLabor:
        return {"txtExtraChargesLabor", "Extra Charges Labor", "Enter a Labor Extra Charge"};
    case L::ExtraChargesMaterial:
        return {"txtExtraChargesMaterial", "Extra Charges Material", "Enter a Material Extra Charge"};
    default:
        return {"", "", ""};
    }
}

constexpr int kWallpaperPanel = 3;

} // namespace

WorkSheetPanel::WorkSheetPanel(const QLocale &locale, QWidget *parent)
    : QWidget(parent)
    , m_locale(locale)
    , m_panels(new QToolBox(this))
{
    m_panels->setObjectName(QStringLiteral("CategoryPanelGroupInvoiceControls"));
    addPanel(QStringLiteral("CategoryPanelAreaInformation"), tr("Work Sheet Information"),
             {L::WorkSheetName, L::IntExt, L::AreaWorkOn, L::AreaLength, L::AreaWidth, L::AreaHeight, L::PaintsCoats,
              L::TrimCoats, L::AreaMultiplier});
    addPanel(QStringLiteral("CategoryPanelSurfacePrep"), tr("Surface Prep"),
             {L::Prime, L::Wash, L::Sand, L::Caulk, L::Mask});
    addPanel(QStringLiteral("CategoryPanelAreaAddons"), tr("Work Sheet Add-ons"),
             {L::NumOfDoors, L::NumOfDoorFrmTrm, L::NumOfWindowFrmTrm, L::NumOfClosets});
    m_wallpaperPage = addPanel(QStringLiteral("CategoryPanelWallpaper"), tr("Wallpaper"),
                               {L::HngWallpaper, L::RmvWallpaper, L::HngBoarder, L::RmvBorder});
    addPanel(QStringLiteral("CategoryPanelExtraCharges"), tr("Extra Charges"),
             {L::ExtraChargesName, L::ExtraChargesLabor, L::ExtraChargesMaterial});
    // Each header is a Tab stop, so the keyboard opens the panels too.
    for (QAbstractButton *header : m_panels->findChildren<QAbstractButton *>(Qt::FindDirectChildrenOnly)) {
        header->setFocusPolicy(Qt::StrongFocus);
        markFocus(header);
    }
    for (QScrollArea *area : m_panels->findChildren<QScrollArea *>())
        area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_panels);
    WheelGuard::protect(this);
}

QString WorkSheetPanel::reportedText(int column, const QString &typed)
{
    // A lone decimal separator is no amount yet: the sheet gets "nothing entered".
    const bool amount = column == L::ExtraChargesLabor || column == L::ExtraChargesMaterial;
    return amount && !AllowNumDecimalOnly::hasDigits(typed) ? QString() : typed;
}

QWidget *WorkSheetPanel::addPanel(const QString &name, const QString &caption, const QList<int> &columns)
{
    auto *page = new QWidget;
    page->setObjectName(name);
    auto *form = new QFormLayout(page);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    for (int column : columns) {
        QWidget *control = makeControl(column);
        auto *label = new QLabel(tr(fieldText(column).label), page);
        label->setBuddy(control);
        form->addRow(label, control);
        m_controls.insert(column, control);
        m_labels.insert(column, label);
    }
    m_panels->addItem(page, caption);
    return page;
}

QWidget *WorkSheetPanel::makeControl(int column)
{
    const FieldText text = fieldText(column);
    const QString name = QString::fromLatin1(text.name);
    const QString hint = tr(text.hint);
    if (column == L::WorkSheetName || column == L::ExtraChargesName) {
        const int length = column == L::WorkSheetName ? WorkSheetRules::kNameLength : WorkSheetRules::kExtraNameLength;
        QLineEdit *field = FormFields::textField(this, name, length, hint);
        if (column == L::WorkSheetName)
            m_txtAreaName = field;
        connect(field, &QLineEdit::textEdited, this, [this, column](const QString &value) { emit fieldChanged(column, value); });
        return field;
    }
    if (column == L::ExtraChargesLabor || column == L::ExtraChargesMaterial) {
        QLineEdit *field = FormFields::amountField(this, name, WorkSheetRules::kExtraAmountLength, hint, m_locale);
        connect(field, &QLineEdit::textEdited, this,
                [this, column](const QString &value) { emit fieldChanged(column, reportedText(column, value)); });
        return field;
    }
    const QStringList choices = WorkSheetRules::choices(column);
    if (!choices.isEmpty()) {
        auto *box = new QComboBox(this);
        box->setObjectName(name);
        box->setToolTip(hint);
        box->addItems(choices);
        connect(box, &QComboBox::activated, this,
                [this, column](int index) { emit fieldChanged(column, QString::number(index)); });
        return box;
    }
    auto *spin = new SpinField(this);
    spin->setObjectName(name);
    spin->setToolTip(hint);
    const WorkSheetRules::Range range = WorkSheetRules::limits(column);
    spin->setRange(range.minimum, range.maximum);
    connect(spin, &QSpinBox::valueChanged, this,
            [this, column](int value) { emit fieldChanged(column, QString::number(value)); });
    return spin;
}

void WorkSheetPanel::showSheet(const WorkSheet &sheet)
{
    for (auto it = m_controls.cbegin(); it != m_controls.cend(); ++it) {
        const QSignalBlocker quiet(it.value());
        const QString value = InvoiceLines::workSheetText(sheet, it.key(), m_locale);
        if (auto *field = qobject_cast<QLineEdit *>(it.value())) {
            // The field being typed in keeps its text and caret ("12." is 12 for now).
            if (field->text() != value && !field->hasFocus())
                FormFields::showWhole(field, value);
        } else if (auto *box = qobject_cast<QComboBox *>(it.value()))
            box->setCurrentIndex(value.toInt());
        else if (auto *spin = qobject_cast<QSpinBox *>(it.value()))
            spin->setValue(value.toInt());
    }
    const bool exterior = sheet.isExterior();
    setWallpaperShown(!exterior);
    setControlEnabled(L::NumOfClosets, !exterior);
    const bool noHeight = sheet.intAreaWorkOn == WorkSheet::CeilingOnly || sheet.intAreaWorkOn == WorkSheet::FloorOnly;
    setControlEnabled(L::AreaHeight, !noHeight);
    setControlEnabled(L::AreaWidth, sheet.intAreaWorkOn != WorkSheet::OneWallOnly);
}

void WorkSheetPanel::setSheetEnabled(bool enabled)
{
    for (int column : m_controls.keys())
        setControlEnabled(column, enabled);
    if (!enabled) {
        showSheet(WorkSheet());
        for (int column : m_controls.keys())
            setControlEnabled(column, false);
    }
    m_panels->setCurrentIndex(0);
}

void WorkSheetPanel::setWallpaperShown(bool shown)
{
    const int index = m_panels->indexOf(m_wallpaperPage);
    if (shown && index < 0) {
        m_panels->insertItem(kWallpaperPanel, m_wallpaperPage, tr("Wallpaper"));
    } else if (!shown && index >= 0) {
        m_panels->removeItem(index);
        m_wallpaperPage->setParent(this);
        m_wallpaperPage->hide();
    }
}

void WorkSheetPanel::setControlEnabled(int column, bool enabled)
{
    m_controls.value(column)->setEnabled(enabled);
    m_labels.value(column)->setEnabled(enabled);
}
