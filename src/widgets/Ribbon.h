#pragma once

#include <QWidget>

class QAction;
class QHBoxLayout;
class QLabel;
class QMenu;
class QTabBar;
class QStackedWidget;
class QToolButton;

/// A group of commands on a ribbon page: tool buttons bound to actions, with the
/// group's title underneath.
class RibbonGroup final : public QWidget
{
    Q_OBJECT
public:
    explicit RibbonGroup(const QString &title, QWidget *parent = nullptr);

    /// Adds a button for \a action: large (icon over caption) or small (icon beside it).
    QToolButton *addAction(QAction *action, bool large = true);
    /// Adds any widget (a check box, a drop-down list) to the group.
    void addWidget(QWidget *widget);

private:
    QHBoxLayout *m_row;
};

/// Our own small ribbon: an application menu button, pages of command groups, a
/// caption, a help button and a minimise toggle. Minimised, only the page tabs show;
/// clicking a tab then shows its page again.
class Ribbon final : public QWidget
{
    Q_OBJECT
public:
    explicit Ribbon(QWidget *parent = nullptr);

    /// The application menu's button is shown once the menu has an action.
    [[nodiscard]] QMenu *applicationMenu() const { return m_appMenu; }
    /// Adds a page; returns it so groups can be added with addGroup().
    QWidget *addPage(const QString &title);
    RibbonGroup *addGroup(QWidget *page, const QString &title);

    void setCaption(const QString &caption);
    [[nodiscard]] QString caption() const;
    /// Shows the help button; \a help runs when it is pressed.
    void setHelpAction(QAction *help);

    void setMinimized(bool minimized);
    [[nodiscard]] bool isMinimized() const { return m_minimized; }

signals:
    void minimizedChanged(bool minimized);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QToolButton *m_appButton;
    QMenu *m_appMenu;
    QTabBar *m_tabs;
    QLabel *m_caption;
    QToolButton *m_helpButton;
    QToolButton *m_minimizeButton;
    QStackedWidget *m_pages;
    bool m_minimized = false;
};
