#include "ReadOnlyList.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QTableView>

namespace {

constexpr char kRowHomeEnd[] = "rowHomeEnd";

/// The selected run of rows that \a row lies in, as first and last row.
std::pair<int, int> selectedRunAround(const QItemSelectionModel &selection, int row)
{
    for (const QItemSelectionRange &range : selection.selection()) {
        if (range.top() <= row && row <= range.bottom())
            return {range.top(), range.bottom()};
    }
    return {row, row};
}

/// A table moves Home and End along the row; in a list of records they mean the
/// first and the last record, which is what Ctrl+Home and Ctrl+End do. Under Ctrl
/// the view moves without selecting, so the row is selected here as any other move
/// selects it (Shift extends from where the selection began): the commands that act
/// on the selection then act on the row the user sees.
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
        auto *view = static_cast<QAbstractItemView *>(watched);
        const int from = view->currentIndex().row();
        QKeyEvent toRow(QEvent::KeyPress, key->key(), key->modifiers() | Qt::ControlModifier);
        QCoreApplication::sendEvent(watched, &toRow);
        selectAsMoved(*view, from, key->modifiers() & Qt::ShiftModifier);
        return true;
    }

private:
    static void selectAsMoved(QAbstractItemView &view, int from, bool extend)
    {
        QItemSelectionModel *selection = view.selectionModel();
        const QModelIndex to = view.currentIndex();
        if (!selection || !to.isValid() || view.selectionMode() == QAbstractItemView::NoSelection
            || view.selectionMode() == QAbstractItemView::MultiSelection)
            return;
        const auto rows = QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
        if (!extend || from < 0 || view.selectionMode() != QAbstractItemView::ExtendedSelection) {
            selection->select(to, rows);
            return;
        }
        // The move started at one end of the run the selection grew from; the other end is where it began.
        const auto [first, last] = selectedRunAround(*selection, from);
        const int anchor = from == first ? last : first;
        const QModelIndex top = to.siblingAtRow(std::min(anchor, to.row()));
        const QModelIndex bottom = to.siblingAtRow(std::max(anchor, to.row()));
        selection->select(QItemSelection(top, bottom), rows);
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
