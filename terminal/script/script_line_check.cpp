#include "terminal/script/script_line_check.h"

#include "shared/app_folders.h"
#include "shared/cp1252.h"
#include "shared/number_text.h"
#include "shared/platform/clock.h"
#include "shared/platform/shell.h"
#include "terminal/core/character_info.h"
#include "terminal/core/terminal_context.h"
#include "terminal/core/terminal_state.h"
#include "terminal/script/placeholders.h"
#include "terminal/script/script_commands.h"
#include "terminal/script/script_expansion.h"
#include "terminal/script/script_host.h"
#include "terminal/script/scriptablauf.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace tarvex {

namespace {

const QString kSeparator = QStringLiteral("<>");

QString number(double v)
{
    return QString::number(v, 'g', 15);
}

// A piece of the operator's text inside a hint, kept short.
QString quoted(const QString& text)
{
    constexpr int kHintPiece = 40;
    return QLatin1Char('"') + (text.size() > kHintPiece ? text.left(kHintPiece) + QStringLiteral("…") : text)
           + QLatin1Char('"');
}

bool startsWithNumber(QStringView text)
{
    static const QRegularExpression kNumber(QStringLiteral("^[ \\t]*[+-]?(\\d|\\.\\d)"));
    return kNumber.match(text.left(64).toString()).hasMatch();
}

// What a number argument reads as when it is missing or no number.
void numberHint(QStringList& hints, const QString& what, const QString& text)
{
    if (text.trimmed().isEmpty())
        hints << what + QStringLiteral(" fehlt; es gilt 0.");
    else if (!startsWithNumber(text))
        hints << what + QLatin1Char(' ') + quoted(text.trimmed()) + QStringLiteral(" ist keine Zahl; es gilt 0.");
}

} // namespace

// The line as the test sees it.
struct ScriptLineCheck::Parts
{
    QString original; // as written in the editor
    QString line;     // with its placeholders replaced, as a run recognises it
    QStringList scriptLines;
    QStringList hints;

    QString arg(int position) const { return line.mid(position - 1); }
    QString x() const { return arg(6).trimmed(); }
    // The placeholder digit at position 6 (a non-digit counts as 0), with a hint when the
    // number is not one digit followed by a blank.
    int placeholder()
    {
        const QString digit = line.mid(5, 1);
        const int ph = Placeholders::index(digit);
        if (digit.isEmpty() || !digit.front().isDigit())
            hints << QStringLiteral("An Stelle 6 steht keine Platzhalternummer 0 bis 9; es gilt Platzhalter 0.");
        else if (line.size() > 6 && line.at(6) != QLatin1Char(' '))
            hints << QStringLiteral("Platzhalter gibt es nur von 0 bis 9: gelesen wird die Ziffer ") + digit
                         + QStringLiteral(" an Stelle 6, die nächste Angabe ab Stelle 8.");
        return ph;
    }
    // The digit y at position 8.
    int digitAt8()
    {
        const QString digit = line.mid(7, 1);
        if (digit.isEmpty() || !digit.front().isDigit())
            hints << QStringLiteral("An Stelle 8 steht keine Ziffer für y; es gilt 0.");
        return leadingInt(digit);
    }
};

QString ScriptLineCheck::editorText(const QString& commands)
{
    QString text = commands;
    if (!text.endsWith(kSeparator))
        text += kSeparator;
    QStringList lines = text.split(kSeparator);
    // The text ends with the separator: the empty part behind it is no line.
    lines.removeLast();
    return lines.join(QStringLiteral("\r\n"));
}

QString ScriptLineCheck::commandText(const QString& editorText)
{
    // Every line break of the editor ends a command line; the text behind the last one is
    // the last line.
    static const QRegularExpression kBreak(QStringLiteral("\r\n|\r|\n"));
    QString text = editorText.split(kBreak).join(kSeparator);
    if (text.endsWith(kSeparator))
        text.chop(kSeparator.size());
    return text;
}

QString ScriptLineCheck::keywordOf(QStringView line)
{
    const ScriptKeyword* k = ScriptCommands::find(line.left(4));
    return k ? QString::fromLatin1(k->keyword) : QString();
}

QStringList ScriptLineCheck::helpLines(QStringView line)
{
    const ScriptKeyword* k = ScriptCommands::find(line.left(4));
    if (!k)
        return {};
    const QString syntax = QString::fromUtf8(k->syntax);
    return {QStringLiteral("Befehl\t: ") + syntax.left(ScriptCommands::kSyntaxColumns).trimmed(),
            QStringLiteral("Bedeutung\t: ") + QString::fromUtf8(k->meaning),
            QStringLiteral("Erklärung\t: ") + syntax.mid(ScriptCommands::kSyntaxColumns)};
}

ScriptLineCheck::ScriptLineCheck(TerminalContext& context, ScriptHost& host) : m_ctx(context), m_host(host)
{
}

LineExplanation ScriptLineCheck::Testen(const QString& line, const QStringList& scriptLines)
{
    const LineExplanation e = explain(line, scriptLines);
    m_ctx.prompter.message(e.title, e.text, BoxButtons::Ok, e.icon);
    return e;
}

LineExplanation ScriptLineCheck::explain(const QString& line, const QStringList& scriptLines)
{
    Placeholders placeholders(m_ctx.state.settings.platzhalter);
    Parts p;
    p.original = line;
    // A run works on the script with its inclusions in place: labels are looked up there.
    const ScriptExpansion::Result expanded
        = ScriptExpansion::expand(scriptLines.join(kSeparator) + kSeparator, m_ctx.state.scripts);
    p.scriptLines = expanded.text.split(kSeparator);
    p.scriptLines.removeLast();

    for (qsizetype at = line.indexOf(QStringLiteral("PARE")); at >= 0;
         at = line.indexOf(QStringLiteral("PARE"), at + 4)) {
        const QString digit = line.mid(at + 5, 1);
        if (digit.isEmpty() || !digit.front().isDigit()) {
            p.hints << QStringLiteral("Hinter PARE steht an der 6. Stelle keine Ziffer 0 bis 9; eingesetzt wird "
                                      "Platzhalter 0.");
            break;
        }
    }

    LineExplanation e;
    const qsizetype scri = line.indexOf(QStringLiteral("SCRI "));
    if (scri >= 0) {
        // Inclusions are replaced before a run recognises anything else.
        const QString name = line.mid(scri + 5).trimmed();
        e.title = QStringLiteral("Information für Befehl SCRI");
        e.text = QStringLiteral("Alle Scriptbefehle vom Script ") + name
                 + QStringLiteral(" werden\rin dieses Script mit eingebunden.");
        if (name.isEmpty())
            p.hints << QStringLiteral("Der Scriptname fehlt; die Zeile entfällt beim Ablauf.");
        else if (!ScriptExpansion::index(m_ctx.state.scripts).contains(name))
            p.hints << QStringLiteral("Ein Script mit diesem Namen gibt es nicht; die Zeile entfällt beim Ablauf.");
        if (scri > 0)
            p.hints << QStringLiteral("SCRI steht nicht am Zeilenanfang: der Text davor bleibt stehen.");
    } else {
        p.line = placeholders.replacePare(line);
        const QString keyword = ScriptCommands::commandIn(p.line);
        if (!keyword.isEmpty()) {
            if (p.line.indexOf(keyword + QLatin1Char(' ')) > 0)
                p.hints << keyword
                               + QStringLiteral(" steht nicht am Zeilenanfang; die Angaben werden trotzdem ab "
                                                "Stelle 6 der Zeile gelesen.");
            e = command(keyword, p);
        } else {
            p.line = Scriptablauf::replaceDateTime(p.line, m_ctx.clock.now());
            const QString kind = ScriptCommands::sendingCommandIn(p.line);
            if (!kind.isEmpty()) {
                if (p.line.indexOf(kind) > 0)
                    p.hints << kind
                                   + QStringLiteral(" steht nicht am Zeilenanfang; die Angabe wird trotzdem ab "
                                                    "Stelle 6 der Zeile gelesen.");
                e = sending(kind, p);
            } else if (line.contains(QStringLiteral("DATE")) || line.contains(QStringLiteral("TIME"))
                       || line.contains(QStringLiteral("PARE"))) {
                e.title = QStringLiteral("Information");
                e.text = QStringLiteral("Originalbefehl\t: ") + line + QStringLiteral("\r\rTextfolge Senden\t: ")
                         + p.line;
            } else {
                e.title = QStringLiteral("Information");
                e.icon = BoxIcon::Exclamation;
                e.text = QStringLiteral("Kein Befehl/Platzhalter in der aktuellen Zeile.\r\rZeile: ") + line;
                const QString word = line.left(4);
                const bool followed = line.size() == 4 || line.mid(4, 1) == QLatin1String(" ");
                if (ScriptCommands::find(word) && line.size() == 4)
                    p.hints << word + QStringLiteral(" ohne Leerzeichen und Angabe ist kein Befehl; die Zeile wird "
                                                     "als Text gesendet.");
                else if (ScriptCommands::find(word.toUpper()) && followed)
                    p.hints << QStringLiteral("Befehle werden groß geschrieben (") + word.toUpper()
                                   + QStringLiteral("); so wird die Zeile als Text gesendet.");
                else if (followed && word.size() == 4 && word == word.toUpper()
                         && std::all_of(word.begin(), word.end(), [](QChar c) { return c.isLetter(); }))
                    p.hints << word + QStringLiteral(" ist kein Befehl; die Zeile wird als Text gesendet.");
            }
        }
    }

    if (e.text.size() > kShownCharacters) {
        e.text = e.text.left(kShownCharacters) + QStringLiteral(" …");
        p.hints << QStringLiteral("Die Zeile hat ") + QString::number(line.size())
                       + QStringLiteral(" Zeichen; gezeigt wird nur ihr Anfang.");
    }
    for (const QString& hint : std::as_const(p.hints))
        e.text += QStringLiteral("\r\rHinweis: ") + hint;
    return e;
}

LineExplanation ScriptLineCheck::command(const QString& keyword, Parts& p)
{
    KundeSettings& s = m_ctx.state.settings;
    Placeholders placeholders(s.platzhalter);
    const ScriptKeyword* k = ScriptCommands::find(keyword);
    LineExplanation e{QString::fromUtf8(k->testTitle), QString(), BoxIcon::Information};
    const QString x = p.x();

    if (keyword == QLatin1String("PAUS") || keyword == QLatin1String("WAIT")) {
        const bool seconds = keyword == QLatin1String("PAUS");
        numberHint(p.hints, seconds ? QStringLiteral("Die Sekundenzahl") : QStringLiteral("Die Millisekundenzahl"), x);
        e.text = QStringLiteral("Warte bis nächsten Befehl: ") + number(leadingNumber(x))
                 + (seconds ? QStringLiteral(" Sekunde(n)...") : QStringLiteral(" Millisekunde(n)..."));
    } else if (keyword == QLatin1String("MARK")) {
        e.text = QStringLiteral("Sprungmarke für andere Befehle: ") + x;
        if (x.isEmpty())
            p.hints << QStringLiteral("Der Name der Sprungmarke fehlt.");
    } else if (keyword == QLatin1String("ECHO")) {
        numberHint(p.hints, QStringLiteral("Die Angabe 0 oder 1"), x);
        e.text = leadingNumber(x) > 0 ? QStringLiteral("Echo unterdrücken wird aktiviert.")
                                      : QStringLiteral("Echo unterdrücken wird deaktiviert.");
    } else if (keyword == QLatin1String("LOAD")) {
        e.text = QStringLiteral("Lade und sende Textdatei: ") + x;
        if (x.isEmpty())
            p.hints << QStringLiteral("Der Dateiname fehlt; beim Ablauf wird nichts gesendet.");
        else if (!QFileInfo(AppFolders::findCaseInsensitive(x)).isFile())
            p.hints << QStringLiteral("Die Datei gibt es nicht; beim Ablauf wird nichts gesendet.");
    } else if (keyword == QLatin1String("PARA")) {
        const int ph = p.placeholder();
        const QString question = p.arg(8).trimmed();
        if (question.isEmpty())
            p.hints << QStringLiteral("Die Frage fehlt.");
        const std::optional<QString> answer = m_ctx.prompter.input(
            {QStringLiteral("Script-Abfrage (Platzhalter ") + QString::number(ph) + QLatin1Char(')'), question,
             placeholders.value(ph)});
        if (answer)
            placeholders.setValue(ph, *answer);
        else
            p.hints << QStringLiteral("Die Abfrage wurde abgebrochen; der Wert bleibt unverändert.");
        e.text = QStringLiteral("Ergebniss in PARE ") + QString::number(ph) + QStringLiteral(": ")
                 + placeholders.value(ph);
    } else if (keyword == QLatin1String("PRNT")) {
        e.text = QStringLiteral("Ausdruck erfolgt (") + x + QLatin1Char(')');
        const QString text = m_host.displayText();
        if (leadingInt(x) == 1)
            p.hints << QStringLiteral("Beim Test gibt es keinen Scriptstart: gedruckt wird die ganze Anzeige.");
        m_host.printLines(Scriptablauf::printout(text, m_ctx.clock.now()));
    } else if (keyword == QLatin1String("INFO")) {
        e.text = QStringLiteral("User wird informiert (") + x + QLatin1Char(')');
        if (x.isEmpty())
            p.hints << QStringLiteral("Der Text fehlt; der Hinweis beim Ablauf bleibt leer.");
    } else if (keyword == QLatin1String("SAVT") || keyword == QLatin1String("SAVR")) {
        e.text = (keyword == QLatin1String("SAVT") ? QStringLiteral("Sichere Anzeige als Textdatei (txt): ")
                                                   : QStringLiteral("Sichere Anzeige als RichText-Datei (rtf): "))
                 + Scriptablauf::savePath(x, m_ctx.clock.now());
        if (x.isEmpty())
            p.hints << QStringLiteral("Der Dateiname fehlt; die Anzeige kann nicht gesichert werden.");
    } else if (keyword == QLatin1String("IFPE") || keyword == QLatin1String("IFPV")) {
        e = jumpCondition(keyword, p);
        e.title = QString::fromUtf8(k->testTitle);
    } else if (keyword == QLatin1String("MODW")) {
        e.text = QStringLiteral("Anwahl einer Modemverbindung (5 Sek. warten!). \r\rModemanwahlparameter: ")
                 + s.modemAnwahl + x;
        if (x.isEmpty())
            p.hints << QStringLiteral("Die Rufnummer fehlt.");
    } else if (keyword == QLatin1String("MODT")) {
        e.text = QStringLiteral("Aktive Modemverbindung auftrennen (2 Sek. warten).\r\rModemabwahlparameter: ")
                 + s.modemTrennen;
    } else if (keyword == QLatin1String("PARZ")) {
        numberHint(p.hints, QStringLiteral("Die Platzhalternummer"), x);
        e.text = placeholders.overviewText(leadingInt(x));
    } else if (keyword == QLatin1String("GOTO")) {
        e.text = QStringLiteral("Direkter Sprung nach MARK ") + x;
        p.hints << markHint(x, p.scriptLines);
    } else if (keyword == QLatin1String("EXIT")) {
        e.text = QStringLiteral("Script wird beendet mit/ohne Infotext.\r\rInfotext: ") + x;
    } else if (keyword == QLatin1String("CLRB")) {
        const QString digit = p.arg(6).left(1);
        e.text = QStringLiteral("Aktuelle Anzeige wird gelöscht (") + digit + QStringLiteral("): ")
                 + (leadingInt(x) == 0 ? QStringLiteral("die ganze Anzeige.")
                                       : QStringLiteral("von der Einfügemarke bis zum Ende."));
        numberHint(p.hints, QStringLiteral("Die Angabe 0 oder 1"), x);
    } else if (keyword == QLatin1String("PARW")) {
        const int ph = p.placeholder();
        const QString v = p.arg(8).trimmed();
        placeholders.setValue(ph, v);
        e.text = QStringLiteral("Platzhalter PARE ") + QString::number(ph) + QStringLiteral(" neuen Wert (") + v
                 + QStringLiteral(") zuweisen.");
        if (v.isEmpty())
            p.hints << QStringLiteral("Der Wert fehlt: der Platzhalter wird geleert.");
    } else if (keyword == QLatin1String("VERT") || keyword == QLatin1String("VERA")
               || keyword == QLatin1String("VERR")) {
        const int digit = leadingInt(p.arg(6).left(1));
        const QString how = digit == 1 ? QStringLiteral(" nach Abfrage.") : QStringLiteral(" sofort.");
        if (keyword == QLatin1String("VERT"))
            e.text = QStringLiteral("Serielle Verbindung wird getrennt (") + QString::number(digit)
                     + QLatin1Char(')') + how;
        else if (keyword == QLatin1String("VERA"))
            e.text = QStringLiteral("Serielle Verbindung wird aktiviert, wenn sie nicht aktiv ist (")
                     + QString::number(digit) + QLatin1Char(')') + how;
        else
            e.text = QStringLiteral("Serielle Verbindung wird getrennt und neu aktiviert (") + QString::number(digit)
                     + QLatin1Char(')') + how;
    } else if (keyword == QLatin1String("PADD") || keyword == QLatin1String("PSUB")
               || keyword == QLatin1String("PMUL") || keyword == QLatin1String("PDIV")) {
        e.text = arithmetic(keyword, p).text;
    } else if (keyword == QLatin1String("WAVE")) {
        const QString path = AppFolders::findCaseInsensitive(x);
        const bool exists = !x.isEmpty() && QFileInfo(path).isFile();
        e.text = QStringLiteral("Spiele Sounddatei ab: ") + x + QStringLiteral("\r\rDatei ok? ")
                 + (exists ? QStringLiteral("Ja") : QStringLiteral("Nein"));
        if (exists)
            m_host.playSound(path);
        else if (x.isEmpty())
            p.hints << QStringLiteral("Der Dateiname fehlt.");
    } else if (keyword == QLatin1String("PROG")) {
        e = program(p);
    }
    return e;
}

LineExplanation ScriptLineCheck::arithmetic(const QString& keyword, Parts& p)
{
    Placeholders placeholders(m_ctx.state.settings.platzhalter);
    static const std::pair<const char*, Placeholders::Op> kOps[] = {
        {"PADD", Placeholders::Op::Add}, {"PSUB", Placeholders::Op::Sub},
        {"PMUL", Placeholders::Op::Mul}, {"PDIV", Placeholders::Op::Div}};
    static const char* const kVerbs[] = {" addieren: ", " subtrahieren: ", " multiplizieren: ", " dividieren: "};
    int which = 0;
    while (keyword != QLatin1String(kOps[which].first))
        ++which;
    const Placeholders::Op op = kOps[which].second;

    const int ph = p.placeholder();
    const QString operand = p.arg(8).trimmed();
    numberHint(p.hints, QStringLiteral("Die Zahl y"), operand);
    const QString old = placeholders.value(ph);
    const qint64 y = Placeholders::numberOf(operand);
    QString text = QStringLiteral("Parameter ") + QString::number(ph) + QString::fromUtf8(kVerbs[which]) + old
                   + QLatin1Char(' ') + Placeholders::opSign(op) + QLatin1Char(' ') + QString::number(y);
    if (op == Placeholders::Op::Div && y <= 0) {
        text += QStringLiteral("\r\rGeteilt wird nur durch Zahlen größer 0: der Wert bleibt unverändert.");
    } else if (const std::optional<QString> result = placeholders.compute(ph, op, operand)) {
        placeholders.setValue(ph, *result);
        text += QStringLiteral(" = ") + *result;
    } else {
        text += QStringLiteral("\r\rÜberlauf: der Wert bleibt unverändert!");
    }
    return {QString(), text, BoxIcon::Information};
}

LineExplanation ScriptLineCheck::jumpCondition(const QString& keyword, Parts& p)
{
    Placeholders placeholders(m_ctx.state.settings.platzhalter);
    const int ph = p.placeholder();
    const int y = p.digitAt8();
    const QString value = placeholders.value(ph);
    const QString noJump = QStringLiteral("Falsch => weiter mit der nächsten Zeile");
    LineExplanation e;
    if (keyword == QLatin1String("IFPE")) {
        const QString label = p.arg(10).trimmed();
        const bool holds = placeholders.emptinessHolds(ph, y);
        e.text = (y != 0 ? QStringLiteral("Bedingung: Inhalt von PARE ") + QString::number(ph)
                               + QStringLiteral(" muss mind. 1 Zeichen haben.\r\r")
                         : QStringLiteral("Bedingung: Inhalt von PARE ") + QString::number(ph)
                               + QStringLiteral(" darf keine Zeichen haben.\r\r"))
                 + QStringLiteral("Inhalt von PARE ") + QString::number(ph) + QStringLiteral(": ") + value
                 + QStringLiteral("\r\rErgebniss Prüfung: ")
                 + (holds ? QStringLiteral("Wahr => Sprung zur Sprungmarke MARK ") + label : noJump);
        if (label.isEmpty())
            p.hints << QStringLiteral("Die Sprungmarke z fehlt.");
        else if (holds)
            p.hints << markHint(label, p.scriptLines);
        return e;
    }
    QString label;
    QString w;
    const bool complete = Placeholders::splitLabelNumber(p.arg(10), &label, &w);
    static const char* const kRelations[] = {" = ", " > ", " < ", nullptr, " <> "};
    const char* relation = y >= 0 && y <= 4 ? kRelations[y] : nullptr;
    const bool holds = complete && placeholders.comparisonHolds(ph, y, w);
    const qint64 pv = Placeholders::numberOf(value);
    const qint64 wv = Placeholders::numberOf(w);
    e.text = QStringLiteral("Vergleiche Parameter ") + QString::number(ph) + QStringLiteral(" mit Wert ")
             + QString::number(wv) + QStringLiteral("\r\rErgebniss: ")
             + (holds ? QStringLiteral("Wahr => Sprung zur Sprungmarke MARK ") + label : noJump);
    if (relation)
        e.text += QStringLiteral("\r(") + QString::number(pv) + QString::fromLatin1(relation) + QString::number(wv)
                  + QLatin1Char(')');
    if (!complete)
        p.hints << QStringLiteral("Ab Stelle 10 müssen Sprungmarke und Vergleichswert durch ein Leerzeichen getrennt "
                                  "stehen; so gilt die Bedingung nie.");
    else if (!relation)
        p.hints << QStringLiteral("Die Vergleichsart ") + QString::number(y)
                       + QStringLiteral(" gibt es nicht (0 gleich, 1 größer, 2 kleiner, 4 ungleich); so gilt die "
                                        "Bedingung nie.");
    else if (holds)
        p.hints << markHint(label, p.scriptLines);
    return e;
}

LineExplanation ScriptLineCheck::program(Parts& p)
{
    Placeholders placeholders(m_ctx.state.settings.platzhalter);
    const int ph = p.placeholder();
    p.digitAt8();
    const QString path = p.arg(10);
    if (!Scriptablauf::startProgram(m_ctx.shell, placeholders, p.line)) {
        if (path.isEmpty())
            p.hints << QStringLiteral("Der Programmpfad ab Stelle 10 fehlt.");
        return {QStringLiteral("Sicherheitshinweis"), QStringLiteral("Externes Programm nicht gefunden: \r\r=> ") + path,
                BoxIcon::Exclamation};
    }
    return {QStringLiteral("Information für den Befehl PROG x y z"),
            QStringLiteral("Externes Programm wird gestartet: \r\r=> ") + path + QStringLiteral("\r\rÜbergabe (PARE ")
                + QString::number(ph) + QStringLiteral("): ") + placeholders.value(ph).trimmed(),
            BoxIcon::Information};
}

LineExplanation ScriptLineCheck::sending(const QString& kind, Parts& p)
{
    const ScriptKeyword* k = ScriptCommands::find(kind);
    LineExplanation e{QString::fromUtf8(k->testTitle), QString(), BoxIcon::Information};
    const QString a = p.arg(6);
    if (kind == QLatin1String("CTRL")) {
        const QString upper = a.toUpper();
        if (upper.isEmpty()) {
            e.text = QStringLiteral("Tastenkombination <Ctrl+> wird gesendet.");
            p.hints << QStringLiteral("Der Buchstabe fehlt; es wird nichts gesendet.");
        } else {
            const QChar letter = upper.front();
            e.text = QStringLiteral("Tastenkombination <Ctrl+") + letter + QStringLiteral("> wird gesendet.");
            const int code = letter.unicode() - 64;
            if (code < 0 || code > 31)
                p.hints << QStringLiteral("Das Zeichen ") + quoted(QString(letter))
                               + QStringLiteral(" ergibt keinen Steuercode; gesendet würde der Code ")
                               + QString::number(code & 0xFF) + QLatin1Char('.');
        }
    } else if (kind == QLatin1String("ASCI")) {
        numberHint(p.hints, QStringLiteral("Der Zeichencode"), a);
        const int value = leadingInt(a);
        const int code = value & 0xFF;
        if (value != code)
            p.hints << QStringLiteral("Zeichencodes gehen von 0 bis 255; gesendet würde der Code ")
                           + QString::number(code) + QLatin1Char('.');
        QString shown = CharacterInfo::Steuerzeichen(code, m_ctx.state.controlCharList);
        if (shown.isEmpty())
            shown = Cp1252::decode(QByteArray(1, char(code)));
        e.text = QStringLiteral("Senden direkt ein ASCII-Zeichen: ") + QString::number(code)
                 + QStringLiteral(" (entspricht: ") + shown + QLatin1Char(')');
    } else {
        // Cut as a run cuts it: every blank ends a code, so two blanks give a code 0.
        const QString codes = a.trimmed();
        const QStringList parts = (codes + QLatin1Char(' ')).split(QLatin1Char(' '));
        const qsizetype count = parts.size() - 1;
        for (qsizetype i = 0; i < count; ++i) {
            if (!startsWithNumber(parts.at(i))) {
                p.hints << (codes.isEmpty() ? QStringLiteral("Die Zeichencodes fehlen")
                                            : QStringLiteral("Nicht jede Angabe ist eine Zahl (Leerzeichen doppelt?)"))
                               + QStringLiteral("; dafür wird der Code 0 gesendet.");
                break;
            }
        }
        e.text = QStringLiteral("Sende direkt eine ASCII-Folge: ") + codes + QStringLiteral(" (Anzahl Zeichen: ")
                 + QString::number(count) + QLatin1Char(')');
    }
    return e;
}

QString ScriptLineCheck::markHint(const QString& label, const QStringList& scriptLines) const
{
    if (ScriptCommands::markIndex(scriptLines, label) >= 0)
        return QStringLiteral("Die Sprungmarke MARK ") + label.trimmed() + QStringLiteral(" steht im Script.");
    return QStringLiteral("Die Sprungmarke MARK ") + label.trimmed()
           + QStringLiteral(" gibt es im Script nicht; beim Ablauf geht es mit der nächsten Zeile weiter.");
}

} // namespace tarvex
