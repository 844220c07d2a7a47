#include "JobProgressPanel.h"
#include "TfrmProgressInvoice.h"

#include "context/AppContext.h"
#include "core/AmountReader.h"
#include "core/Prompts.h"
#include "data/DbError.h"
#include "invoice/Money.h"
#include "invoice/ProgressJobs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

/// Runs \a act, showing what the database reports; false when it failed.
template<typename Act>
bool reported(Prompts &prompts, Act act)
{
    try {
        act();
        return true;
    } catch (const DbError &error) {
        prompts.showError(error.message(), error.detail());
    } catch (const std::exception &error) {
        prompts.showError(QString::fromLocal8Bit(error.what()));
    }
    return false;
}

} // namespace

JobProgressPanel::JobProgressPanel(AppContext &context, int number, int jobId, QWidget *parent)
    : QWidget(parent)
    , m_context(context)
    , m_number(number)
    , m_jobId(jobId)
{
    setObjectName(QStringLiteral("pnlJobProgress"));
    m_txtRetainagePercent = new QLineEdit(this);
    m_txtRetainagePercent->setObjectName(QStringLiteral("txtRetainagePercent"));
    m_txtRetainagePercent->setMaxLength(8);
    m_txtRetainagePercent->setMaximumWidth(70);
    m_txtRetainagePercent->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *caption = new QLabel(tr("Re&tainage %:"), this);
    caption->setBuddy(m_txtRetainagePercent);

    m_lblRetainageProblem = new QLabel(this);
    m_lblRetainageProblem->setObjectName(QStringLiteral("lblRetainageProblem"));
    m_lblRetainageProblem->setTextFormat(Qt::PlainText);
    m_lblRetainageProblem->setStyleSheet(QStringLiteral("color: #b00000;"));

    auto *btnProgressInvoice = new QPushButton(tr("&Progress Invoice"), this);
    btnProgressInvoice->setObjectName(QStringLiteral("btnProgressInvoice"));
    btnProgressInvoice->setAutoDefault(false);
    auto *btnReleaseRetainage = new QPushButton(tr("Re&lease Retainage"), this);
    btnReleaseRetainage->setObjectName(QStringLiteral("btnReleaseRetainage"));
    btnReleaseRetainage->setAutoDefault(false);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caption);
    layout->addWidget(m_txtRetainagePercent);
    layout->addWidget(m_lblRetainageProblem, 1);
    layout->addWidget(btnProgressInvoice);
    layout->addWidget(btnReleaseRetainage);

    double percent = 0;
    if (reported(context.prompts(), [&] { percent = ProgressJobs::retainagePercent(context, jobId); }))
        m_txtRetainagePercent->setText(context.locale.toString(percent, 'g', 6));
    connect(m_txtRetainagePercent, &QLineEdit::textEdited, this, &JobProgressPanel::retainageTyped);
    connect(btnProgressInvoice, &QPushButton::clicked, this, &JobProgressPanel::openProgressInvoice);
    connect(btnReleaseRetainage, &QPushButton::clicked, this, &JobProgressPanel::releaseRetainage);
}

void JobProgressPanel::retainageTyped(const QString &text)
{
    const QString figure = text.trimmed();
    std::optional<double> percent = figure.isEmpty() ? 0.0 : AmountReader::readTyped(figure, m_context.locale);
    std::optional<QString> refusal;
    if (!percent)
        refusal = tr("\"%1\" is not a percent.").arg(text);
    else
        reported(m_context.prompts(), [&] { refusal = ProgressJobs::setRetainage(m_context, m_jobId, *percent); });
    m_lblRetainageProblem->setText(refusal.value_or(QString()));
}

std::optional<ProgressJobs::Book> JobProgressPanel::openBook()
{
    ProgressJobs::Book book;
    if (!reported(m_context.prompts(), [&] { book = ProgressJobs::open(m_context, m_number); }))
        return std::nullopt;
    if (book.refusal) {
        m_context.prompts().showError(*book.refusal);
        return std::nullopt;
    }
    return book;
}

void JobProgressPanel::openProgressInvoice()
{
    std::optional<ProgressJobs::Book> book = openBook();
    if (!book)
        return;
    TfrmProgressInvoice progress(m_context, std::move(*book), window());
    if (progress.exec() == QDialog::Accepted)
        emit jobChanged();
}

void JobProgressPanel::releaseRetainage()
{
    const std::optional<ProgressJobs::Book> opened = openBook();
    if (!opened)
        return;
    const ProgressJobs::Book &book = *opened;
    if (book.nothingHeld()) {
        m_context.prompts().ShowInformation(tr("Job %1 holds no retainage to release.").arg(m_jobId));
        return;
    }
    const QString held = Money::currencyText(book.before.retainageHeldCents() / 100.0, m_context.locale);
    if (m_context.prompts().ShowYesNo(tr("Make the final invoice of job %1 for the retainage held, %2?").arg(m_jobId).arg(held))
        != Prompts::Yes)
        return;
    ProgressJobs::Saved saved;
    if (!reported(m_context.prompts(), [&] { saved = ProgressJobs::saveRelease(m_context, book); }))
        return;
    if (saved.refusal) {
        m_context.prompts().showError(*saved.refusal);
        return;
    }
    emit jobChanged();
}
