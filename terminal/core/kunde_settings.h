#pragma once

#include <QString>

#include <array>

namespace tarvex {

// Every setting of kunde.ini. At the first start numbers are 0, flags false and texts
// empty; reading keeps the current value of a key missing from the file.
struct KundeSettings
{
    // Alarm
    QString alarmText;
    // Allgemein
    bool debug = false;
    int verzoegert = 0;
    QString passwort;
    bool passStart = false;
    bool scriptStart = false;
    QString scriptText;
    QString scriptGrp;
    bool prgNoEnd = false;
    // Anzeige
    int startX = 0, startY = 0, startB = 0, startH = 0;
    bool koordinate = false;
    bool taskleiste = false;
    bool minimiert = false, maximiert = false;
    int farbeHG = 0, farbeVG = 0;
    QString schrift;
    bool menuTasten = false;
    int scriptX = 0, scriptY = 0, scriptB = 0, scriptH = 0;
    int taskX = 0, taskY = 0, taskB = 0, taskH = 0;
    int maxZeilen = 0;
    int alarmX = 0, alarmY = 0, alarmB = 0, alarmH = 0;
    int seditX = 0, seditY = 0, seditB = 0, seditH = 0;
    int statistX = 0, statistY = 0, statistB = 0, statistH = 0;
    int telnetX = 0, telnetY = 0;
    int telnetPort = 0; // the telnet window's listening port; 0 = 23
    // Daten
    int endzeichen = 0;
    QString dateiLast;
    QString exportSetting;
    bool konvert = false;
    bool ansiOem = false, oemAnsi = false;
    bool allesGr = false, allesKl = false;
    bool filter = false;
    QString filterZ;
    int backSpace = 0;
    int handshake = 0;
    int sendPause = 0, sendPauseR = 0, sendPauseL = 0;
    // Drucken
    int druckGroesse = 0;
    QString druckSchrift;
    // F_Leiste
    bool fLeisteAktiv = false;
    // the operator's own buttons, pipe records |kind|image|value| (see FunctionButton)
    std::array<QString, 12> fLeisteTasten;
    // Mail: the server zendor sends alarm mails through. zendor reads these keys as they
    // are, the password too. Port and time limit 0 mean zendor's defaults (25 or 465 with
    // TLS from the start; 30 seconds). Verschluesselung: 0 none, 1 STARTTLS, 2 TLS.
    QString mailServer;
    int mailPort = 0;
    QString mailAbsender;
    QString mailBenutzer;
    QString mailPasswort;
    int mailVerschluesselung = 0;
    int mailZeitlimit = 0;
    // Modem
    bool anruf = false;
    QString modemInitial, modemAnnehmen, modemTrennen, modemAnwahl;
    // Script
    std::array<QString, 10> platzhalter;
    int slider = 0;
    bool dHilfe = false;
    // Seriell
    int com = 0;
    int baudrate = 0;
    QString parameter;
    int bitrate = 0;
    int stopbit = 0;
    // Schnittstellen: the device behind "COM n" on systems without COM names (empty: default)
    std::array<QString, 20> portDevices;
    // Suchen
    QString begriff1, begriff2;
    bool option1 = false, option2 = false, option3 = false;
    bool grossKl = false, abStart = false, zeilenNr = false;
    // Verbindung
    bool zeitStemp = false;
    bool indexStemp = false;
    bool capture = false;
    bool capBinaer = false;
    bool capZeit = false;
    QString capDatei;
    bool loeschMon = false;
    bool lineFeed = false;
    bool sofortSend = false;
    bool sofortEmpf = false;
    bool datenEcho = false;
    bool tasten = false;
    bool status = false;
    bool analyse = false;
    bool session = false;
    int sessionZ = 0, sessionG = 0, sessionL = 0;
    QString einZeichen;
    bool dateiHide = false;
    bool strgShow = false;
    bool datBinaer = false;
    bool hexWerte = false;
    bool steuerAnzg = false;
    // Reopen the port by itself when its device returns after it vanished.
    bool wiederverbinden = false;
};

} // namespace tarvex
