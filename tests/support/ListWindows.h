#pragma once

#include <QAction>
#include <QTableView>
#include <QTest>
#include <QWidget>

/// Driving the list windows in tests: their commands, and clicks on list rows.
namespace ListWindows {

inline QAction *action(const QWidget &window, const char *name)
{
    auto *found = window.findChild<QAction *>(QLatin1String(name));
    if (!found)
        qFatal("no action %s", name);
    return found;
}

template<typename T>
T *child(const QWidget &window, const char *name)
{
    auto *found = window.findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

/// Types \a text key by key. Unlike QTest::keyClicks it carries any character, not
/// only Latin-1 ones.
inline void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

/// Clicks row \a row of \a view in its first visible column, as the user would.
inline void clickRow(QTableView *view, int row)
{
    int column = 0;
    while (view->isColumnHidden(column))
        ++column;
    const QModelIndex index = view->model()->index(row, column);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}

/// The row whose \a column shows \a text, or -1.
inline int rowShowing(const QTableView *view, int column, const QString &text)
{
    const QAbstractItemModel *model = view->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->index(row, column).data().toString() == text)
            return row;
    }
    return -1;
}

} // namespace ListWindows
