#include "terminal/serial/parameter_set.h"

#include "shared/app_folders.h"
#include "shared/daten_pipe.h"
#include "shared/number_text.h"
#include "shared/platform/prompter.h"
#include "shared/text_file.h"
#include "terminal/core/error_report.h"
#include "terminal/core/kunde_ini.h"
#include "terminal/core/terminal_state.h"

#include <QDir>
#include <QFileInfo>

namespace tarvex {

namespace {

using S = KundeSettings;

// The option lines 2 to 24, in file order. Line 18 (the script group) is text.
struct OptionLine
{
    const char* key;
    bool S::*flag;
    int S::*number;
};

const OptionLine kOptions[] = {
    {"Sofort    =", &S::sofortSend, nullptr},  {"Debug     =", &S::debug, nullptr},
    {"Konvert   =", &S::konvert, nullptr},     {"AnsiOem   =", &S::ansiOem, nullptr},
    {"OemAnsi   =", &S::oemAnsi, nullptr},     {"AllesKl   =", &S::allesKl, nullptr},
    {"AllesGr   =", &S::allesGr, nullptr},     {"ZeitStemp =", &S::zeitStemp, nullptr},
    {"IndexStemp=", &S::indexStemp, nullptr},  {"LiFeed    =", &S::lineFeed, nullptr},
    {"Empfang   =", &S::sofortEmpf, nullptr},  {"D_Echo    =", &S::datenEcho, nullptr},
    {"T_Tasten  =", &S::tasten, nullptr},      {"BackSpace =", nullptr, &S::backSpace},
    {"Session   =", &S::session, nullptr},     {"SessionZ  =", nullptr, &S::sessionZ},
    {"ScriptGr  =", nullptr, nullptr},         {"Handshake =", nullptr, &S::handshake},
    {"HEX-Anzg  =", &S::hexWerte, nullptr},    {"SteuerAnz =", &S::steuerAnzg, nullptr},
    {"PauseZ    =", nullptr, &S::sendPause},   {"PauseR    =", nullptr, &S::sendPauseR},
    {"PauseL    =", nullptr, &S::sendPauseL},
};

} // namespace

ParameterSet::ParameterSet(TerminalState& state, Prompter& prompter, ErrorReport& errors)
    : m_state(state), m_prompter(prompter), m_errors(errors)
{
}

QStringList ParameterSet::lines(const KundeSettings& s, const QString& scriptGroup)
{
    QStringList out{pipeRecord({QString::number(s.com), QString::number(s.baudrate), s.parameter.left(1),
                                QString::number(s.bitrate), QString::number(s.stopbit), QString::number(s.endzeichen)})};
    for (const OptionLine& o : kOptions) {
        QString value = scriptGroup;
        if (o.flag)
            value = KundeIni::boolText(s.*(o.flag));
        else if (o.number)
            value = QString::number(s.*(o.number));
        out << QString::fromUtf8(o.key) + value;
    }
    return out;
}

QString ParameterSet::readInto(const QStringList& lines, KundeSettings& s, QString* scriptGroup)
{
    for (const OptionLine& o : kOptions) {
        if (o.flag)
            s.*(o.flag) = false;
        else if (o.number)
            s.*(o.number) = 0;
    }
    s.sessionZ = 80;
    if (scriptGroup)
        scriptGroup->clear();
    for (int i = 1; i < lines.size() && i <= int(std::size(kOptions)); ++i) {
        const OptionLine& o = kOptions[i - 1];
        const QString& line = lines.at(i);
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        const QString value = eq < 0 ? QString() : line.mid(eq + 1);
        if (o.flag)
            s.*(o.flag) = leadingNumber(value) != 0.0;
        else if (o.number)
            s.*(o.number) = leadingInt(value);
        else if (scriptGroup)
            *scriptGroup = value.trimmed();
    }
    return lines.value(0);
}

void ParameterSet::applyPortRecord(const QString& record, KundeSettings& s)
{
    s.com = leadingInt(DatenPipe(1, record));
    s.baudrate = leadingInt(DatenPipe(2, record));
    s.parameter = DatenPipe(3, record).left(1);
    s.bitrate = leadingInt(DatenPipe(4, record));
    s.stopbit = leadingInt(DatenPipe(5, record));
    s.endzeichen = leadingInt(DatenPipe(6, record));
}

bool ParameterSet::checkExtension(const QString& file)
{
    if (file.contains(QLatin1String(".def"), Qt::CaseInsensitive))
        return true;
    m_prompter.message(QStringLiteral("Sicherheitshinweis"),
                       QStringLiteral("Die Datei\r\r") + file + QStringLiteral("\r\rkann nicht verwendet werden!"),
                       BoxButtons::Ok, BoxIcon::Exclamation);
    return false;
}

QString ParameterSet::ParameterInOut(int mode, const QString& file)
{
    QString result;
    guarded(m_errors, "ParameterInOut", mode, file, [&] {
        QString name = file;
        if (name.isEmpty()) {
            const QStringList chosen = m_prompter.fileDialog(
                {mode == 1 ? FileDialogKind::Open : FileDialogKind::Save,
                 mode == 1 ? QStringLiteral("Bitte Parameterdatei auswählen:") : QStringLiteral("Bitte Dateinamen angeben:"),
                 m_state.folders.dataDir(), QString(), QStringLiteral("Einstellungen|*.def"), 1, QStringLiteral("def")});
            if (chosen.isEmpty())
                return;
            name = chosen.first();
        }
        if (!checkExtension(name))
            return;
        const QString path = AppFolders::findCaseInsensitive(name);
        if (mode == 1) {
            result = readInto(TextFile::readLines(path), m_state.settings, &m_state.scriptGroupFile);
        } else if (mode == 2) {
            write(path, name, m_state.settings);
            result = name;
        }
    });
    return result;
}

void ParameterSet::write(const QString& path, const QString& name, const KundeSettings& values)
{
    TextFile::writeLinesAtomic(path, lines(values, m_state.scriptGroupFile));
    m_prompter.information(QStringLiteral("Einstellungen in\r\r") + name + QStringLiteral("\r\rgesichert."));
}

QString ParameterSet::save(const QString& file, const KundeSettings& values)
{
    QString result;
    guarded(m_errors, "ParameterInOut", 2, file, [&] {
        if (!checkExtension(file))
            return;
        write(AppFolders::findCaseInsensitive(file), file, values);
        result = file;
    });
    return result;
}

QStringList ParameterSet::availableSets() const
{
    const QDir dir(m_state.folders.dataDir());
    QStringList names = dir.entryList({QStringLiteral("*.def"), QStringLiteral("*.DEF")}, QDir::Files, QDir::Name);
    names.removeDuplicates();
    return names.mid(0, 10);
}

} // namespace tarvex
