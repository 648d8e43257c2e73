#include "quillet/messages.h"

namespace quillet {

QString Messages::text(int id)
{
    switch (id) {
    case SaveQuestion:
        return QStringLiteral("Der Text in der Datei \"%s\" wurde verändert.\n\nAktuelle Änderungen speichern?");
    case SearchEndDown:
        return QStringLiteral("Die Suche nach \"%s\" ist am Ende des Dokuments angelangt.\rSoll vom Anfang weiter gesucht werden?");
    case SearchEndUp:
        return QStringLiteral("Die Suche nach \"%s\" ist am Anfang des Dokuments angelangt.\rSoll vom Ende weiter gesucht werden?");
    case SearchFinished:
        return QStringLiteral("Die Suche nach \"%s\" ist beendet.");
    case FileDialogFailed:
        return QStringLiteral("Die Dateidialogfelder können nicht initialisiert werden. Ändern Sie den Dateinamen, und wiederholen Sie den Vorgang.");
    case PrintDialogFailed:
        return QStringLiteral("Die Druckdialogfelder können nicht initialisiert werden. Stellen Sie sicher, dass der Drucker richtig angeschlossen und konfiguriert ist.");
    case PrintFailed:
        return QStringLiteral("Die Datei \"%s\" kann nicht gedruckt werden.\n\nStellen Sie sicher, dass der Drucker angeschlossen und richtig konfiguriert ist.");
    case PrinterUnreachable:
        return QStringLiteral("Auf den Drucker kann nicht zugegriffen werden.\nÜberprüfen Sie, ob der Drucker richtig angeschlossen und konfiguriert ist.");
    case InvalidFileName:
        return QStringLiteral("Ungültiger Dateiname.");
    case ClipboardAtEnd:
        return QStringLiteral("In der Zwischenablage befinden sich noch Daten.\nSollen diese für andere Anwendungen verfügbar bleiben?");
    case UndoTooLarge:
        return QStringLiteral("Die Operation ist zu groß um sie rückgängig machen zu können.\nMöchten Sie fortfahren ohne Rückgängig?");
    case RecoverBackup:
        return QStringLiteral("Quillet konnte beim letzten Aufruf nicht korrekt beendet werden.\nEs wurde eine Sicherungsdatei erstellt, wollen Sie diese jetzt laden?");
    case AlreadyOpen:
        return QStringLiteral("Die Datei \"%s\" ist bereits geöffnet!\r\rWollen Sie die Datei erneut öffnen?");
    case FileNotFound:
        return QStringLiteral("Quillet kann die Datei \"%s\" nicht finden");
    case SendFailed:
        return QStringLiteral("Die Datei \"%s\" kann nicht gesendet werden.");
    case CannotRegister:
        return QStringLiteral("\"%s\" kann nicht gefunden und registriert werden.");
    case NoMailSystem:
        return QStringLiteral("Das versenden von Emails kann nicht ausgeführt werden.");
    default:
        return {};
    }
}

QString Messages::text(int id, const QString& argument)
{
    QString t = text(id);
    t.replace(QLatin1String("%s"), argument);
    return t;
}

QString Messages::tooLongForLimit(const QString& path, const QString& length, const QString& limit)
{
    return QStringLiteral("Die Datei \"%1\" ist mit %2 länger als die maximale Textlänge von %3.\r"
                          "Die Datei wurde nicht geladen. Erhöhen Sie die maximale Textlänge unter Extras.")
        .arg(path, length, limit);
}

QString Messages::createMissing(const QString& path)
{
    return QStringLiteral("Die Datei \"%1\" ist nicht vorhanden.\r\rSoll die Datei erstellt werden?").arg(path);
}

QString Messages::cannotCreate(const QString& path, const QString& reason)
{
    return QStringLiteral("Die Datei \"%1\" kann nicht erstellt werden.\r%2").arg(path, reason);
}

QString Messages::cannotEncode(const QString& name)
{
    return QStringLiteral("Der Text von \"%1\" enthält Zeichen, die im ANSI-Zeichensatz (Windows-1252) "
                          "nicht gespeichert werden können.\r\rSoll die Datei stattdessen als UTF-8 gespeichert werden?\r"
                          "(Nein speichert diese Zeichen als \"?\".)")
        .arg(name);
}

QString Messages::limitRange(const QString& maximum)
{
    return QStringLiteral("Sie können nur einen Wert zwischen 1 und %1 eingeben.").arg(maximum);
}

QString Messages::deleteExtension(const QString& description)
{
    return QStringLiteral("Wollen Sie die Dateierweiterung \"%1\" wirklich löschen?").arg(description);
}

QString Messages::helpMissing(const QString& path, const QString& reason)
{
    return QStringLiteral("Die Hilfedatei \"%1\" kann nicht geöffnet werden.\r%2").arg(path, reason);
}

QString Messages::deleteConversion(const QString& name)
{
    return QStringLiteral("Wollen Sie die Umwandlung \"%1\" wirklich löschen?").arg(name);
}

QString Messages::conversionNameInvalid()
{
    return QStringLiteral("Bitte geben Sie einen Namen ohne \"/\" und \"\\\" ein.");
}

QString Messages::conversionNameTaken(const QString& name)
{
    return QStringLiteral("Eine Umwandlung mit dem Namen \"%1\" ist bereits vorhanden.").arg(name);
}

QString Messages::outOfMemory()
{
    return QStringLiteral("Für diese Operation ist nicht genügend Arbeitsspeicher vorhanden.\rDer Text wurde nicht verändert.");
}

QString Messages::noXdgMime()
{
    return QStringLiteral("Die Verknüpfung für Textdateien kann nicht geändert werden: Das Programm \"xdg-mime\" "
                          "ist nicht vorhanden.\rInstallieren Sie das Paket \"xdg-utils\".");
}

QString Messages::systemEditorName()
{
    return QStringLiteral("Texteditor des Systems");
}

} // namespace quillet
