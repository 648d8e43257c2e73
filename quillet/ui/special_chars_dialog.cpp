#include "quillet/ui/special_chars_dialog.h"

#include "shared/cp1252.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillet {
namespace {

bool shown(int code)
{
    switch (code) {
    case 0x7F:
    case 0x81:
    case 0x8D:
    case 0x8F:
    case 0x90:
    case 0x9D:
        return false;
    default:
        return code >= 32 && code <= 255;
    }
}

} // namespace

CharacterGrid::CharacterGrid(const QFont& font, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("grdZeichen"));
    setFont(font);
    setFocusPolicy(Qt::StrongFocus);
    for (int code = 32; code <= 255; ++code) {
        if (shown(code))
            m_chars.append(Cp1252::toUnicode(static_cast<unsigned char>(code)));
    }
    const QFontMetrics metrics(font);
    int widest = 0;
    for (QChar c : std::as_const(m_chars))
        widest = std::max(widest, metrics.horizontalAdvance(c));
    const int side = std::max({widest, metrics.height(), 12}) + 8;
    m_cell = QSize(side, side);
}

QSize CharacterGrid::sizeHint() const
{
    const int rows = (static_cast<int>(m_chars.size()) + kColumns - 1) / kColumns;
    return {m_cell.width() * kColumns + 1, m_cell.height() * rows + 1};
}

QRect CharacterGrid::cellRect(int index) const
{
    return {QPoint((index % kColumns) * m_cell.width(), (index / kColumns) * m_cell.height()), m_cell};
}

int CharacterGrid::indexAt(QPoint point) const
{
    if (point.x() < 0 || point.y() < 0)
        return -1;
    const int column = point.x() / m_cell.width();
    const int index = (point.y() / m_cell.height()) * kColumns + column;
    return column < kColumns && index < m_chars.size() ? index : -1;
}

void CharacterGrid::setCurrent(int index)
{
    if (index < 0 || index >= m_chars.size() || index == m_current)
        return;
    update(cellRect(m_current));
    m_current = index;
    update(cellRect(m_current));
}

void CharacterGrid::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    for (int i = 0; i < m_chars.size(); ++i) {
        const QRect cell = cellRect(i);
        const bool current = i == m_current;
        if (current)
            painter.fillRect(cell, hasFocus() ? palette().highlight() : palette().midlight());
        painter.setPen(palette().mid().color());
        painter.drawRect(cell);
        painter.setPen(current && hasFocus() ? palette().highlightedText().color() : palette().text().color());
        painter.drawText(cell, Qt::AlignCenter, QString(m_chars[i]));
    }
}

void CharacterGrid::mousePressEvent(QMouseEvent* event)
{
    const int index = indexAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || index < 0) {
        QWidget::mousePressEvent(event);
        return;
    }
    setCurrent(index);
    emit chosen(m_chars[index]);
}

void CharacterGrid::keyPressEvent(QKeyEvent* event)
{
    const int last = static_cast<int>(m_chars.size()) - 1;
    switch (event->key()) {
    case Qt::Key_Left:
        setCurrent(std::max(0, m_current - 1));
        return;
    case Qt::Key_Right:
        setCurrent(std::min(last, m_current + 1));
        return;
    case Qt::Key_Up:
        setCurrent(m_current - kColumns);
        return;
    case Qt::Key_Down:
        setCurrent(m_current + kColumns);
        return;
    case Qt::Key_Home:
        setCurrent(0);
        return;
    case Qt::Key_End:
        setCurrent(last);
        return;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit chosen(m_chars[m_current]);
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

SpecialCharsDialog::SpecialCharsDialog(const QFont& font, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgSonderzeichen"));
    setWindowTitle(QStringLiteral("Sonderzeichen"));
    m_grid = new CharacterGrid(font, this);
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    auto* cancel = new QPushButton(QStringLiteral("&Abbrechen"), this);
    cancel->setObjectName(QStringLiteral("cmdAbbrechen"));
    // Enter belongs to the grid; the buttons need a click or their mnemonic.
    ok->setAutoDefault(false);
    cancel->setAutoDefault(false);

    connect(m_grid, &CharacterGrid::chosen, this, &SpecialCharsDialog::choose);
    connect(ok, &QPushButton::clicked, this, [this] { choose(m_grid->characters()[m_grid->current()]); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_grid->setFocus();
}

void SpecialCharsDialog::choose(QChar character)
{
    m_character = character;
    accept();
}

} // namespace quillet
