#include "terminal/core/ui/key_preview.h"

#include "terminal/core/function_table.h"
#include "terminal/core/key_map.h"
#include "terminal/core/kunde_settings.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace tarvex {

namespace {

unsigned modifierBits(const QKeyEvent& key)
{
    const Qt::KeyboardModifiers m = key.modifiers();
    unsigned bits = 0;
    if (m & Qt::ShiftModifier)
        bits |= KeyMap::Shift;
    if (m & Qt::ControlModifier)
        bits |= KeyMap::Ctrl;
    if (m & Qt::AltModifier)
        bits |= KeyMap::Alt;
    if (m & Qt::MetaModifier)
        bits |= KeyMap::LeftWin;
    if (key.key() == Qt::Key_Menu)
        bits |= KeyMap::MenuKey;
    return bits;
}

// The character code a key press types: Ctrl+letter gives its control code, Ctrl+2 the
// digit; otherwise the first character of the text; 0 for keys that type nothing.
int characterCode(const QKeyEvent& key)
{
    const int k = key.key();
    if (key.modifiers() & Qt::ControlModifier) {
        if (k >= Qt::Key_A && k <= Qt::Key_Z)
            return k - Qt::Key_A + 1;
        if (k == Qt::Key_2)
            return '2';
    }
    const QString text = key.text();
    return text.isEmpty() ? 0 : text.at(0).unicode();
}

} // namespace

KeyPreview::KeyPreview(FunctionTable& functions, const KundeSettings& settings, QWidget& mainWindow)
    : QObject(&mainWindow), m_functions(functions), m_settings(settings), m_window(mainWindow)
{
}

KeyPreview::~KeyPreview()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

void KeyPreview::install()
{
    qApp->installEventFilter(this);
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    // A key press travels from the focus widget up to its window; take it once, where it
    // starts (the window itself when nothing has the focus).
    QWidget* start = QApplication::focusWidget();
    if (!start)
        start = QApplication::activeWindow();
    if (watched == start)
        Screen_KeyPreview(*static_cast<QKeyEvent*>(event));
    return false;
}

void KeyPreview::Screen_KeyPreview(const QKeyEvent& key)
{
    if (!m_settings.tasten)
        return;
    const unsigned modifiers = modifierBits(key);
    const bool mainWindowActive = QApplication::activeWindow() == &m_window;

    // The key itself (Esc, Insert, Delete, F-keys), whatever modifiers are held.
    const int vk = KeyMap::virtualKey(key.key());
    if (vk != 0) {
        if (m_settings.debug)
            m_window.setWindowTitle(KeyMap::keyDownCaption(modifiers, vk));
        const int function = KeyMap::keyDownFunction(vk);
        if (function != 0 && mainWindowActive)
            m_functions.PrgFunktionen(function);
    }

    // The character it types; with Ctrl held it may name a function.
    const int code = characterCode(key);
    if (code == 0)
        return;
    if (m_settings.debug)
        m_window.setWindowTitle(KeyMap::characterCaption(modifiers, code));
    if (!(key.modifiers() & Qt::ControlModifier))
        return;
    const int function = KeyMap::ctrlCharacterFunction(code);
    if (function != 0 && mainWindowActive)
        m_functions.PrgFunktionen(function);
}

} // namespace tarvex
