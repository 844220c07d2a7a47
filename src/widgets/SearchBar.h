#pragma once

#include <QWidget>

#include <functional>

class QComboBox;
class QLineEdit;
class QModelIndex;
class QTableView;

/// The row above a record list: what to search by, and the text to search for,
/// which is open for typing only while the chosen kind of search takes one.
/// Changing either is left to the window, which reloads its list.
class SearchBar final : public QWidget
{
    Q_OBJECT
public:
    struct Names
    {
        QString kinds;
        QString kindsCaption;
        QString text;
        int textLimit = 0;
    };

    SearchBar(QWidget *parent, const Names &names, const QStringList &kinds);

    [[nodiscard]] QComboBox *kinds() const { return m_kinds; }
    [[nodiscard]] QLineEdit *text() const { return m_text; }
    /// The chosen kind of search; the first when none is.
    [[nodiscard]] int kind() const;

    /// Back to \a kind with no text, without telling anyone.
    void reset(int kind);
    /// After the kind changed: clears the text and opens it for typing (and
    /// focuses it) only when the kind \a takesText.
    void showKind(bool takesText);
    /// Enter in the search text goes on to \a list: a single result is picked with
    /// \a pick at once, otherwise the list takes the focus on its first row.
    void leadTo(QTableView *list, std::function<void(const QModelIndex &)> pick);
    /// Closed while a record is open.
    void lock();
    void clearText();

private:
    QComboBox *m_kinds = nullptr;
    QLineEdit *m_text = nullptr;
};
