#pragma once

#include "invoice/ProgressJobs.h"

#include <QWidget>
#include <optional>

class AppContext;
class QLabel;
class QLineEdit;

/// The progress billing of a job in its view: the retainage percent (kept the
/// moment it is typed), "Progress Invoice" and "Release Retainage".
class JobProgressPanel final : public QWidget
{
    Q_OBJECT
public:
    /// \a number is any saved document of the job.
    JobProgressPanel(AppContext &context, int number, int jobId, QWidget *parent = nullptr);

signals:
    /// A progress invoice or the release was saved.
    void jobChanged();

private:
    void retainageTyped(const QString &text);
    /// The job's book, or nothing once the user was told why it cannot be billed.
    [[nodiscard]] std::optional<ProgressJobs::Book> openBook();
    void openProgressInvoice();
    void releaseRetainage();

    AppContext &m_context;
    const int m_number;
    const int m_jobId;
    QLineEdit *m_txtRetainagePercent = nullptr;
    QLabel *m_lblRetainageProblem = nullptr;
};
