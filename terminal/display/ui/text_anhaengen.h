#pragma once

#include <QString>

class QPlainTextEdit;

namespace tarvex {

class DisplayView;

// Appends text with a style number (see TextStyle) to the end of a rich text control,
// followed by lineBreaks line breaks. An empty font name is "Courier New", size 0 is 9.
// Text appended after a line break starts again in the control's own format.
void TextAnhaengen(int style, const QString& text, int lineBreaks, int size, const QString& name, QPlainTextEdit* control);
// The same into the main window's display; what arrives afterwards is plain again.
void TextAnhaengen(int style, const QString& text, int lineBreaks, int size, const QString& name, DisplayView* control);

} // namespace tarvex
