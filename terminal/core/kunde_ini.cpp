#include "terminal/core/kunde_ini.h"

#include "shared/number_text.h"
#include "shared/profile_document.h"
#include "terminal/core/password_code.h"

namespace tarvex {

namespace {

using S = KundeSettings;

SettingKey boolKey(const char* section, const char* key, bool S::*m)
{
    return {QString::fromUtf8(section), QString::fromUtf8(key), SettingType::Bool,
            [m](const S& s) { return KundeIni::boolText(s.*m); },
            [m](S& s, const QString& v) { s.*m = KundeIni::boolValue(v); }};
}

SettingKey intKey(const char* section, const char* key, int S::*m)
{
    return {QString::fromUtf8(section), QString::fromUtf8(key), SettingType::Int,
            [m](const S& s) { return QString::number(s.*m); },
            [m](S& s, const QString& v) { s.*m = leadingInt(v); }};
}

SettingKey textKey(const char* section, const char* key, QString S::*m)
{
    return {QString::fromUtf8(section), QString::fromUtf8(key), SettingType::Text,
            [m](const S& s) { return s.*m; },
            [m](S& s, const QString& v) { s.*m = v; }};
}

// The access password: plain in memory, scrambled in the file.
SettingKey passwordKey(const char* section, const char* key, QString S::*m)
{
    SettingKey k = textKey(section, key, m);
    k.scrambled = true;
    return k;
}

// Text keys numbered keyPrefix + (first .. first + N - 1), one per element of an array member.
template <std::size_t N>
void appendNumberedTextKeys(QList<SettingKey>& t, const char* section, const char* keyPrefix, int first,
                            std::array<QString, N> S::*member)
{
    for (std::size_t i = 0; i < N; ++i) {
        t.append({QString::fromUtf8(section), QString::fromUtf8(keyPrefix) + QString::number(first + int(i)),
                  SettingType::Text, [member, i](const S& s) { return (s.*member)[i]; },
                  [member, i](S& s, const QString& v) { (s.*member)[i] = v; }});
    }
}

QList<SettingKey> buildTable()
{
    QList<SettingKey> t = {
        textKey("Alarm", "AlarmText", &S::alarmText),
        boolKey("Allgemein", "Debug", &S::debug),
        intKey("Allgemein", "Verzögert", &S::verzoegert),
        passwordKey("Allgemein", "Passwort", &S::passwort),
        boolKey("Allgemein", "PassStart", &S::passStart),
        boolKey("Allgemein", "ScriptStart", &S::scriptStart),
        textKey("Allgemein", "ScriptText", &S::scriptText),
        textKey("Allgemein", "ScriptGrp", &S::scriptGrp),
        boolKey("Allgemein", "PrgNoEnd", &S::prgNoEnd),
        intKey("Anzeige", "StartX", &S::startX),
        intKey("Anzeige", "StartY", &S::startY),
        intKey("Anzeige", "StartB", &S::startB),
        intKey("Anzeige", "StartH", &S::startH),
        boolKey("Anzeige", "Koordinate", &S::koordinate),
        boolKey("Anzeige", "Taskleiste", &S::taskleiste),
        boolKey("Anzeige", "Minimiert", &S::minimiert),
        boolKey("Anzeige", "Maximiert", &S::maximiert),
        intKey("Anzeige", "FarbeHG", &S::farbeHG),
        intKey("Anzeige", "FarbeVG", &S::farbeVG),
        textKey("Anzeige", "Schrift", &S::schrift),
        boolKey("Anzeige", "MenuTasten", &S::menuTasten),
        intKey("Anzeige", "ScriptX", &S::scriptX),
        intKey("Anzeige", "ScriptY", &S::scriptY),
        intKey("Anzeige", "ScriptB", &S::scriptB),
        intKey("Anzeige", "ScriptH", &S::scriptH),
        intKey("Anzeige", "TaskX", &S::taskX),
        intKey("Anzeige", "TaskY", &S::taskY),
        intKey("Anzeige", "TaskB", &S::taskB),
        intKey("Anzeige", "TaskH", &S::taskH),
        intKey("Anzeige", "MaxZeilen", &S::maxZeilen),
        intKey("Anzeige", "AlarmX", &S::alarmX),
        intKey("Anzeige", "AlarmY", &S::alarmY),
        intKey("Anzeige", "AlarmB", &S::alarmB),
        intKey("Anzeige", "AlarmH", &S::alarmH),
        intKey("Anzeige", "SEditX", &S::seditX),
        intKey("Anzeige", "SEditY", &S::seditY),
        intKey("Anzeige", "SEditB", &S::seditB),
        intKey("Anzeige", "SEditH", &S::seditH),
        intKey("Anzeige", "StatistX", &S::statistX),
        intKey("Anzeige", "StatistY", &S::statistY),
        intKey("Anzeige", "StatistB", &S::statistB),
        intKey("Anzeige", "StatistH", &S::statistH),
        intKey("Anzeige", "TelnetX", &S::telnetX),
        intKey("Anzeige", "TelnetY", &S::telnetY),
        intKey("Anzeige", "TelnetPort", &S::telnetPort),
        intKey("Daten", "Endzeichen", &S::endzeichen),
        textKey("Daten", "DateiLast", &S::dateiLast),
        textKey("Daten", "Export", &S::exportSetting),
        boolKey("Daten", "Konvert", &S::konvert),
        boolKey("Daten", "AnsiOem", &S::ansiOem),
        boolKey("Daten", "OemAnsi", &S::oemAnsi),
        boolKey("Daten", "AllesGr", &S::allesGr),
        boolKey("Daten", "AllesKl", &S::allesKl),
        boolKey("Daten", "Filter", &S::filter),
        textKey("Daten", "FilterZ", &S::filterZ),
        intKey("Daten", "BackSpace", &S::backSpace),
        intKey("Daten", "Handshake", &S::handshake),
        intKey("Daten", "SendPause", &S::sendPause),
        intKey("Daten", "SendPauseR", &S::sendPauseR),
        intKey("Daten", "SendPauseL", &S::sendPauseL),
        intKey("Drucken", "Groesse", &S::druckGroesse),
        textKey("Drucken", "Schrift", &S::druckSchrift),
        boolKey("F_Leiste", "Aktiv", &S::fLeisteAktiv),
        textKey("Mail", "Server", &S::mailServer),
        intKey("Mail", "Port", &S::mailPort),
        textKey("Mail", "Absender", &S::mailAbsender),
        textKey("Mail", "Benutzer", &S::mailBenutzer),
        textKey("Mail", "Passwort", &S::mailPasswort),
        intKey("Mail", "Verschluesselung", &S::mailVerschluesselung),
        intKey("Mail", "Zeitlimit", &S::mailZeitlimit),
        boolKey("Modem", "Anruf", &S::anruf),
        textKey("Modem", "Initial", &S::modemInitial),
        textKey("Modem", "Annehmen", &S::modemAnnehmen),
        textKey("Modem", "Trennen", &S::modemTrennen),
        textKey("Modem", "Anwahl", &S::modemAnwahl),
    };
    appendNumberedTextKeys(t, "F_Leiste", "Taste", 1, &S::fLeisteTasten);
    appendNumberedTextKeys(t, "Script", "Platzhalter", 0, &S::platzhalter);
    t += QList<SettingKey>{
        intKey("Script", "Slider", &S::slider),
        boolKey("Script", "DHilfe", &S::dHilfe),
        intKey("Seriell", "COM", &S::com),
        intKey("Seriell", "Baudrate", &S::baudrate),
        textKey("Seriell", "Parameter", &S::parameter),
        intKey("Seriell", "Bitrate", &S::bitrate),
        intKey("Seriell", "Stopbit", &S::stopbit),
    };
    appendNumberedTextKeys(t, "Schnittstellen", "COM", 1, &S::portDevices);
    t += QList<SettingKey>{
        textKey("Suchen", "Begriff1", &S::begriff1),
        textKey("Suchen", "Begriff2", &S::begriff2),
        boolKey("Suchen", "Option1", &S::option1),
        boolKey("Suchen", "Option2", &S::option2),
        boolKey("Suchen", "Option3", &S::option3),
        boolKey("Suchen", "GrossKl", &S::grossKl),
        boolKey("Suchen", "AbStart", &S::abStart),
        boolKey("Suchen", "ZeilenNr", &S::zeilenNr),
        boolKey("Verbindung", "ZeitStemp", &S::zeitStemp),
        boolKey("Verbindung", "IndexStemp", &S::indexStemp),
        boolKey("Verbindung", "Capture", &S::capture),
        boolKey("Verbindung", "CapBinär", &S::capBinaer),
        boolKey("Verbindung", "CapZeit", &S::capZeit),
        textKey("Verbindung", "CapDatei", &S::capDatei),
        boolKey("Verbindung", "LoeschMon", &S::loeschMon),
        boolKey("Verbindung", "LineFeed", &S::lineFeed),
        boolKey("Verbindung", "SofortSend", &S::sofortSend),
        boolKey("Verbindung", "SofortEmpf", &S::sofortEmpf),
        boolKey("Verbindung", "DatenEcho", &S::datenEcho),
        boolKey("Verbindung", "Tasten", &S::tasten),
        boolKey("Verbindung", "Status", &S::status),
        boolKey("Verbindung", "Analyse", &S::analyse),
        boolKey("Verbindung", "Session", &S::session),
        intKey("Verbindung", "SessionZ", &S::sessionZ),
        intKey("Verbindung", "SessionG", &S::sessionG),
        intKey("Verbindung", "SessionL", &S::sessionL),
        textKey("Verbindung", "EinZeichen", &S::einZeichen),
        textKey("Verbindung", "DateiLast", &S::dateiLast),
        boolKey("Verbindung", "DateiHide", &S::dateiHide),
        boolKey("Verbindung", "StrgShow", &S::strgShow),
        boolKey("Verbindung", "DatBinaer", &S::datBinaer),
        boolKey("Verbindung", "HexWerte", &S::hexWerte),
        boolKey("Verbindung", "SteuerAnzg", &S::steuerAnzg),
        boolKey("Verbindung", "Wiederverbinden", &S::wiederverbinden),
    };
    return t;
}

} // namespace

KundeIni::KundeIni(QString path, std::function<int()> scrambleKeys)
    : m_path(std::move(path)), m_scrambleKeys(scrambleKeys ? std::move(scrambleKeys) : PasswordCode::randomKeys())
{
}

const QList<SettingKey>& KundeIni::table()
{
    static const QList<SettingKey> t = buildTable();
    return t;
}

bool KundeIni::boolValue(const QString& text)
{
    return leadingNumber(text) != 0.0;
}

void KundeIni::IniDateien(int mode, KundeSettings& settings, QStringList* damaged) const
{
    if (mode == 1) {
        ProfileDocument doc;
        try {
            doc = ProfileDocument::load(m_path);
        } catch (...) {
            return; // an unreadable file gives the current values, as a missing one does
        }
        readFrom(doc, settings, damaged);
    } else if (mode == 2) {
        ProfileDocument doc = ProfileDocument::load(m_path);
        writeTo(doc, settings);
        if (doc.isModified())
            doc.save(m_path);
    }
}

void KundeIni::readFrom(const ProfileDocument& doc, KundeSettings& settings, QStringList* damaged) const
{
    for (const SettingKey& k : table()) {
        const auto v = doc.value(k.section, k.key);
        if (!v)
            continue;
        if (!k.scrambled) {
            k.set(settings, *v);
            continue;
        }
        const PasswordCode::Unscrambled plain = PasswordCode::unscramble(*v);
        k.set(settings, plain.text);
        if (plain.damaged && damaged)
            damaged->append(k.section + QLatin1Char('/') + k.key);
    }
}

void KundeIni::writeTo(ProfileDocument& doc, const KundeSettings& settings) const
{
    for (const SettingKey& k : table()) {
        const QString v = k.get(settings);
        doc.setValue(k.section, k.key,
                     k.scrambled ? PasswordCode::Codierer(1, 0, v, QString::number(m_scrambleKeys())) : v);
    }
}

} // namespace tarvex
