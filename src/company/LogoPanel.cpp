#include "LogoPanel.h"

#include "CompanyLogo.h"
#include "core/Prompts.h"
#include "data/FileError.h"

#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>

LogoPanel::LogoPanel(Prompts &prompts, QWidget *parent)
    : QGroupBox(tr("Company Logo"), parent)
    , m_prompts(prompts)
    , m_preview(new QLabel(this))
    , m_status(new QLabel(this))
    , m_remove(new QPushButton(tr("Remove Logo"), this))
    , m_browse(new QPushButton(tr("Browse"), this))
    , m_small(new QRadioButton(tr("Small Logo"), this))
    , m_large(new QRadioButton(tr("Large Logo"), this))
{
    setObjectName(QStringLiteral("grpCompanyLogo"));
    m_preview->setObjectName(QStringLiteral("imgLogo"));
    m_status->setObjectName(QStringLiteral("lblLogoStatus"));
    m_remove->setObjectName(QStringLiteral("btnRemoveLogo"));
    m_browse->setObjectName(QStringLiteral("btnBrowseLogo"));
    m_small->setObjectName(QStringLiteral("rbSmallLogo"));
    m_large->setObjectName(QStringLiteral("rbLargeLogo"));

    m_remove->setToolTip(tr("Remove Company Logo"));
    m_browse->setToolTip(tr("Browse for a new Company Logo"));
    m_small->setToolTip(tr("Use small company logo"));
    m_large->setToolTip(tr("Use Large company logo"));

    m_preview->setFixedSize(kLargePreview + QSize(8, 8));
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setFrameShape(QFrame::StyledPanel);
    m_status->setAlignment(Qt::AlignCenter);

    auto *layout = new QGridLayout(this);
    layout->addWidget(m_preview, 0, 0, 1, 2, Qt::AlignHCenter);
    layout->addWidget(m_status, 1, 0, 1, 2);
    layout->addWidget(m_small, 2, 0);
    layout->addWidget(m_large, 2, 1);
    layout->addWidget(m_remove, 3, 0, 1, 2);
    layout->addWidget(new QLabel(tr("Browse for a new Company Logo"), this), 4, 0, 1, 2);
    layout->addWidget(m_browse, 5, 0, 1, 2);

    connect(m_browse, &QPushButton::clicked, this, &LogoPanel::browse);
    connect(m_remove, &QPushButton::clicked, this, &LogoPanel::removeLogo);
    for (QRadioButton *size : {m_small, m_large}) {
        connect(size, &QRadioButton::clicked, this, [this] {
            showPicture();
            emit changed();
        });
    }
}

void LogoPanel::load(const QString &logoPath, bool large)
{
    m_picture = CompanyLogo::readStored(logoPath);
    m_changed = false;
    (large ? m_large : m_small)->setChecked(true);
    updateControls();
}

bool LogoPanel::isLarge() const
{
    return m_large->isChecked();
}

CompanySettings::LogoChange LogoPanel::change() const
{
    using Change = CompanySettings::LogoChange;
    if (!m_changed)
        return {};
    return m_picture.isNull() ? Change{Change::Remove, {}} : Change{Change::Replace, m_picture};
}

void LogoPanel::hideSizeChoice()
{
    m_small->hide();
    m_large->hide();
}

void LogoPanel::browse()
{
    const QString path = m_prompts.chooseOpenFile(tr("Browse for a new Company Logo"), QDir::homePath(),
                                                  CompanyLogo::fileFilter());
    if (path.isEmpty())
        return;
    try {
        m_picture = CompanyLogo::readPicture(path);
    } catch (const FileError &error) {
        m_prompts.showError(error.message());
        return;
    }
    m_changed = true;
    updateControls();
    emit changed();
}

void LogoPanel::removeLogo()
{
    if (m_prompts.ShowYesNoCancel(tr("Do you want to remove the current logo?")) != Prompts::Yes)
        return;
    m_picture = QImage();
    m_changed = true;
    updateControls();
    emit changed();
}

void LogoPanel::updateControls()
{
    const bool present = !m_picture.isNull();
    m_status->setText(present ? tr("Current Logo") : tr("No Logo"));
    m_remove->setEnabled(present);
    m_small->setEnabled(present);
    m_large->setEnabled(present);
    showPicture();
}

void LogoPanel::showPicture()
{
    if (m_picture.isNull()) {
        m_preview->clear();
        return;
    }
    const QSize box = isLarge() ? kLargePreview : kSmallPreview;
    m_preview->setPixmap(QPixmap::fromImage(m_picture.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}
