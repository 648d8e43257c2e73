#include "terminal/display/session_keys.h"

#include "shared/cp1252.h"

namespace tarvex {

QByteArray sessionKeyBytes(int key, Qt::KeyboardModifiers modifiers, const QString& text,
                           bool applicationCursorKeys, int backspaceCode)
{
    const QByteArray cursorIntro = applicationCursorKeys ? QByteArrayLiteral("\x1bO") : QByteArrayLiteral("\x1b[");
    switch (key) {
    case Qt::Key_Up:
        return cursorIntro + 'A';
    case Qt::Key_Down:
        return cursorIntro + 'B';
    case Qt::Key_Right:
        return cursorIntro + 'C';
    case Qt::Key_Left:
        return cursorIntro + 'D';
    case Qt::Key_Home:
        return cursorIntro + 'H';
    case Qt::Key_End:
        return cursorIntro + 'F';
    case Qt::Key_F1:
        return QByteArrayLiteral("\x1bOP");
    case Qt::Key_F2:
        return QByteArrayLiteral("\x1bOQ");
    case Qt::Key_F3:
        return QByteArrayLiteral("\x1bOR");
    case Qt::Key_F4:
        return QByteArrayLiteral("\x1bOS");
    case Qt::Key_Insert:
        return QByteArrayLiteral("\x1b[2~");
    case Qt::Key_Delete:
        return QByteArrayLiteral("\x1b[3~");
    case Qt::Key_PageUp:
        return QByteArrayLiteral("\x1b[5~");
    case Qt::Key_PageDown:
        return QByteArrayLiteral("\x1b[6~");
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QByteArrayLiteral("\r");
    case Qt::Key_Backspace:
        return QByteArray(1, char(backspaceCode > 0 && backspaceCode < 256 ? backspaceCode : 8));
    case Qt::Key_Tab:
        return QByteArrayLiteral("\t");
    case Qt::Key_Backtab:
        return QByteArrayLiteral("\x1b[Z");
    case Qt::Key_Escape:
        return QByteArrayLiteral("\x1b");
    default:
        break;
    }
    if (modifiers.testFlag(Qt::ControlModifier) && !modifiers.testFlag(Qt::AltModifier)) {
        if (key >= Qt::Key_A && key <= Qt::Key_Z)
            return QByteArray(1, char(key - Qt::Key_A + 1));
        switch (key) {
        case Qt::Key_BracketLeft:
            return QByteArray(1, char(0x1b));
        case Qt::Key_Backslash:
            return QByteArray(1, char(0x1c));
        case Qt::Key_BracketRight:
            return QByteArray(1, char(0x1d));
        case Qt::Key_Space:
        case Qt::Key_At:
            return QByteArray(1, char(0));
        default:
            return {};
        }
    }
    QByteArray bytes;
    for (const QChar c : text) {
        if (c.unicode() < 0x20 && c.unicode() != 0x1b)
            continue;
        bool ok = false;
        const unsigned char b = Cp1252::fromUnicode(c, &ok);
        if (ok)
            bytes.append(char(b));
    }
    return bytes;
}

} // namespace tarvex
