#pragma once

#include <QByteArray>
#include <QString>

namespace tarvex {

// Where the receive pipeline hands what it found. The line delivery implements it.
class ReceiveListener
{
public:
    virtual ~ReceiveListener() = default;
    // One complete (or, in immediate mode, partial) converted line; rest is what stays buffered.
    virtual void lineReceived(const QByteArray& line, const QByteArray& rest, bool immediate) = 0;
    virtual void characterFiltered(unsigned char c) = 0;
    virtual void backspaceReceived() = 0;
    virtual void bell() = 0;
    virtual void debugCaption(const QString& caption) = 0;
    // The automatic end character found ETX and the setting is 3 from now on.
    virtual void endCharacterDetected() = 0;
    // Data arrived (true) or the pass ended after data (false): the receive lamps follow.
    virtual void receiving(bool active) = 0;
};

} // namespace tarvex
