#include "terminal/automation/alarm_watch.h"

#include "shared/app_folders.h"
#include "shared/line_appender.h"
#include "shared/number_text.h"
#include "shared/platform/clock.h"
#include "shared/platform/prompter.h"
#include "shared/text_file.h"
#include "terminal/automation/alarm_host.h"
#include "terminal/automation/alarm_record.h"
#include "terminal/core/error_report.h"
#include "terminal/core/helper_programs.h"
#include "terminal/core/terminal_context.h"
#include "terminal/core/terminal_state.h"
#include "terminal/platform/sound.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>

namespace tarvex {

using namespace AlarmEntry;

AlarmWatch::AlarmWatch(TerminalContext& context) : m_ctx(context)
{
    m_lines = m_ctx.bus.onLine([this](const ReceivedLine& line) { onLine(line); });
}

void AlarmWatch::onLine(const ReceivedLine& line)
{
    if (m_ctx.state.alarms.size() == 0)
        return;
    // A piece cut in immediate mode counts once it holds a line end.
    if (line.immediate && !line.text.contains(QLatin1Char('\r')) && !line.text.contains(QLatin1Char('\n')))
        return;
    AlarmPruefen(line.text);
}

void AlarmWatch::AlarmPruefen(const QString& line)
{
    QStringView bare(line);
    while (!bare.isEmpty() && (bare.back() == QLatin1Char('\r') || bare.back() == QLatin1Char('\n')))
        bare.chop(1);
    const AlarmList& list = m_ctx.state.alarms;
    m_pairs.build(line);
    // The list is looked at anew for every alarm: a box shown by one of them lets the
    // operator reload it meanwhile.
    for (int i = 0; i < list.size(); ++i) {
        const AlarmList::Watched& w = list.watched()[std::size_t(i)];
        // An empty text would match every line; the dialog never stores one.
        if (w.text.isEmpty())
            continue;
        bool match = false;
        if (w.wholeLine)
            match = bare.size() == w.text.size() && bare == w.text;
        else if (w.text.size() == 1)
            match = line.contains(w.text[0]);
        else
            match = m_pairs.mayHold(w.pairKey) && line.contains(w.text);
        if (match)
            AlarmAusloesen(i);
    }
}

void AlarmWatch::AlarmAusloesen(int index)
{
    AlarmList& list = m_ctx.state.alarms;
    if (index < 0 || index >= list.size())
        return;
    const QString entry = list.entries().at(index);
    // A threshold that is not a number counts as 0: such an alarm fires at every match.
    const int threshold = leadingInt(field(entry, kThreshold));
    const int count = counter(entry) + 1;
    if (count < threshold) {
        list.setCounted(index, withCounter(entry, count));
        return;
    }
    const QString fired = withCounter(entry, 0);
    list.setCounted(index, fired);
    fire(fired, count);
}

QString AlarmWatch::alarmLine(const QString& entry, int frequency) const
{
    return QStringLiteral("Alarmmeldung: ") + field(entry, kText) + QStringLiteral("\t\tHäufigkeit: ")
           + QString::number(frequency) + QStringLiteral("\t\tOriginal Alarmeintrag: ") + entry;
}

QString AlarmWatch::inDataFolder(const QString& path) const
{
    // A relative path names a file below the customer data folder (so a definition moves
    // with the folder).
    if (path.isEmpty() || !QFileInfo(QString(path).replace(QLatin1Char('\\'), QLatin1Char('/'))).isRelative()
        || path.contains(QLatin1Char(':')))
        return path;
    return m_ctx.state.folders.dataDir() + path;
}

QString AlarmWatch::datedPath(const QString& path, const QDate& date)
{
    const qsizetype slash = qMax(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    return path.left(slash + 1) + date.toString(QStringLiteral("yyyy-MM-dd ")) + path.mid(slash + 1);
}

void AlarmWatch::fire(const QString& entry, int frequency)
{
    const QDateTime now = m_ctx.clock.now();
    const QString stamp = now.toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral(", ")
                          + now.toString(QStringLiteral("HH:mm:ss"));
    const QString line = alarmLine(entry, frequency);

    bool playing = false;
    if (flag(entry, kSound) && m_sound) {
        // A missing sound file silences this action only.
        const QString wav = AppFolders::findCaseInsensitive(inDataFolder(field(entry, kSoundFile)));
        if (QFileInfo(wav).isFile())
            playing = m_sound->play(wav, true);
    }
    if (flag(entry, kMail) && !field(entry, kRecipient).isEmpty())
        guarded(m_ctx.errors, "AlarmAusloesen", 5, field(entry, kRecipient), [&] { sendMail(entry); });
    if (flag(entry, kFile) && !field(entry, kFilePath).isEmpty()) {
        const QString fileLine = flag(entry, kDateInLine) ? stamp + QStringLiteral("    ") + line : line;
        guarded(m_ctx.errors, "AlarmAusloesen", 7, field(entry, kFilePath), [&] { writeFileLine(entry, fileLine); });
    }
    if (flag(entry, kBox)) {
        m_ctx.prompter.message(QStringLiteral("Warnung - Alarm - Warnung"),
                               QStringLiteral("Alarmmeldung: ") + field(entry, kText) + QStringLiteral("\r\rHäufigkeit: ")
                                   + QString::number(frequency),
                               BoxButtons::Ok, BoxIcon::Critical);
    }
    // Every firing is written to the protocol, whatever the flags.
    const QString protocol = AppFolders::findCaseInsensitive(m_ctx.state.folders.captureDir()
                                                             + QStringLiteral("Alarmprotokoll.txt"));
    guarded(m_ctx.errors, "AlarmAusloesen", 9, protocol, [&] {
        QDir().mkpath(QFileInfo(protocol).absolutePath());
        LineAppender::appendLineTo(protocol, stamp + QStringLiteral("    ") + line);
    });
    if (flag(entry, kScript) && m_host) {
        // The script runs once the receive pass that found the alarm is over: it talks to
        // the device and waits for its answers, which that pass would hold back.
        const QString script = field(entry, kScriptEntry);
        QTimer::singleShot(0, this, [this, script] {
            if (m_host)
                m_host->runScript(script);
        });
    }
    if (playing)
        m_sound->stop();
    if (flag(entry, kClearDisplay) && m_host)
        m_host->clearDisplay();
}

void AlarmWatch::sendMail(const QString& entry)
{
    const QString file = m_ctx.state.folders.anzeigeDir() + QStringLiteral("email.txt");
    QDir().mkpath(QFileInfo(file).absolutePath());
    const QString text = m_host ? m_host->displayText() : QString();
    TextFile::writeBytesAtomic(file, TextFile::encodeLines(TextFile::splitLines(text)));
    QString subject = m_ctx.state.settings.alarmText.isEmpty() ? (m_host ? m_host->caption() : QString())
                                                               : m_ctx.state.settings.alarmText;
    // The record's separator cannot be part of a field (a debug caption may hold one).
    subject.replace(QLatin1Char('|'), QLatin1Char(' '));
    const QString record = QStringLiteral("|9|") + field(entry, kRecipient) + QStringLiteral("|||") + subject
                           + QLatin1Char('|') + QDir::toNativeSeparators(file) + QStringLiteral("||0/1|")
                           + (m_ctx.state.debugMode ? QStringLiteral("-1") : QStringLiteral("0")) + QLatin1Char('|');
    m_ctx.programs.startZendor(record);
}

void AlarmWatch::writeFileLine(const QString& entry, const QString& line)
{
    QString path = inDataFolder(field(entry, kFilePath));
    if (flag(entry, kDateInName))
        path = datedPath(path, m_ctx.clock.now().date());
    path = AppFolders::findCaseInsensitive(path);
    // A folder that is not there yet is made, so the line is not lost.
    QDir().mkpath(QFileInfo(path).absolutePath());
    LineAppender::appendLineTo(path, line);
}

} // namespace tarvex
