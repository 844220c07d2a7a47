#pragma once

#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class Prompts;

/// Keeps a field's length limit but never cuts a longer stored text: the limit grows
/// to the text's length, so saving does not silently shorten what was stored. A
/// \a limit of 0 means no limit.
void setTextWithinLimit(QLineEdit *field, const QString &text, int limit);

/// A fill of one colour, for the colour bars and swatches.
class ColorBar final : public QFrame
{
    Q_OBJECT
public:
    explicit ColorBar(QWidget *parent = nullptr);
    void setColor(const QColor &color);
    [[nodiscard]] QColor color() const { return m_color; }

private:
    QColor m_color;
};

/// The sample of the printed acceptance area: a dotted rounded box in its colour.
class AcceptanceArea final : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;
    void setColor(const QColor &color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_color = Qt::white;
};

/// A tax rate as one digit, a point and four digits (0.0000 to 9.9999). Every edit
/// fills the positions left blank, so the field always reads as a whole rate.
class TaxRateEdit final : public QLineEdit
{
    Q_OBJECT
public:
    explicit TaxRateEdit(QWidget *parent = nullptr);

    void setRate(double rate);
    /// The rate as typed; the point is the decimal separator in every locale.
    [[nodiscard]] double rate() const;

signals:
    void rateEdited();

private:
    void completeBlanks();
};

/// A memo that refuses a change leaving it with more than \a maxLines lines (as it
/// displays them, wrapped lines included) or more than \a maxChars characters.
/// Its undo only ever reverts the latest change.
class LineLimitedEdit final : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit LineLimitedEdit(int maxLines, int maxChars = -1, QWidget *parent = nullptr);

    /// Shows \a text as stored, without counting it as an edit.
    void load(const QString &text);
    /// The lines as typed, separated by CR LF as the stored texts are.
    [[nodiscard]] QString storedText() const;
    /// Lines as displayed, wrapped lines included.
    [[nodiscard]] int displayedLineCount() const;

signals:
    void edited();

private:
    void enforceLimits();

    int m_maxLines;
    int m_maxChars;
    bool m_loading = false;
};

/// The payment terms list with its edit field, Add/Change, Remove, Cancel and the
/// counter of free places. Ten terms at most.
class PaymentTermsEditor final : public QGroupBox
{
    Q_OBJECT
public:
    static constexpr int kMaxTerms = 10;

    PaymentTermsEditor(Prompts &prompts, QWidget *parent = nullptr);

    void setTerms(const QStringList &terms);
    [[nodiscard]] QStringList terms() const;
    /// The entry being edited, or -1.
    [[nodiscard]] int editIndex() const { return m_editIndex; }

signals:
    void changed();

private:
    void entryClicked(QListWidgetItem *item);
    void addOrChange();
    void removeEntry();
    void cancelEdit();
    void backToIdle();
    void updateControls();

    Prompts &m_prompts;
    QListWidget *m_list;
    QLineEdit *m_edit;
    QPushButton *m_add;
    QPushButton *m_remove;
    QPushButton *m_cancel;
    QLabel *m_counter;
    int m_editIndex = -1;
};
