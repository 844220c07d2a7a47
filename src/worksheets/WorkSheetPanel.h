#pragma once

#include <QMap>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QLocale;
class QToolBox;
struct WorkSheet;

/// The fields of one work sheet in five panels that open one at a time. It only
/// shows a sheet and reports what the user changed; the editor keeps the rules.
class WorkSheetPanel final : public QWidget
{
    Q_OBJECT
public:
    WorkSheetPanel(const QLocale &locale, QWidget *parent = nullptr);

    /// Puts \a sheet into the controls without reporting changes, and enables or
    /// hides what its kind and surface allow.
    void showSheet(const WorkSheet &sheet);
    /// Enables or disables every field; disabled, the fields are cleared too. In
    /// both cases the first panel is the one open.
    void setSheetEnabled(bool enabled);
    [[nodiscard]] QLineEdit *nameField() const { return m_txtAreaName; }

signals:
    /// The user changed \a column (InvoiceLines::WorkSheetColumn) to the cell text \a value.
    void fieldChanged(int column, const QString &value);

private:
    QWidget *addPanel(const QString &name, const QString &caption, const QList<int> &columns);
    QWidget *makeControl(int column);
    /// What the field reports for \a typed: an amount that has no digit is empty.
    static QString reportedText(int column, const QString &typed);
    void setWallpaperShown(bool shown);
    void setControlEnabled(int column, bool enabled);

    const QLocale &m_locale;
    QToolBox *m_panels;
    QWidget *m_wallpaperPage = nullptr;
    QLineEdit *m_txtAreaName = nullptr;
    QMap<int, QWidget *> m_controls;
    QMap<int, QLabel *> m_labels;
};
