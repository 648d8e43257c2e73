#pragma once

#include <QString>

namespace quillet {

// The editor's message texts, numbered as in its string table. Line breaks are "\r" or
// "\n" exactly as the texts carry them; the prompter turns both into line breaks.
class Messages {
public:
    static QString text(int id);
    static QString text(int id, const QString& argument);  // fills "%s"

    enum Id {
        SaveQuestion = 10,
        SearchEndDown = 14,
        SearchEndUp = 15,
        SearchFinished = 16,
        FileDialogFailed = 23,
        PrintDialogFailed = 24,
        PrintFailed = 25,
        InvalidFileName = 26,
        ClipboardAtEnd = 27,
        UndoTooLarge = 28,
        RecoverBackup = 29,
        PrinterUnreachable = 50,
        AlreadyOpen = 77,
        FileNotFound = 83,
        SendFailed = 22,
        CannotRegister = 75,
        NoMailSystem = 161,
    };

    // Texts of this editor that have no number.
    static QString tooLongForLimit(const QString& path, const QString& length, const QString& limit);
    static QString cannotEncode(const QString& name);
    static QString createMissing(const QString& path);
    static QString cannotCreate(const QString& path, const QString& reason);
    static QString limitRange(const QString& maximum);
    static QString deleteExtension(const QString& description);
    static QString helpMissing(const QString& path, const QString& reason);
    static QString deleteConversion(const QString& name);
    static QString conversionNameInvalid();
    static QString conversionNameTaken(const QString& name);
    static QString outOfMemory();
    static QString noXdgMime();
    static QString systemEditorName();
};

} // namespace quillet
