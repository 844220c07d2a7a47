#pragma once

#include <QDialog>

class AppContext;

/// The About box: company, rights line, product and version, and a link to the
/// company's web site.
class TfrmAbout final : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmAbout(AppContext &context, QWidget *parent = nullptr);

private:
    AppContext &m_context;
};
