#pragma once

#include <QPlainTextEdit>

namespace quillet {

// The edit control of one sheet: plain text with the insert/overwrite toggle, the text
// limit and the right-click menu of the window.
class SheetEditor : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit SheetEditor(QWidget* parent = nullptr);

    // The text with '\n' line breaks and every character kept as it is.
    QString rawText() const;
    qsizetype textLength() const;
    int textLimit() const { return m_limit; }
    void setTextLimit(int limit) { m_limit = limit; }
    void setWordWrap(bool wrap);
    bool wordWrap() const;

signals:
    void overwriteToggled(bool overwrite);
    void contextMenuWanted(const QPoint& globalPos);
    void limitReached();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;

private:
    bool fits(qsizetype added) const;

    int m_limit;
};

} // namespace quillet
