#include "TfrmAbout.h"

#include "context/AppContext.h"
#include "core/Edition.h"
#include "core/HelpAndWeb.h"
#include "widgets/Icons.h"
#include "WindowOpener.h"

#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QStringList aboutLines(const QString &editionName, int year)
{
    const QString company = Product::GetCompanyName();
    return {company,
            QString(),
            QStringLiteral("© %1 %2").arg(year).arg(company),
            QString(),
            QStringLiteral("Product Information:"),
            editionName,
            QStringLiteral("Version ") + Product::versionText()};
}

} // namespace

TfrmAbout::TfrmAbout(AppContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
{
    const QString company = Product::GetCompanyName();
    const QString editionName = context.edition().GetEditionName();
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(tr("About ") + editionName);
    setModal(true);

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("imgAbout"));
    picture->setPixmap(Icons::forCommand(Icons::Command::About).pixmap(48, 48));
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto *text = new QPlainTextEdit(this);
    text->setObjectName(QStringLiteral("txtAbout"));
    text->setReadOnly(true);
    text->setFrameShape(QFrame::NoFrame);
    text->viewport()->setAutoFillBackground(false);
    text->setPlainText(aboutLines(editionName, QDate::currentDate().year()).join(QLatin1Char('\n')));
    text->setMinimumSize(300, 150);

    auto *link = new QLabel(this);
    link->setObjectName(QStringLiteral("lblWebSite"));
    link->setText(QStringLiteral("<a href=\"site\">%1</a>").arg((tr("Visit ") + company).toHtmlEscaped()));
    link->setToolTip(tr("Click to visit ") + company + tr(" Website."));
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(link, &QLabel::linkActivated, this, [this] { HelpAndWeb::pOpenWebSite(m_context.shell(), m_context.prompts()); });

    auto *ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setToolTip(tr("Close"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *body = new QHBoxLayout;
    body->addWidget(picture);
    body->addWidget(text, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(link);
    bottom->addStretch(1);
    bottom->addWidget(ok);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(bottom);
    setFixedSize(sizeHint());
}
