#pragma once

#include "quillet/ui/text_view.h"

namespace quillet {

// The edit control of one sheet: the text view with the sheet's text limit and the
// right-click menu of the window.
class SheetEditor : public TextView {
    Q_OBJECT
public:
    explicit SheetEditor(QWidget* parent = nullptr);

    int textLimit() const { return m_limit; }
    void setTextLimit(int limit) { m_limit = limit; }
    // Puts `text` in place of the selection as typed text would go (one undo step; refused
    // when read-only or beyond the text limit). Line breaks of any kind become the text's.
    bool insertText(const QString& text);

signals:
    void contextMenuWanted(const QPoint& globalPos);
    void limitReached();

protected:
    bool acceptsEdit(qsizetype removed, qsizetype added) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    int m_limit;
};

} // namespace quillet
