#include "SearchBar.h"
#include "TextFields.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>

#include <algorithm>

SearchBar::SearchBar(QWidget *parent, const Names &names, const QStringList &kinds)
    : QWidget(parent)
{
    m_kinds = new QComboBox(this);
    m_kinds->setObjectName(names.kinds);
    m_kinds->addItems(kinds);
    m_text = TextFields::make(this, names.text, names.textLimit);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(TextFields::label(names.kindsCaption, m_kinds));
    layout->addWidget(m_kinds);
    layout->addSpacing(16);
    layout->addWidget(TextFields::label(tr("Search &For: "), m_text));
    layout->addWidget(m_text, 1);
}

int SearchBar::kind() const
{
    return std::max(0, m_kinds->currentIndex());
}

void SearchBar::reset(int kind)
{
    {
        const QSignalBlocker quiet(m_kinds);
        m_kinds->setCurrentIndex(kind);
    }
    clearText();
    m_kinds->setEnabled(true);
    m_text->setEnabled(false);
}

void SearchBar::showKind(bool takesText)
{
    clearText();
    m_text->setEnabled(takesText);
    if (takesText)
        m_text->setFocus();
}

void SearchBar::leadTo(QTableView *list, std::function<void(const QModelIndex &)> pick)
{
    connect(m_text, &QLineEdit::returnPressed, list, [list, pick = std::move(pick)] {
        const QAbstractItemModel *model = list->model();
        if (model->rowCount() == 1) {
            pick(model->index(0, 0));
            return;
        }
        if (model->rowCount() == 0)
            return;
        list->setFocus(Qt::TabFocusReason);
        if (!list->currentIndex().isValid())
            list->setCurrentIndex(model->index(0, 0));
    });
}

void SearchBar::lock()
{
    m_kinds->setEnabled(false);
    m_text->setEnabled(false);
}

void SearchBar::clearText()
{
    const QSignalBlocker quiet(m_text);
    m_text->clear();
}
