#pragma once

#include <QMainWindow>

class AppContext;

/// The application's main window; it lives for the whole run.
class TfrmMain final : public QMainWindow
{
    Q_OBJECT
public:
    explicit TfrmMain(AppContext &context, QWidget *parent = nullptr);

    /// Shows the window maximised or normal, as the preferences say.
    void showAsPreferred();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    AppContext &m_context;
};
