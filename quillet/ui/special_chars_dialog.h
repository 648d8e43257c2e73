#pragma once

#include <QChar>
#include <QDialog>
#include <QFont>
#include <QList>
#include <QWidget>

namespace quillet {

// The grid of "Sonderzeichen": one cell per character of the Windows-1252 code page from
// 32 to 255 (the codes the page leaves undefined and DEL are left out), drawn in the
// sheet's font. The arrow keys move the current cell, Enter, Space or a click choose it.
class CharacterGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int kColumns = 16;

    explicit CharacterGrid(const QFont& font, QWidget* parent = nullptr);

    const QList<QChar>& characters() const { return m_chars; }
    int current() const { return m_current; }
    void setCurrent(int index);
    QRect cellRect(int index) const;
    int indexAt(QPoint point) const;
    QSize sizeHint() const override;

signals:
    void chosen(QChar character);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QList<QChar> m_chars;
    int m_current = 0;
    QSize m_cell;
};

// "Sonderzeichen": a click on a character or "&OK" closes the dialog with that character;
// "&Abbrechen" chooses nothing.
class SpecialCharsDialog : public QDialog {
    Q_OBJECT
public:
    SpecialCharsDialog(const QFont& font, QWidget* parent);

    // The chosen character; valid after the dialog was accepted.
    QChar character() const { return m_character; }
    CharacterGrid* grid() const { return m_grid; }

private:
    void choose(QChar character);

    CharacterGrid* m_grid;
    QChar m_character;
};

} // namespace quillet
