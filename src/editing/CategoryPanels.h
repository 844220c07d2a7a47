#pragma once

#include <QList>
#include <QWidget>

class QToolButton;
class QVBoxLayout;

/// A column of collapsible panels that behave as an accordion: opening one closes
/// the others, so exactly one panel shows its controls at a time.
class CategoryPanelGroup final : public QWidget
{
    Q_OBJECT
public:
    explicit CategoryPanelGroup(QWidget *parent = nullptr);

    /// Adds a panel named \a name with \a caption holding \a content; returns the
    /// panel's index. The first panel added starts open.
    int addPanel(const QString &name, const QString &caption, QWidget *content);
    /// Opens panel \a index and collapses every other.
    void expand(int index);
    [[nodiscard]] bool isExpanded(int index) const;
    /// The header of panel \a index: a Tab stop that opens its panel when reached.
    [[nodiscard]] QWidget *header(int index) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Panel
    {
        QToolButton *header;
        QWidget *content;
    };
    QList<Panel> m_panels;
    QVBoxLayout *m_layout;
};
