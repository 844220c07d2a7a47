#include "ListPlace.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QScrollBar>

namespace {

// How far from its old row the record is looked for: a refresh moves it by the few
// rows others added or removed, and a list that reads rows as they come into view
// is not read to its end for it.
constexpr int kSearchRows = 512;

} // namespace

ListPlace::ListPlace(QAbstractItemView *view, int keyColumn)
    : m_view(view)
    , m_keyColumn(keyColumn)
    , m_scroll(view->verticalScrollBar()->value())
    , m_sideScroll(view->horizontalScrollBar()->value())
{
    const QModelIndex current = view->currentIndex();
    if (current.isValid()) {
        m_row = current.row();
        m_column = current.column();
        m_key = current.siblingAtColumn(keyColumn).data().toString();
    }
    for (const QModelIndex &selected : view->selectionModel()->selectedRows(keyColumn))
        m_selected.insert(selected.data().toString());
}

void ListPlace::restore() const
{
    QAbstractItemModel *model = m_view->model();
    if (m_row >= 0 && model) {
        while (model->rowCount() <= m_row + kSearchRows && model->canFetchMore({}))
            model->fetchMore({});
        const int rows = model->rowCount();
        int found = -1;
        for (int distance = 0; distance <= kSearchRows && found < 0; ++distance) {
            for (const int row : {m_row - distance, m_row + distance}) {
                if (row >= 0 && row < rows && model->index(row, m_keyColumn).data().toString() == m_key) {
                    found = row;
                    break;
                }
            }
        }
        // A record gone from the list leaves the one now in its place current.
        if (found < 0 && rows > 0)
            found = std::min(m_row, rows - 1);
        if (found >= 0) {
            QItemSelectionModel *selection = m_view->selectionModel();
            selection->setCurrentIndex(model->index(found, m_column), QItemSelectionModel::NoUpdate);
            QItemSelection keep;
            for (int row = std::max(0, m_row - kSearchRows); row < std::min(rows, m_row + kSearchRows); ++row) {
                if (m_selected.contains(model->index(row, m_keyColumn).data().toString()))
                    keep.select(model->index(row, 0), model->index(row, model->columnCount() - 1));
            }
            selection->select(keep, QItemSelectionModel::ClearAndSelect);
        }
    }
    // The scroll range follows the new rows only once they are laid out.
    m_view->doItemsLayout();
    m_view->verticalScrollBar()->setValue(m_scroll);
    m_view->horizontalScrollBar()->setValue(m_sideScroll);
}
