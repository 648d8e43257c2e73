#include "terminal/display/ui/display_actions.h"

#include "shared/ui/widget_helpers.h"

#include "shared/app_folders.h"
#include "shared/platform/clock.h"
#include "shared/platform/prompter.h"
#include "shared/text_file.h"
#include "terminal/display/rtf_writer.h"
#include "terminal/display/ui/display_view.h"
#include "terminal/core/terminal_context.h"
#include "terminal/core/terminal_state.h"
#include "terminal/core/view_roles.h"
#include "terminal/platform/qt_printer.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPointer>

#include <new>

#include <QTreeWidget>

namespace tarvex {

namespace {

const QString kSaveTitle = QStringLiteral("Bitte Dateinamen angeben:");
const QString kFilterText = QStringLiteral("Textdatei|*.txt|Alle Dateitypen|*.*");
const QString kFilterRich = QStringLiteral("Textdatei|*.txt|RichText|*.rtf|Alle Dateitypen|*.*");
constexpr qsizetype kListCopyLimit = 60000;

RtfWriter::Color rtfColor(const QColor& c)
{
    return RtfWriter::Color{c.red(), c.green(), c.blue()};
}

} // namespace

DisplayActions::DisplayActions(TerminalContext& context, DisplayView* display, QObject* parent)
    : QObject(parent), m_ctx(context), m_display(display)
{
    registerFunctions();
}

DisplayActions::~DisplayActions() = default;

void DisplayActions::registerFunctions()
{
    // The function table outlives the window; an action whose window is gone does nothing.
    const auto add = [this](int number, void (*action)(DisplayActions&)) {
        m_ctx.functions.add(number, [self = QPointer<DisplayActions>(this), action] {
            if (self)
                action(*self);
        });
    };
    add(140, [](DisplayActions& d) { d.Anzeige(13); });
    add(141, [](DisplayActions& d) { d.testPrint(); });
    add(142, [](DisplayActions& d) { d.printerInformation(QStringLiteral("Druckerinformation")); });
    add(146, [](DisplayActions& d) { d.showInEditor(); });
    add(160, [](DisplayActions& d) { d.showInEditor(); });
    add(156, [](DisplayActions& d) { d.Anzeige(11); });
    add(157, [](DisplayActions& d) { d.clearDisplay(); });
    add(165, [](DisplayActions& d) { d.Anzeige(12); });
    add(166, [](DisplayActions& d) { d.Anzeige(22); });
}

Printer& DisplayActions::printer()
{
    if (m_printer)
        return *m_printer;
    if (!m_systemPrinter)
        m_systemPrinter = std::make_unique<QtPrinter>();
    return *m_systemPrinter;
}

PrintFont DisplayActions::printFont() const
{
    const KundeSettings& s = m_ctx.state.settings;
    return PrintFont{s.druckSchrift.isEmpty() ? QStringLiteral("Arial") : s.druckSchrift,
                     s.druckGroesse > 0 ? s.druckGroesse : 10};
}

PrintLayout DisplayActions::layout(const QString& title, const QString& options)
{
    Printer& p = printer();
    const PrintFont font = printFont();
    PrintLayout l(p.metrics(font), PrintLayout::Options::parse(options),
                  [&p, font](const QString& text, bool bold) { return p.textWidth(text, font, bold); });
    l.setTitle(title, TerminalState::kTitle);
    l.setPrintedAt(m_ctx.clock.now());
    return l;
}

QStringList DisplayActions::displayLines() const
{
    return TextFile::splitLines(m_display->toPlainText());
}

QByteArray DisplayActions::displayRtf() const
{
    const QPalette palette = m_display->palette();
    const RtfWriter::Color text = rtfColor(palette.color(QPalette::Text));
    const QColor base = palette.color(QPalette::Base);
    std::optional<RtfWriter::Color> pageColor;
    if (base != QColor(Qt::white))
        pageColor = rtfColor(base);
    const QFont font = m_display->font();
    RtfWriter::Run plain;
    plain.fontName = font.family();
    plain.pointSize = font.pointSize() > 0 ? font.pointSize() : 10;
    plain.color = text;
    plain.background = pageColor;
    plain.bold = font.bold();
    plain.italic = font.italic();
    plain.underline = font.underline();
    const auto styled = [&pageColor](const TextStyle& style) {
        RtfWriter::Run run;
        run.fontName = style.fontName;
        run.pointSize = style.fontSize > 0 ? style.fontSize : 10;
        run.color = RtfWriter::Color{style.red, style.green, style.blue};
        run.background = pageColor;
        run.bold = style.bold;
        run.italic = style.italic;
        run.underline = style.underline;
        return run;
    };

    // Each line is its stretches of plain and styled text, one paragraph.
    RtfWriter rtf;
    const DisplayLines& lines = m_display->lines();
    for (int i = 0; i < lines.count(); ++i) {
        const DisplayLine& line = lines.at(i);
        int at = 0;
        const auto addPlain = [&](int upTo) {
            if (upTo > at) {
                plain.text = line.text.mid(at, upTo - at);
                rtf.add(plain);
            }
        };
        for (const DisplayRun& run : line.runs) {
            addPlain(run.start);
            RtfWriter::Run part = styled(run.style);
            part.text = line.text.mid(run.start, run.length);
            rtf.add(part);
            at = run.start + run.length;
        }
        addPlain(int(line.text.size()));
        if (i + 1 < lines.count())
            rtf.endParagraph();
    }
    return rtf.document();
}

void DisplayActions::Anzeige(int mode)
{
    switch (mode) {
    case 11:
        guarded(m_ctx.errors, "Anzeige", mode, QString(), [&] {
            copyText(m_display->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
        });
        break;
    case 12:
    case 22:
        save(mode, QStringList(), true, mode == 22);
        break;
    case 13:
        guarded(m_ctx.errors, "Anzeige", mode, QStringLiteral("Monitorausdruck"), [&] {
            if (!askPrint())
                return;
            printLines(QStringLiteral("Monitorausdruck"), displayLines());
        });
        break;
    default:
        break;
    }
}

void DisplayActions::Anzeige(int mode, const QStringList& lines)
{
    switch (mode) {
    case 1:
        guarded(m_ctx.errors, "Anzeige", mode, QString(), [&] {
            // The list is cut once the text has grown past the limit.
            QString text;
            for (const QString& line : lines) {
                text += line + QStringLiteral("\r\n");
                if (text.size() > kListCopyLimit)
                    break;
            }
            copyText(text);
        });
        break;
    case 2:
    case 32:
        save(mode, lines, mode == 32, false);
        break;
    default:
        break;
    }
}

void DisplayActions::copyText(const QString& text)
{
    Prompter& prompter = m_ctx.prompter;
    QClipboard* clipboard = QGuiApplication::clipboard();
    try {
        clipboard->setText(text);
    } catch (const std::bad_alloc&) {
        prompter.message(QStringLiteral("Sicherheitshinweis"),
                         QStringLiteral("Speicherreservierung für Zwischenablage  nicht möglich!"), BoxButtons::Ok,
                         BoxIcon::Exclamation);
        return;
    }
    // The clipboard reports no errors of its own: it holds the text or it was not taken.
    if (clipboard->text() != text) {
        prompter.message(QStringLiteral("Sicherheitshinweis"),
                         QStringLiteral("Zwischenablage nicht geöffnet!\rFehlermeldung: ")
                             + QString::number(ErrorCode::DeviceIo),
                         BoxButtons::Ok, BoxIcon::Exclamation);
        return;
    }
    m_ctx.view.setStatusText(1, QStringLiteral("     Daten in Zwischenablage kopiert."));
    prompter.information(QStringLiteral("Inhalt der Datenanzeige in die Zwischenablage\r(Clipboard) kopiert."));
}

QString DisplayActions::confirmSaveFile(bool richTextOffered, bool richTextFirst)
{
    Prompter& prompter = m_ctx.prompter;
    FileDialogRequest request;
    request.kind = FileDialogKind::Save;
    request.title = kSaveTitle;
    request.startDir = AppFolders::findCaseInsensitive(m_ctx.state.folders.anzeigeDir());
    request.filter = richTextOffered ? kFilterRich : kFilterText;
    request.filterIndex = richTextOffered && richTextFirst ? 2 : 1;
    request.defaultExtension = richTextOffered && richTextFirst ? QStringLiteral("rtf") : QStringLiteral("txt");
    const QStringList chosen = prompter.fileDialog(request);
    if (chosen.isEmpty() || chosen.first().isEmpty())
        return QString();
    const QString file = chosen.first();
    if (!prompter.ask(QStringLiteral("Soll die Anzeige in die Datei\r\r") + file + QStringLiteral("\r\rgesichert werden?")))
        return QString();
    return file;
}

void DisplayActions::save(int mode, const QStringList& lines, bool richTextOffered, bool richTextFirst)
{
    QString file;
    guarded(m_ctx.errors, "Anzeige", mode, file, [&] {
        file = confirmSaveFile(richTextOffered, richTextFirst);
        if (file.isEmpty())
            return;
        const bool fromDisplay = mode == 12 || mode == 22;
        const bool rich = richTextOffered && file.endsWith(QStringLiteral(".rtf"), Qt::CaseInsensitive);
        if (rich && fromDisplay) {
            TextFile::writeBytesAtomic(file, displayRtf());
        } else if (rich) {
            RtfWriter rtf;
            for (const QString& line : lines) {
                rtf.add(RtfWriter::Run{line});
                rtf.endParagraph();
            }
            TextFile::writeBytesAtomic(file, rtf.document());
        } else {
            TextFile::writeLinesAtomic(file, fromDisplay ? displayLines() : lines);
        }
    });
}

bool DisplayActions::askPrint()
{
    return m_ctx.prompter.ask(QStringLiteral("Soll die aktuelle Anzeige ausgedruckt werden?!"));
}

void DisplayActions::printLines(const QString& title, const QStringList& lines, const QString& options)
{
    guarded(m_ctx.errors, "Anzeige", 13, title, [&] {
        const PrintLayout l = layout(title, options);
        m_ctx.view.setBusyCursor(true);
        printer().print(PrintJob{title, printFont(), l.textPages(lines)});
        m_ctx.view.setBusyCursor(false);
    });
}

void DisplayActions::printPlain(const QStringList& lines)
{
    printLines(TerminalState::kTitle, lines, QStringLiteral("000000000"));
}

void DisplayActions::printTable(const QString& title, const QList<PrintColumn>& columns,
                                const QList<QStringList>& rows, const QString& options)
{
    guarded(m_ctx.errors, "Anzeige", 3, title, [&] {
        if (!askPrint())
            return;
        const PrintLayout l = layout(title, options);
        m_ctx.view.setBusyCursor(true);
        printer().print(PrintJob{title, printFont(), l.tablePages(columns, rows)});
        m_ctx.view.setBusyCursor(false);
    });
}

void DisplayActions::printList(const QString& title, const QTreeWidget* list)
{
    QList<PrintColumn> columns;
    const QTreeWidgetItem* header = list->headerItem();
    for (int c = 0; c < list->columnCount(); ++c)
        columns.append({header->text(c), PrintAlign::Left});
    printTable(title, columns, WidgetHelpers::rowTexts(list));
}

bool DisplayActions::printerInformation(const QString& title)
{
    return guarded(m_ctx.errors, "Anzeige", 0, title, [&] {
        const PrinterMetrics m = printer().metrics(printFont());
        m_ctx.prompter.message(
            title, PrintLayout::informationText(m, PrintLayout::Options::parse(PrintLayout::kDefaultOptions)),
            BoxButtons::Ok, BoxIcon::Information);
    });
}

void DisplayActions::testPrint()
{
    const QString title = QStringLiteral("Testausdruck");
    if (!printerInformation(title))
        return;
    guarded(m_ctx.errors, "Anzeige", 0, title, [&] {
        const PrinterMetrics m = printer().metrics(printFont());
        const QString info = PrintLayout::informationText(m, PrintLayout::Options::parse(PrintLayout::kDefaultOptions));
        QStringList lines{title + QStringLiteral(" von ") + TerminalState::kTitle + QLatin1Char(' ')
                              + TerminalState::kVersion,
                          QString(), QStringLiteral("Schrift: ") + printFont().family + QLatin1Char(' ')
                              + QString::number(printFont().pointSize),
                          QString()};
        lines += info.split(QLatin1Char('\r'));
        const PrintLayout l = layout(title, PrintLayout::kDefaultOptions);
        printer().print(PrintJob{title, printFont(), l.textPages(lines)});
    });
}

void DisplayActions::clearDisplay()
{
    if (m_ctx.prompter.ask(QStringLiteral("Soll die aktuelle Anzeige gelöscht werden?!"), 2))
        m_display->clear();
}

void DisplayActions::showInEditor()
{
    const QString file = m_ctx.state.folders.anzeigeDir() + QStringLiteral("editor.txt");
    guarded(m_ctx.errors, "frm1_cmdMonitor_Click", 0, file, [&] {
        TextFile::writeLinesAtomic(file, displayLines());
        m_ctx.programs.startEditor(file);
    });
    if (m_ctx.state.connectionActive)
        m_display->setFocus();
}

} // namespace tarvex
