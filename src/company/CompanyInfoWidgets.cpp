#include "CompanyInfoWidgets.h"

#include "core/Prompts.h"
#include "data/StoredText.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QTextBlock>
#include <QTextLayout>

void setTextWithinLimit(QLineEdit *field, const QString &text, int limit)
{
    if (limit > 0)
        field->setMaxLength(std::max(limit, int(text.size())));
    field->setText(text);
}

// ---------------------------------------------------------------- ColorBar

ColorBar::ColorBar(QWidget *parent)
    : QFrame(parent)
{
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    setMinimumSize(60, 22);
}

void ColorBar::setColor(const QColor &color)
{
    m_color = color;
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, color);
    setPalette(palette);
}

// ---------------------------------------------------------------- AcceptanceArea

void AcceptanceArea::setColor(const QColor &color)
{
    m_color = color;
    update();
}

void AcceptanceArea::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.setBrush(m_color);
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 10, 10);
}

// ---------------------------------------------------------------- TaxRateEdit

TaxRateEdit::TaxRateEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setInputMask(QStringLiteral("0.0000"));
    setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0.00000")) + 16);
    connect(this, &QLineEdit::textEdited, this, [this] {
        completeBlanks();
        emit rateEdited();
    });
}

void TaxRateEdit::setRate(double rate)
{
    setText(QLocale::c().toString(rate, 'f', 4));
}

double TaxRateEdit::rate() const
{
    return QLocale::c().toDouble(displayText());
}

void TaxRateEdit::completeBlanks()
{
    QString text = displayText().leftJustified(6, QLatin1Char(' '), true);
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char(' '))
            text[i] = i == 1 ? QLatin1Char('.') : QLatin1Char('0');
    }
    if (text == displayText())
        return;
    const int cursor = cursorPosition();
    setText(text);
    setCursorPosition(cursor);
}

// ---------------------------------------------------------------- LineLimitedEdit

LineLimitedEdit::LineLimitedEdit(int maxLines, int maxChars, QWidget *parent)
    : QPlainTextEdit(parent)
    , m_maxLines(maxLines)
    , m_maxChars(maxChars)
{
    setTabChangesFocus(true);
    const int lineHeight = fontMetrics().lineSpacing();
    setFixedHeight(lineHeight * maxLines + 2 * int(document()->documentMargin()) + 2 * frameWidth() + 2);
    connect(this, &QPlainTextEdit::textChanged, this, &LineLimitedEdit::enforceLimits);
}

void LineLimitedEdit::load(const QString &text)
{
    m_loading = true;
    setPlainText(StoredText::toEditor(text));
    m_loading = false;
}

QString LineLimitedEdit::storedText() const
{
    return StoredText::fromDocument(*document());
}

int LineLimitedEdit::displayedLineCount() const
{
    const qreal width = viewport()->width() - 2 * document()->documentMargin();
    if (width <= 0)
        return document()->blockCount();
    int lines = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        QTextLayout layout(block.text(), font());
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        int blockLines = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            ++blockLines;
        }
        layout.endLayout();
        lines += std::max(1, blockLines);
    }
    return lines;
}

void LineLimitedEdit::enforceLimits()
{
    if (m_loading)
        return;
    const bool tooLong = m_maxChars >= 0 && document()->characterCount() - 1 > m_maxChars;
    if (tooLong || displayedLineCount() > m_maxLines) {
        m_loading = true;
        undo();
        m_loading = false;
    }
    document()->clearUndoRedoStacks();
    emit edited();
}

// ---------------------------------------------------------------- PaymentTermsEditor

PaymentTermsEditor::PaymentTermsEditor(Prompts &prompts, QWidget *parent)
    : QGroupBox(tr("Payment Terms"), parent)
    , m_prompts(prompts)
    , m_list(new QListWidget(this))
    , m_edit(new QLineEdit(this))
    , m_add(new QPushButton(tr("Add"), this))
    , m_remove(new QPushButton(tr("Remove"), this))
    , m_cancel(new QPushButton(tr("Cancel"), this))
    , m_counter(new QLabel(this))
{
    m_list->setObjectName(QStringLiteral("lstPmtTerms"));
    m_edit->setObjectName(QStringLiteral("txtPmtTerm"));
    m_add->setObjectName(QStringLiteral("btnAddPmtTerm"));
    m_remove->setObjectName(QStringLiteral("btnRemovePmtTerm"));
    m_cancel->setObjectName(QStringLiteral("btnCancelPmtTerm"));
    m_counter->setObjectName(QStringLiteral("lblPmtTermsCount"));
    m_edit->setMaxLength(25);

    m_list->setToolTip(tr("Select a Payment Term to edit"));
    m_edit->setToolTip(tr("Enter or edit a Payment Term here"));
    m_remove->setToolTip(tr("Remove this Payment Term from the list"));
    m_cancel->setToolTip(tr("Cancel changes to this Payment Term"));

    auto *layout = new QGridLayout(this);
    layout->addWidget(m_list, 0, 0, 1, 3);
    layout->addWidget(m_edit, 1, 0, 1, 3);
    layout->addWidget(m_add, 2, 0);
    layout->addWidget(m_remove, 2, 1);
    layout->addWidget(m_cancel, 2, 2);
    layout->addWidget(m_counter, 3, 0, 1, 3);

    connect(m_list, &QListWidget::itemClicked, this, &PaymentTermsEditor::entryClicked);
    connect(m_edit, &QLineEdit::textChanged, this, &PaymentTermsEditor::updateControls);
    connect(m_add, &QPushButton::clicked, this, &PaymentTermsEditor::addOrChange);
    connect(m_remove, &QPushButton::clicked, this, &PaymentTermsEditor::removeEntry);
    connect(m_cancel, &QPushButton::clicked, this, &PaymentTermsEditor::cancelEdit);
    updateControls();
}

void PaymentTermsEditor::setTerms(const QStringList &terms)
{
    m_list->clear();
    m_list->addItems(terms.mid(0, kMaxTerms));
    backToIdle();
}

QStringList PaymentTermsEditor::terms() const
{
    QStringList result;
    for (int row = 0; row < m_list->count(); ++row)
        result << m_list->item(row)->text();
    return result;
}

void PaymentTermsEditor::entryClicked(QListWidgetItem *item)
{
    m_editIndex = m_list->row(item);
    m_edit->setText(item->text());
    updateControls();
}

void PaymentTermsEditor::addOrChange()
{
    const QString text = m_edit->text();
    if (text.isEmpty())
        return;
    if (m_editIndex >= 0)
        m_list->item(m_editIndex)->setText(text);
    else if (m_list->count() < kMaxTerms)
        m_list->addItem(text);
    else
        return;
    backToIdle();
    emit changed();
}

void PaymentTermsEditor::removeEntry()
{
    if (m_editIndex < 0)
        return;
    const QString question = QStringLiteral("Remove \"%1\" from list?").arg(m_edit->text());
    if (m_prompts.ShowYesNoCancel(question) != Prompts::Yes)
        return;
    delete m_list->takeItem(m_editIndex);
    backToIdle();
    emit changed();
}

void PaymentTermsEditor::cancelEdit()
{
    backToIdle();
}

void PaymentTermsEditor::backToIdle()
{
    m_editIndex = -1;
    m_list->clearSelection();
    m_edit->clear();
    updateControls();
}

void PaymentTermsEditor::updateControls()
{
    const bool editing = m_editIndex >= 0;
    const bool hasText = !m_edit->text().isEmpty();
    const int count = m_list->count();
    m_add->setText(editing ? tr("Change") : tr("Add"));
    m_add->setToolTip(editing ? tr("Change this Payment Term on the list") : tr("Add this Payment Term to the list"));
    m_add->setEnabled(hasText && (editing || count < kMaxTerms));
    m_remove->setEnabled(editing);
    m_cancel->setEnabled(editing || hasText);
    m_list->setEnabled(!editing && !hasText);
    m_counter->setText(count >= kMaxTerms ? tr("Payment Terms are full")
                                          : tr("You may add %1 more Payment Terms").arg(kMaxTerms - count));
}
