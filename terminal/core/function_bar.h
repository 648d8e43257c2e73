#pragma once

#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace tarvex {

// A button the operator added to the function bar: it runs a program function, starts a
// script of the current group or sends a character sequence. Stored in kunde.ini, section
// "F_Leiste", keys "Taste1" … as the pipe record |kind|image|value|.
struct FunctionButton
{
    enum class Kind { Function = 1, Script = 2, Characters = 3 };

    Kind kind = Kind::Function;
    int image = 0;  // index into the function bar's twelve images
    QString value;  // the function number, the script slot (1 … 99) or the character text

    static constexpr int kImages = 12;
    static constexpr int kMaxButtons = 12;

    // Nothing for a blank or damaged record (unknown kind, a value that doesn't fit it).
    static std::optional<FunctionButton> fromRecord(const QString& record);
    QString record() const;

    int function() const { return kind == Kind::Function ? value.toInt() : 0; }
    int scriptSlot() const { return kind == Kind::Script ? value.toInt() : 0; }

    // Character texts: the text as typed, where "<n>" (n from 0 to 255) stands for the
    // character of that code, so control characters and "|" can be written.
    static QByteArray characterBytes(const QString& text);
    // The text as stored: "|" becomes "<124>" so the record keeps its fields.
    static QString storedCharacters(const QString& text);

    bool operator==(const FunctionButton&) const = default;
};

// The buttons of the kunde.ini stored, in slot order; blank and damaged stored are skipped.
QList<FunctionButton> functionButtons(const std::array<QString, FunctionButton::kMaxButtons>& stored);
// The stored for a list of buttons (the rest blank); buttons beyond the last slot are dropped.
std::array<QString, FunctionButton::kMaxButtons> functionButtonSlots(const QList<FunctionButton>& buttons);

} // namespace tarvex
