#pragma once

#include <QSet>
#include <QString>

class QAbstractItemView;

/// Where the user is in a list view, kept across a refresh that rebuilds its rows:
/// the current and the selected rows, known by the text of their key column, and the
/// scroll position.
class ListPlace
{
public:
    ListPlace(QAbstractItemView *view, int keyColumn);

    /// Puts the view back where it was: the same records current and selected (where
    /// they are still listed near where they were), the same scroll position.
    void restore() const;

private:
    QAbstractItemView *m_view;
    int m_keyColumn;
    QString m_key;
    QSet<QString> m_selected;
    int m_row = -1;
    int m_column = 0;
    int m_scroll = 0;
    int m_sideScroll = 0;
};
