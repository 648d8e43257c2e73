#pragma once

#include "terminal/display/ansi_screen.h"

#include <QWidget>

namespace tarvex {

// The session screen: paints an AnsiScreen cell by cell in the session font (Courier New,
// or the system's fixed-pitch font where Courier New is missing) and turns every key it
// gets, Tab included, into the bytes a VT100 keyboard sends. Received bytes are fed in
// blocks; the widget repaints once per pass of the event loop, however many blocks came.
class SessionScreen : public QWidget
{
    Q_OBJECT
public:
    explicit SessionScreen(QWidget* parent = nullptr);

    AnsiScreen& screen() { return m_screen; }
    const AnsiScreen& screen() const { return m_screen; }

    // The font record "|Courier New|<size>|Falsch|Falsch|Falsch|"; size 0 (or less) is 10.
    void setFontSize(int size);
    // Columns and rows of the screen; the widget asks for the room they need.
    void setScreenSize(int columns, int rows);
    // The code the Backspace key sends (the BackSpace setting; 8 when none is set).
    void setBackspaceCode(int code) { m_backspace = code; }
    // Interprets received bytes and schedules a repaint when the screen changed.
    void feed(QByteArrayView bytes);

    // How many lines the view is moved back into the scroll-back (0: the live screen).
    // The mouse wheel and Shift+Page Up/Down move it; a key sent to the device ends it.
    int scrollBack() const { return m_scrollBack; }
    void setScrollBack(int lines);

    QSize sizeHint() const override;
    QSize cellSize() const { return {m_cellWidth, m_cellHeight}; }

signals:
    // What a key sends to the device.
    void keyBytes(const QByteArray& bytes);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    QByteArray bytesFor(const QKeyEvent& event) const;
    void updateMetrics();

    AnsiScreen m_screen;
    int m_backspace = 8;
    int m_cellWidth = 8;
    int m_cellHeight = 16;
    int m_ascent = 12;
    std::uint64_t m_painted = ~std::uint64_t(0);
    int m_scrollBack = 0;
};

} // namespace tarvex
