#pragma once

#include "terminal/core/alarm_list.h"
#include "terminal/core/data_bus.h"

#include <QObject>
#include <QString>

namespace tarvex {

class AlarmHost;
class Sound;
struct TerminalContext;

// Watches every delivered line for the texts of the active alarms and fires them.
//
// A line is compared on its own, so the cost per line grows with its length and the number
// of active alarms only, never with the display or with what was received before. Alarm
// texts are matched literally and case-sensitively; with "whole line" the line (without
// its line end) must equal the text.
class AlarmWatch : public QObject
{
    Q_OBJECT
public:
    explicit AlarmWatch(TerminalContext& context);

    void setHost(AlarmHost* host) { m_host = host; }
    void setSound(Sound* sound) { m_sound = sound; }

    // Checks one line against every active alarm, in list order; an alarm counts at most
    // one match per line.
    void AlarmPruefen(const QString& line);
    // One match of the active entry at index: counts it and, at its threshold, fires.
    void AlarmAusloesen(int index);

    // The file of a file alarm: with the date flag "yyyy-MM-dd " goes in front of the name.
    static QString datedPath(const QString& path, const QDate& date);

private:
    void onLine(const ReceivedLine& line);
    void fire(const QString& entry, int frequency);
    void sendMail(const QString& entry);
    void writeFileLine(const QString& entry, const QString& line);
    QString alarmLine(const QString& entry, int frequency) const;
    QString inDataFolder(const QString& path) const;

    TerminalContext& m_ctx;
    AlarmHost* m_host = nullptr;
    Sound* m_sound = nullptr;
    Subscription m_lines;
    PairKeys m_pairs;
};

} // namespace tarvex
