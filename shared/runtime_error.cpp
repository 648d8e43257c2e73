#include "shared/runtime_error.h"

QString errorDescription(int code)
{
    switch (code) {
    case ErrorCode::InvalidCall: return QStringLiteral("Ungültiger Prozeduraufruf oder ungültiges Argument");
    case ErrorCode::Overflow: return QStringLiteral("Überlauf");
    case ErrorCode::OutOfMemory: return QStringLiteral("Nicht genügend Speicher");
    case ErrorCode::OutOfRange: return QStringLiteral("Index außerhalb des gültigen Bereichs");
    case ErrorCode::Internal: return QStringLiteral("Interner Fehler");
    case ErrorCode::BadFileName: return QStringLiteral("Dateiname oder -nummer falsch");
    case ErrorCode::FileNotFound: return QStringLiteral("Datei nicht gefunden");
    case ErrorCode::DeviceIo: return QStringLiteral("Fehler beim Lesen oder Schreiben des Geräts");
    case ErrorCode::DiskFull: return QStringLiteral("Datenträger voll");
    case ErrorCode::PermissionDenied: return QStringLiteral("Zugriff verweigert");
    case ErrorCode::PathFileAccess: return QStringLiteral("Fehler beim Zugriff auf Pfad/Datei");
    case ErrorCode::PathNotFound: return QStringLiteral("Pfad nicht gefunden");
    default: return QStringLiteral("Anwendungs- oder objektdefinierter Fehler");
    }
}

RuntimeError::RuntimeError(int code, QString detail)
    : m_code(code), m_detail(std::move(detail))
{
    m_what = (errorDescription(code) + QLatin1String(": ") + m_detail).toUtf8();
}
