#pragma once

#include "CompanySettings.h"

#include <QGroupBox>
#include <QImage>

class QLabel;
class QPushButton;
class QRadioButton;
class Prompts;

/// The "Company Logo" group: the picture, its status, Browse, Remove Logo and the
/// small/large choice. It keeps the picture in memory until the window saves.
class LogoPanel final : public QGroupBox
{
    Q_OBJECT
public:
    static constexpr QSize kSmallPreview{150, 75};
    static constexpr QSize kLargePreview{300, 150};

    LogoPanel(Prompts &prompts, QWidget *parent = nullptr);

    /// Shows the stored logo at \a logoPath and the size choice; clears the changed flag.
    void load(const QString &logoPath, bool large);
    [[nodiscard]] bool isLarge() const;
    /// What saving must do to the logo file.
    [[nodiscard]] CompanySettings::LogoChange change() const;
    /// The logo file now holds what the panel shows.
    void markSaved() { m_changed = false; }
    [[nodiscard]] bool hasPicture() const { return !m_picture.isNull(); }

    /// Hides the small/large choice (editions whose documents print one size).
    void hideSizeChoice();

signals:
    void changed();

private:
    void browse();
    void removeLogo();
    void showPicture();
    void updateControls();

    Prompts &m_prompts;
    QLabel *m_preview;
    QLabel *m_status;
    QPushButton *m_remove;
    QPushButton *m_browse;
    QRadioButton *m_small;
    QRadioButton *m_large;
    QImage m_picture;
    bool m_changed = false;
};
