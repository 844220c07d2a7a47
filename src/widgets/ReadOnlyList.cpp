#include "ReadOnlyList.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableView>

namespace {

constexpr char kRowHomeEnd[] = "rowHomeEnd";

/// A table moves Home and End along the row; in a list of records they mean the
/// first and the last record, which is what Ctrl+Home and Ctrl+End do.
class RowHomeEnd final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() != Qt::Key_Home && key->key() != Qt::Key_End) || (key->modifiers() & Qt::ControlModifier))
            return false;
        QKeyEvent toRow(QEvent::KeyPress, key->key(), key->modifiers() | Qt::ControlModifier);
        QCoreApplication::sendEvent(watched, &toRow);
        return true;
    }
};

} // namespace

void giveListKeys(QAbstractItemView *view)
{
    view->setTabKeyNavigation(false);
    if (qobject_cast<QTableView *>(view) && !view->property(kRowHomeEnd).toBool()) {
        view->setProperty(kRowHomeEnd, true);
        view->installEventFilter(new RowHomeEnd(view));
    }
}

QTableView *makeReadOnlyList(QWidget *parent, const QString &objectName, QAbstractItemModel *model)
{
    auto *view = new QTableView(parent);
    view->setObjectName(objectName);
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSortingEnabled(false);
    view->setWordWrap(false);
    view->setAlternatingRowColors(true);
    // Fixed heights keep a list of thousands of rows cheap to lay out.
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setSectionsClickable(false);
    view->horizontalHeader()->setHighlightSections(false);
    view->horizontalHeader()->setStretchLastSection(true);
    giveListKeys(view);
    return view;
}
