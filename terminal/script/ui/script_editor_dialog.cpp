#include "terminal/script/ui/script_editor_dialog.h"

#include "shared/app_folders.h"
#include "shared/platform/prompter.h"
#include "shared/text_file.h"
#include "shared/ui/widget_helpers.h"
#include "terminal/core/terminal_context.h"
#include "terminal/core/terminal_state.h"
#include "terminal/display/ui/display_actions.h"
#include "terminal/script/placeholders.h"
#include "terminal/script/script_commands.h"
#include "terminal/script/script_text_file.h"
#include "terminal/script/ui/script_highlighter.h"
#include "terminal/tools/ui/export_buttons.h"
#include "terminal/core/help_keywords.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QTextBlock>
#include <QToolBar>
#include <QVBoxLayout>

#include <functional>

namespace tarvex {

using WidgetHelpers::named;

namespace {

QFont scriptFont()
{
    QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setPointSize(10);
    return f;
}

} // namespace

ScriptEditorDialog::ScriptEditorDialog(TerminalContext& context, DisplayActions& display, ScriptHost& host,
                                       const QString& name, const QString& commandText, QWidget* parent)
    : QDialog(parent), m_ctx(context), m_display(display), m_check(context, host)
{
    setObjectName(QStringLiteral("frm19"));
    setWindowTitle(QStringLiteral("Scripteditor"));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    buildToolBar();
    layout->setMenuBar(m_toolBar);

    m_caption = named(new QLabel(QStringLiteral("Script (") + name + QStringLiteral("):"), this), "frm19_lbl1");
    layout->addWidget(m_caption);

    auto* split = new QSplitter(Qt::Horizontal, this);
    m_script = named(new QPlainTextEdit(split), "frm19_rtfScript");
    m_script->setFont(scriptFont());
    // One command per line: long lines scroll instead of wrapping into seeming lines.
    m_script->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_highlighter = new ScriptHighlighter(m_script->document());
    m_script->setPlainText(ScriptLineCheck::editorText(commandText));

    m_reference = named(new QListWidget(split), "frm19_lbPlatzhalter");
    m_reference->setFont(scriptFont());
    m_reference->setToolTip(QStringLiteral("Doppelklick fügt den Befehl an der Cursorposition ein"));
    for (const ScriptKeyword* k : ScriptCommands::reference()) {
        auto* item = new QListWidgetItem(QString::fromUtf8(k->syntax), m_reference);
        item->setData(Qt::UserRole, ScriptCommands::referenceEntry(*k));
        item->setData(Qt::UserRole + 1, QString::fromLatin1(k->keyword));
        item->setToolTip(QString::fromUtf8(k->meaning));
    }
    connect(m_reference, &QListWidget::itemDoubleClicked, this, &ScriptEditorDialog::insertKeyword);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    layout->addWidget(split, 1);

    auto* status = new QHBoxLayout;
    m_lineStatus = named(new QLabel(this), "frm19_lbl5");
    m_position = named(new QLabel(this), "frm19_lblPosition");
    status->addWidget(m_lineStatus);
    status->addStretch(1);
    status->addWidget(m_position);
    layout->addLayout(status);

    m_helpBox = named(new QCheckBox(QStringLiteral("Hilfe zur aktuellen Befehlszeile"), this), "frm19_chkHilfe");
    m_help = named(new QPlainTextEdit(this), "frm19_rtfHilfe");
    m_help->setReadOnly(true);
    m_help->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_help->setTabStopDistance(QFontMetricsF(m_help->font()).horizontalAdvance(QLatin1Char('x')) * 12);
    m_help->setFixedHeight(QFontMetrics(m_help->font()).lineSpacing() * 4 + 12);
    layout->addWidget(m_helpBox);
    layout->addWidget(m_help);
    m_helpBox->setChecked(m_ctx.state.settings.dHilfe);
    m_help->setVisible(m_helpBox->isChecked());
    connect(m_helpBox, &QCheckBox::toggled, this, [this](bool on) {
        m_help->setVisible(on);
        showHelp();
    });

    auto* buttons = new QHBoxLayout;
    m_test = named(new QPushButton(this), "frm19_cmdTesten");
    m_test->setToolTip(QStringLiteral("Aktuelle Befehlszeile erklären und testen (ohne zu senden)"));
    auto* parz = named(new QPushButton(QStringLiteral("&Platzhalter"), this), "frm19_cmdInfoParz");
    parz->setToolTip(QStringLiteral("Inhalt der Platzhalter PARE 0 bis 9 zeigen"));
    auto* view = named(new QPushButton(QStringLiteral("&Ansehen"), this), "frm19_cmdAnsehen");
    view->setToolTip(QStringLiteral("Script im Editor ansehen"));
    auto* ok = named(new QPushButton(QStringLiteral("OK"), this), "frm19_cmdOK");
    auto* cancel = named(new QPushButton(QStringLiteral("Abbrechen"), this), "frm19_cmdAbbrechen");
    for (QPushButton* b : {m_test, parz, view, ok, cancel})
        b->setAutoDefault(false);
    connect(m_test, &QPushButton::clicked, this, &ScriptEditorDialog::test);
    connect(parz, &QPushButton::clicked, this, &ScriptEditorDialog::showPlaceholders);
    connect(view, &QPushButton::clicked, this, &ScriptEditorDialog::viewInEditor);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(m_test);
    buttons->addWidget(parz);
    buttons->addWidget(view);
    auto* exportButtons = new ExportButtons(m_ctx, QStringLiteral("frm19"), m_script, this);
    exportButtons->dropEdit();
    exportButtons->addTo(buttons);
    auto* info = named(new QPushButton(QStringLiteral("&Info"), this), "frm19_cmdInfo");
    info->setToolTip(QStringLiteral("Hilfe zu Scriptbefehlen und Platzhaltern"));
    info->setAutoDefault(false);
    connect(info, &QPushButton::clicked, this, [this] { m_ctx.help.open(HelpKeyword::ScriptBefehle); });
    buttons->addWidget(info);
    buttons->addWidget(WidgetHelpers::helpButton(this, QStringLiteral("frm19"), [this] { m_ctx.help.open(HelpKeyword::Scripteditor); }));
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(m_script, &QPlainTextEdit::cursorPositionChanged, this, &ScriptEditorDialog::cursorMoved);
    connect(m_script, &QPlainTextEdit::textChanged, this, &ScriptEditorDialog::cursorMoved);
    m_script->moveCursor(QTextCursor::Start);
    cursorMoved();
    resize(900, 560);
    if (parent)
        move(parent->window()->geometry().topLeft() + QPoint(40, 60));
    m_script->setFocus();
}

ScriptEditorDialog::~ScriptEditorDialog() = default;

std::optional<QString> ScriptEditorDialog::Scripteditor(TerminalContext& context, DisplayActions& display,
                                                        ScriptHost& host, QWidget* parent, const QString& name,
                                                        const QString& commandText)
{
    // Modeless: the windows behind stay usable while the editor waits for its answer.
    QPointer<ScriptEditorDialog> dialog = new ScriptEditorDialog(context, display, host, name, commandText, parent);
    QEventLoop loop;
    connect(dialog, &QDialog::finished, &loop, &QEventLoop::quit);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    loop.exec();
    if (!dialog)
        return std::nullopt;
    std::optional<QString> text;
    if (dialog->result() == QDialog::Accepted)
        text = dialog->commandText();
    delete dialog.data();
    return text;
}

void ScriptEditorDialog::buildToolBar()
{
    m_toolBar = named(new QToolBar(this), "frm19_tb1");
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const auto add = [this](const char* name, const QString& text, const QString& tip, QStyle::StandardPixmap icon,
                            const std::function<void()>& action) {
        QAction* a = m_toolBar->addAction(style()->standardIcon(icon), text);
        a->setObjectName(QString::fromUtf8(name));
        a->setToolTip(tip);
        connect(a, &QAction::triggered, this, action);
    };
    // "Neu" has no action of its own and is left out.
    add("frm19_tbLaden", QStringLiteral("Laden"), QStringLiteral("Parameter laden"), QStyle::SP_DialogOpenButton,
        [this] { load(); });
    add("frm19_tbSichern", QStringLiteral("Sichern"), QStringLiteral("Parameter sichern"), QStyle::SP_DialogSaveButton,
        [this] { m_display.Anzeige(2, lines()); });
    m_toolBar->addSeparator();
    add("frm19_tbDrucken", QStringLiteral("Drucken"), QStringLiteral("Anzeige ausdrucken"),
        QStyle::SP_FileDialogDetailedView, [this] { m_display.printLines(QStringLiteral("Scriptausdruck"), lines()); });
    m_toolBar->addSeparator();
    add("frm19_tbKopieren", QStringLiteral("Kopieren"), QStringLiteral("Anzeige in ZW kopieren"),
        QStyle::SP_FileDialogContentsView, [this] { m_display.Anzeige(1, lines()); });
    add("frm19_tbLoeschen", QStringLiteral("Löschen"), QStringLiteral("Anzeige löschen"), QStyle::SP_TrashIcon,
        [this] { clearScript(); });
}

QString ScriptEditorDialog::commandText() const
{
    return ScriptLineCheck::commandText(m_script->toPlainText());
}

int ScriptEditorDialog::currentLine() const
{
    return m_script->textCursor().blockNumber() + 1;
}

QString ScriptEditorDialog::currentLineText() const
{
    return m_script->textCursor().block().text();
}

QStringList ScriptEditorDialog::lines() const
{
    return m_script->toPlainText().split(QLatin1Char('\n'));
}

void ScriptEditorDialog::cursorMoved()
{
    const QTextCursor cursor = m_script->textCursor();
    const QTextBlock block = cursor.block();
    const int line = block.blockNumber() + 1;
    m_lineStatus->setText(QStringLiteral("Befehlszeile: ") + QString::number(line) + QStringLiteral("   Gesamt: ")
                          + QString::number(m_script->document()->blockCount()));
    m_test->setText(QStringLiteral("&Test (") + QString::number(line) + QLatin1Char(')'));
    m_position->setText(QStringLiteral("Return: ") + QString::number(block.position()) + QStringLiteral(" bis ")
                        + QString::number(block.position() + block.length() - 1) + QStringLiteral("  Cursor: ")
                        + QString::number(cursor.position()));
    m_highlighter->setCurrentLine(line - 1);
    showHelp();
}

void ScriptEditorDialog::showHelp()
{
    if (!m_helpBox->isChecked()) {
        m_help->clear();
        return;
    }
    // Only the line's first characters matter: a very long line is not copied.
    const QTextBlock block = m_script->textCursor().block();
    QString start;
    QTextDocument* doc = m_script->document();
    for (int i = 0; i < 4 && i < block.length() - 1; ++i)
        start += doc->characterAt(block.position() + i);
    const QString text = ScriptLineCheck::helpLines(start).join(QLatin1Char('\n'));
    if (m_help->toPlainText() != text)
        m_help->setPlainText(text);
}

void ScriptEditorDialog::test()
{
    const QString line = currentLineText();
    guarded(m_ctx.errors, "Scripteditor", currentLine(), line.left(ScriptLineCheck::kShownCharacters),
            [&] { m_check.Testen(line, lines()); });
    m_script->setFocus();
}

void ScriptEditorDialog::showPlaceholders()
{
    const Placeholders placeholders(m_ctx.state.settings.platzhalter);
    m_ctx.prompter.message(QStringLiteral("Information"), placeholders.overviewText(10), BoxButtons::Ok,
                           BoxIcon::Information);
}

void ScriptEditorDialog::viewInEditor()
{
    const QString file = m_ctx.state.folders.tempDir() + QStringLiteral("bearbeiten.txt");
    guarded(m_ctx.errors, "Scripteditor", 0, file, [&] {
        QDir().mkpath(m_ctx.state.folders.tempDir());
        TextFile::writeLinesAtomic(file, lines());
        m_ctx.programs.startEditor(file);
    });
}

void ScriptEditorDialog::load()
{
    FileDialogRequest request;
    request.kind = FileDialogKind::Open;
    request.title = QStringLiteral("Bitte Datei auswählen:");
    request.startDir = AppFolders::findCaseInsensitive(m_ctx.state.folders.anzeigeDir());
    request.filter = QStringLiteral("Textdatei|*.txt|RichText|*.rtf|Alle Dateitypen|*.*");
    const QStringList chosen = m_ctx.prompter.fileDialog(request);
    if (chosen.isEmpty() || chosen.first().isEmpty())
        return;
    const QString name = chosen.first();
    if (!name.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive)
        && !name.endsWith(QStringLiteral(".rtf"), Qt::CaseInsensitive)) {
        m_ctx.prompter.message(QStringLiteral("Sicherheitshinweis"),
                               QStringLiteral("Die Datei\r\r") + name + QStringLiteral("\r\rkann nicht verwendet werden!"),
                               BoxButtons::Ok, BoxIcon::Exclamation);
        return;
    }
    guarded(m_ctx.errors, "Scripteditor", 0, name,
            [&] { m_script->insertPlainText(ScriptTextFile::read(name)); });
}

void ScriptEditorDialog::clearScript()
{
    if (m_ctx.prompter.ask(QStringLiteral("Sollen die aktuellen Befehle gelöscht werden?!")))
        m_script->clear();
}

void ScriptEditorDialog::insertKeyword(QListWidgetItem* item)
{
    if (!item)
        return;
    m_script->insertPlainText(item->data(Qt::UserRole + 1).toString() + QLatin1Char(' '));
    m_script->setFocus();
}

void ScriptEditorDialog::done(int result)
{
    m_ctx.state.settings.dHilfe = m_helpBox->isChecked();
    QDialog::done(result);
}

} // namespace tarvex
