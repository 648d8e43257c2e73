#include "quillet/ui/main_window.h"

#include "quillet/editor_settings.h"
#include "quillet/file_association.h"
#include "quillet/file_type_list.h"
#include "quillet/messages.h"
#include "quillet/options_values.h"
#include "quillet/process_probe.h"
#include "shared/platform/prompter.h"
#include "shared/platform/shell.h"
#include "quillet/sheet_labels.h"
#include "quillet/size_format.h"
#include "quillet/title_rule.h"
#include "quillet/ui/find_controller.h"
#include "quillet/ui/max_length_dialog.h"
#include "quillet/ui/options_dialog.h"
#include "quillet/ui/print_controller.h"
#include "shared/help_file.h"
#include "shared/platform/clock.h"
#include "shared/ui/help_window.h"
#include "quillet/ui/sheet_editor.h"
#include "quillet/ui/status_panel.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFontDialog>
#include <QFontInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

namespace quillet {
namespace {

const QString kCaption = QStringLiteral("Quillet");

bool isInputEvent(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::ContextMenu:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

} // namespace

MainWindow::MainWindow(Prompter& prompter, Shell& shell, EditorSettings& settings, Config config, QWidget* parent)
    : QMainWindow(parent),
      m_prompter(prompter),
      m_shell(shell),
      m_settings(settings),
      m_config(std::move(config)),
      m_recent(settings.recentFiles()),
      m_textLimit(settings.textLimit()),
      m_instanceFile(m_config.instanceFilePath),
      m_backup(m_instanceFile, m_config.ownKey, m_config.tempFolder)
{
    setObjectName(QStringLiteral("Quillet"));
    setWindowTitle(TitleRule::programCaption());
    setMinimumSize(360, 240);
    resize(900, 600);  // the stored rectangle, when kept, replaces this
    setAcceptDrops(true);

    m_menus = MenuBuilder::build(this, m_actions);
    buildToolbar();

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_tabs = new QTabBar(central);
    m_tabs->setObjectName(QStringLiteral("tabBlaetter"));
    m_tabs->setExpanding(false);
    m_tabs->setDocumentMode(true);
    m_stack = new QStackedWidget(central);
    m_stack->setObjectName(QStringLiteral("stkBlaetter"));
    layout->addWidget(m_tabs);
    layout->addWidget(m_stack);
    setCentralWidget(central);

    m_status = new StatusPanel(statusBar());
    statusBar()->setObjectName(QStringLiteral("sbStatus"));

    applyFontFromSettings();
    addSheet();
    m_status->showStart(currentSheet(), fixedPitch());
    rebuildRecentMenu();

    m_find = new FindController(
        m_prompter,
        {[this] { return m_sheets.empty() ? nullptr : currentSheet().editor; }, [this](bool on) { setBusy(on); },
         m_status->progress()},
        this);

    connectActions();
    connectPrintActions();
    connect(m_tabs, &QTabBar::currentChanged, this, [this](int index) {
        if (index >= 0)
            showSheet(index);
    });
    connect(m_tabs, &QTabBar::tabBarClicked, this, [this] {
        QTimer::singleShot(0, this, [this] {
            if (!m_sheets.empty())
                currentSheet().editor->setFocus();
        });
    });
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &MainWindow::updateEditActions);

    m_backupTimer = new QTimer(this);
    m_backupTimer->setObjectName(QStringLiteral("tmrSicherung"));
    connect(m_backupTimer, &QTimer::timeout, this, &MainWindow::backupTick);
    const int minutes = std::clamp(m_settings.number(QStringLiteral("vAutoSaveMinutes")), 1, 59);
    m_backupTimer->setInterval(m_config.backupIntervalMs > 0 ? m_config.backupIntervalMs : minutes * 60000);
    if (m_settings.number(QStringLiteral("fAutoSave")) != 0)
        m_backupTimer->start();

    qApp->installEventFilter(this);
}

MainWindow::~MainWindow()
{
    qApp->removeEventFilter(this);
}

void MainWindow::buildToolbar()
{
    m_toolbar = addToolBar(QStringLiteral("Symbolleiste"));
    m_toolbar->setObjectName(QStringLiteral("tbSymbolleiste"));
    m_toolbar->setMovable(false);
    struct Button {
        const char* action;
        const char* text;
        QStyle::StandardPixmap icon;
    };
    const Button buttons[] = {
        {"actNeuesBlatt", "Neu", QStyle::SP_FileIcon},
        {"actOeffnen", "Öffnen", QStyle::SP_DialogOpenButton},
        {"actSpeichern", "Speichern", QStyle::SP_DialogSaveButton},
        {"actAusschneiden", "Ausschneiden", QStyle::SP_DialogDiscardButton},
        {"actKopieren", "Kopieren", QStyle::SP_FileDialogDetailedView},
        {"actEinfuegen", "Einfügen", QStyle::SP_FileDialogContentsView},
        {"actRueckgaengig", "Rückgängig", QStyle::SP_ArrowBack},
        {"actWiederholen", "Wiederholen", QStyle::SP_ArrowForward},
        {"actSuchen", "Suchen", QStyle::SP_FileDialogStart},
        {"actErsetzen", "Ersetzen", QStyle::SP_BrowserReload},
    };
    for (const Button& b : buttons) {
        QAction* action = m_actions.action(QLatin1String(b.action));
        if (!action)
            continue;
        action->setIcon(style()->standardIcon(b.icon));
        action->setIconText(QString::fromUtf8(b.text));
        m_toolbar->addAction(action);
    }
    applyToolText();
}

void MainWindow::applyToolText()
{
    m_toolbar->setToolButtonStyle(m_settings.number(QStringLiteral("bToolText")) != 0 ? Qt::ToolButtonTextUnderIcon
                                                                                       : Qt::ToolButtonIconOnly);
}

Sheet& MainWindow::addSheet()
{
    auto sheet = std::make_unique<Sheet>();
    sheet->label = SheetLabels::nextUnnamed(labels());
    sheet->editor = new SheetEditor(m_stack);
    sheet->editor->setDocument(sheet->document.get());
    sheet->editor->setFont(m_font);
    sheet->editor->setWordWrap(m_settings.number(QStringLiteral("fWrap")) != 0);
    sheet->editor->setTextLimit(m_textLimit);
    sheet->editor->setUndoLimit(m_settings.number(QStringLiteral("iUndoLimit")));
    SheetEditor* editor = sheet->editor;
    editor->setAskWithoutUndo([this] {
        return m_prompter.message(kCaption, Messages::text(Messages::UndoTooLarge), BoxButtons::YesNo,
                                  BoxIcon::Question)
               == BoxAnswer::Yes;
    });
    connect(editor, &TextView::cursorPositionChanged, this, &MainWindow::updateStatus);
    connect(editor, &TextView::modificationChanged, this, &MainWindow::updateStatus);
    connect(editor, &TextView::textChanged, this, &MainWindow::updateStatus);
    connect(editor, &TextView::undoAvailable, this, &MainWindow::updateEditActions);
    connect(editor, &TextView::redoAvailable, this, &MainWindow::updateEditActions);
    connect(editor, &TextView::copyAvailable, this, &MainWindow::updateEditActions);
    connect(editor, &TextView::copiedToClipboard, this, [this] {
        m_copiedText = QApplication::clipboard()->text();
    });
    connect(editor, &SheetEditor::overwriteToggled, this, &MainWindow::updateStatus);
    connect(editor, &SheetEditor::limitReached, this, [] { QApplication::beep(); });
    connect(editor, &SheetEditor::contextMenuWanted, this, [this](const QPoint& pos) {
        QMenu popup(this);
        popup.setObjectName(QStringLiteral("mnuKontext"));
        popup.addActions(m_menus.editEntries);
        popup.exec(pos);
    });
    m_stack->addWidget(editor);
    m_sheets.push_back(std::move(sheet));
    Sheet& added = *m_sheets.back();
    const int index = m_tabs->addTab(added.label);
    m_tabs->setCurrentIndex(index);
    showSheet(index);
    return added;
}

void MainWindow::newSheet()
{
    addSheet();
    updateTitle();
    updateStatus();
}

void MainWindow::removeSheet(int index)
{
    std::unique_ptr<Sheet> sheet = std::move(m_sheets[static_cast<size_t>(index)]);
    m_sheets.erase(m_sheets.begin() + index);
    m_stack->removeWidget(sheet->editor);
    sheet->editor->deleteLater();
    m_tabs->removeTab(index);
    if (m_sheets.empty())
        addSheet();
    showSheet(m_tabs->currentIndex());
}

Sheet& MainWindow::currentSheet()
{
    return *m_sheets[static_cast<size_t>(currentIndex())];
}

int MainWindow::currentIndex() const
{
    return std::clamp(m_tabs->currentIndex(), 0, static_cast<int>(m_sheets.size()) - 1);
}

void MainWindow::setCurrentIndex(int index)
{
    m_tabs->setCurrentIndex(index);
}

void MainWindow::showSheet(int index)
{
    if (index < 0 || index >= sheetCount())
        return;
    Sheet& sheet = sheetAt(index);
    m_stack->setCurrentWidget(sheet.editor);
    m_actions.action(cmd::WordWrap)->setChecked(sheet.editor->wordWrap());
    if (m_tabs->count() > 1 || !sheet.isUnnamed())
        updateTitle();
    // Length, limit, fill level, modes, saved state and caret are those of the sheet shown.
    updateStatus();
    updateEditActions();
}

QStringList MainWindow::labels() const
{
    QStringList result;
    for (const auto& sheet : m_sheets)
        result.append(sheet->label);
    return result;
}

void MainWindow::updateTitle()
{
    const Sheet& sheet = currentSheet();
    setWindowTitle(TitleRule::windowTitle(sheet.path(), sheet.label));
}

bool MainWindow::fixedPitch() const
{
    return QFontInfo(m_font).fixedPitch();
}

void MainWindow::updateStatus()
{
    if (m_sheets.empty() || m_closing)
        return;
    m_status->showSheet(currentSheet(), fixedPitch());
}

void MainWindow::updateEditActions()
{
    if (!m_sheets.empty())
        m_actions.updateEnabled();
}

void MainWindow::message(const QString& text, BoxIcon icon)
{
    m_prompter.message(kCaption, text, BoxButtons::Ok, icon);
}

void MainWindow::setBusy(bool busy)
{
    if (busy == m_busy)
        return;
    m_busy = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    // While a long operation runs, input to this window is dropped.
    if (m_busy && isInputEvent(event->type()) && watched->isWidgetType()) {
        // This window and the windows it owns (find, help).
        for (QWidget* top = static_cast<QWidget*>(watched)->window(); top;
             top = top->parentWidget() ? top->parentWidget()->window() : nullptr) {
            if (top == this)
                return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::toggleWrap()
{
    Sheet& sheet = currentSheet();
    sheet.editor->setWordWrap(!sheet.editor->wordWrap());
    m_actions.action(cmd::WordWrap)->setChecked(sheet.editor->wordWrap());
    updateStatus();
}

void MainWindow::applyFontFromSettings()
{
    m_font = QFont(m_settings.text(QStringLiteral("lfFaceName")));
    // A size of 0 or below shows the default size but is kept as stored until a font is chosen.
    m_pointSize = m_settings.number(QStringLiteral("iPointSize"));
    if (m_pointSize > 0)
        m_font.setPointSizeF(m_pointSize / 10.0);
    m_font.setBold(m_settings.number(QStringLiteral("lfWeight")) != 400);
    m_font.setItalic(m_settings.number(QStringLiteral("lfItalic")) != 0);
    const int pitch = m_settings.number(QStringLiteral("lfPitchAndFamily"));
    if ((pitch & 3) == 1) {
        m_font.setStyleHint(QFont::TypeWriter);
        m_font.setFixedPitch(true);
    }
}

void MainWindow::chooseFont()
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, m_font, this, QStringLiteral("Schriftart"));
    if (!ok)
        return;
    m_font = chosen;
    m_pointSize = qRound(m_font.pointSizeF() * 10);
    for (const auto& sheet : m_sheets)
        sheet->editor->setFont(m_font);
    updateStatus();
}

void MainWindow::applyTextLimit(int limit)
{
    currentSheet().editor->setTextLimit(limit);
    updateStatus();
}

void MainWindow::maxLength()
{
    Sheet& sheet = currentSheet();
    MaxLengthDialog dialog(sheet.editor->textLength(), sheet.editor->textLimit(), m_prompter, this);
    if (dialog.exec() == QDialog::Accepted)
        applyTextLimit(dialog.limit());
}

void MainWindow::options(bool userMenuPage)
{
    OptionsDialog dialog(withExtras(OptionsValues::read(m_settings)), m_prompter, this);
    if (userMenuPage)
        dialog.showUserMenuPage();
    if (dialog.exec() != QDialog::Accepted)
        return;
    const OptionsValues values = dialog.values();
    values.write(m_settings);
    currentSheet().editor->setUndoLimit(values.undoLimit);
    if (values.textLimit() != currentSheet().editor->textLimit()) {
        m_textLimit = values.textLimit();
        applyTextLimit(m_textLimit);
    }
    if (values.autoSave) {
        if (m_config.backupIntervalMs <= 0)
            m_backupTimer->setInterval(values.autoSaveMinutes * 60000);
        m_backupTimer->start();
    } else {
        m_backupTimer->stop();
    }
    applyToolText();
    applyExtras(values);  // the user menu; the file association as the last step
}

void MainWindow::info()
{
    m_prompter.message(QStringLiteral("Info über Quillet"),
                       TitleRule::programCaption() + QStringLiteral("\r\rTexteditor mit Blättern.\r© Kavimor"),
                       BoxButtons::Ok, BoxIcon::Information);
}

void MainWindow::deleteSheet()
{
    if (!askSave(currentSheet()))
        return;
    removeSheet(currentIndex());
    updateTitle();
    updateStatus();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    event->acceptProposedAction();
    openDropped(event->mimeData()->urls());
}

void MainWindow::openDropped(const QList<QUrl>& urls)
{
    QString chosen;
    for (const QUrl& url : urls) {
        const QString path = url.toLocalFile();
        if (path.isEmpty() || !QFileInfo(path).isFile()) {
            QApplication::beep();
            continue;
        }
        if (chosen.isEmpty())
            chosen = path;
    }
    if (!chosen.isEmpty())
        openFile(chosen);
}

void MainWindow::askKeepClipboard()
{
    QClipboard* clipboard = QApplication::clipboard();
    // Only text this window put there and nobody has replaced since.
    if (m_copiedText.isEmpty() || clipboard->text() != m_copiedText)
        return;
    const BoxAnswer answer =
        m_prompter.message(kCaption, Messages::text(Messages::ClipboardAtEnd), BoxButtons::YesNo,
                           BoxIcon::Question);
    // Yes leaves the text to the desktop's clipboard keeper; No takes it away with us.
    if (answer == BoxAnswer::No)
        clipboard->clear();
}

HelpWindow* MainWindow::helpWindow() const
{
    return m_help;
}

void MainWindow::showHelp(bool index)
{
    if (!m_help) {
        const QString path = m_config.helpFilePath.isEmpty()
                                 ? HelpFile::pathFor(QCoreApplication::applicationFilePath())
                                 : m_config.helpFilePath;
        QString error;
        std::optional<HelpFile> help = HelpFile::load(path, &error);
        if (!help) {
            message(Messages::helpMissing(QDir::toNativeSeparators(path), error),
                    BoxIcon::Critical);
            return;
        }
        m_help = new HelpWindow(std::move(*help), QStringLiteral("Quillet - Hilfe"), this);
        m_help->setAttribute(Qt::WA_DeleteOnClose);
    }
    if (index)
        m_help->showIndex();
    else
        m_help->showContents();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (m_busy) {
        event->ignore();
        return;
    }
    for (int i = 0; i < sheetCount(); ++i) {
        if (!askSave(sheetAt(i))) {
            event->ignore();
            return;
        }
    }
    askKeepClipboard();
    writeSettingsAtClose();
    m_backup.discard();
    m_backupTimer->stop();
    m_closing = true;
    event->accept();
}

void MainWindow::endKeepingUnsavedText()
{
    m_backupTimer->stop();
    QStringList unsaved;
    for (int i = 0; i < sheetCount(); ++i) {
        Sheet& sheet = sheetAt(i);
        if (!sheet.isModified())
            continue;
        QString text = sheet.editor->rawText();
        if (!text.isEmpty())
            unsaved.append(std::move(text));
    }
    if (unsaved.isEmpty()) {
        m_backup.discard();
    } else {
        // The window's own backup holds the first text; each further sheet gets an entry of
        // its own, which no running editor owns, so the next start offers it as well.
        m_backup.tick(unsaved.first(), true);
        for (qsizetype i = 1; i < unsaved.size(); ++i) {
            BackupKeeper further(m_instanceFile, m_config.ownKey + u'.' + QString::number(i), m_config.tempFolder);
            further.tick(unsaved.at(i), true);
        }
    }
    writeSettingsAtClose();
    m_closing = true;
}

void MainWindow::writeSettingsAtClose()
{
    m_settings.setText(QStringLiteral("lfFaceName"), m_font.family());
    m_settings.setNumber(QStringLiteral("iPointSize"), m_pointSize);
    m_settings.setNumber(QStringLiteral("lfWeight"), m_font.bold() ? 700 : 400);
    m_settings.setNumber(QStringLiteral("lfItalic"), m_font.italic() ? 1 : 0);
    m_settings.setNumber(QStringLiteral("lfCharSet"), 0);
    m_settings.setNumber(QStringLiteral("lfQuality"), 0);
    // Fixed pitch in the modern family, or variable pitch in the swiss family.
    m_settings.setNumber(QStringLiteral("lfPitchAndFamily"), fixedPitch() ? 49 : 34);
    m_settings.setNumber(QStringLiteral("fWrap"), currentSheet().editor->wordWrap() ? 1 : 0);
    if (m_settings.number(QStringLiteral("fSaveWindowPositions")) != 0) {
        // The inner rectangle, as restoreWindowRect() sets it again: storing the frame's
        // position and restoring it as the inner one (or the other way round) would move
        // the window by the frame at every start.
        const QRect rect = (isMinimized() || isMaximized()) ? normalGeometry() : geometry();
        m_settings.setNumber(QStringLiteral("iWindowPosX"), rect.x());
        m_settings.setNumber(QStringLiteral("iWindowPosY"), rect.y());
        m_settings.setNumber(QStringLiteral("iWindowPosDX"), rect.width());
        m_settings.setNumber(QStringLiteral("iWindowPosDY"), rect.height());
    }
    if (m_settings.number(QStringLiteral("fSavePageSettings")) != 0)
        m_print->setup().page.write(m_settings);
    m_settings.setRecentFiles(m_recent.paths());
    m_settings.sync();
}

void MainWindow::restoreWindowRect()
{
    if (m_settings.number(QStringLiteral("fSaveWindowPositions")) == 0)
        return;
    const auto x = m_settings.numberIfSet(QStringLiteral("iWindowPosX"));
    const auto y = m_settings.numberIfSet(QStringLiteral("iWindowPosY"));
    const auto w = m_settings.numberIfSet(QStringLiteral("iWindowPosDX"));
    const auto h = m_settings.numberIfSet(QStringLiteral("iWindowPosDY"));
    QSize size = this->size();
    if (w && h && *w > 0 && *h > 0)
        size = QSize(std::max(*w, 360), std::max(*h, 240));
    // The same rectangle writeSettingsAtClose() stores: the window without its frame.
    if (x && y)
        setGeometry(QRect(QPoint(*x, *y), size));
    else
        resize(size);
}

void MainWindow::backupTick()
{
    if (m_busy || m_sheets.empty())
        return;
    Sheet& sheet = currentSheet();
    // The text is only taken when it has to be written.
    const bool modified = sheet.isModified();
    m_backup.tick(modified ? sheet.editor->rawText() : QString(), modified);
}

} // namespace quillet
