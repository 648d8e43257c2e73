// Files of the main window: opening, saving, the save question, recent files and the
// crash recovery at start.
#include "quillet/ui/main_window.h"

#include "quillet/backup_keeper.h"
#include "quillet/editor_settings.h"
#include "quillet/file_type_list.h"
#include "quillet/messages.h"
#include "quillet/process_probe.h"
#include "shared/platform/prompter.h"
#include "quillet/sheet_labels.h"
#include "quillet/size_format.h"
#include "quillet/text_file.h"
#include "quillet/title_rule.h"
#include "quillet/ui/sheet_editor.h"
#include "quillet/ui/status_panel.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QProgressBar>
#include <QTabBar>
#include <QEventLoop>
#include <QFutureWatcher>
#include <QtConcurrent>

namespace quillet {
namespace {

const QString kCaption = QStringLiteral("Quillet");

void applyMode(SheetEditor& editor, CommandLine::Mode mode)
{
    if (mode == CommandLine::Mode::SelectAll) {
        editor.selectAll();
    } else if (mode == CommandLine::Mode::CaretToEnd) {
        editor.setCaretPosition(editor.textLength());
    }
}

} // namespace

QString MainWindow::startFolder(const Sheet& sheet) const
{
    if (!sheet.path().isEmpty())
        return QFileInfo(sheet.path()).absolutePath();
    const QString fixed = m_settings.text(QStringLiteral("fDirectory"));
    if (!fixed.isEmpty() && QFileInfo(fixed).isDir())
        return fixed;
    return QDir::currentPath();
}

FileDialogRequest MainWindow::fileRequest(FileDialogKind kind, const QString& title, const QString& folder,
                                          const QString& fileName) const
{
    const QList<FileTypeList::Row> rows = FileTypeList::parse(m_settings.text(QStringLiteral("fExtension")));
    QStringList patterns;
    for (const FileTypeList::Row& row : rows)
        patterns.append(row.pattern);
    FileDialogRequest request;
    request.kind = kind;
    request.title = title;
    request.startDir = folder;
    request.fileName = fileName;
    request.filter = FileTypeList::nameFilters(rows).join(QLatin1String(";;"));
    request.defaultExtension = QStringLiteral("txt");
    // Choosing another file type gives the typed name that type's extension.
    request.renameForFilter = [patterns](const QString& name, int index) {
        return index >= 1 && index <= patterns.size() ? FileTypeList::switchExtension(name, patterns[index - 1])
                                                      : name;
    };
    return request;
}

void MainWindow::openPending(const CommandLine::Parsed& pending)
{
    // A command-line file that does not exist is ignored.
    if (pending.path.isEmpty() || !QFileInfo(pending.path).isFile())
        return;
    openFile(pending.path, pending.mode);
}

bool MainWindow::openFile(const QString& path, CommandLine::Mode mode)
{
    const QString label = TitleRule::fileNamePart(path);
    for (int i = 0; i < sheetCount(); ++i) {
        if (sheetAt(i).label != label)
            continue;
        const BoxAnswer answer =
            m_prompter.message(kCaption, Messages::text(Messages::AlreadyOpen, label), BoxButtons::YesNo,
                               BoxIcon::Question, 2);
        if (answer != BoxAnswer::Yes)
            return false;
        setCurrentIndex(i);
        if (!askSave(sheetAt(i)))
            return false;
        return loadInto(sheetAt(i), path, mode);
    }
    bool created = false;
    if (!currentSheet().isUnnamed() || currentSheet().isModified()) {
        addSheet();
        created = true;
    }
    if (!loadInto(currentSheet(), path, mode)) {
        if (created)
            removeSheet(currentIndex());
        updateTitle();
        updateStatus();
        return false;
    }
    return true;
}

LoadedText MainWindow::readFile(const QString& path)
{
    if (QFileInfo(path).size() <= kBackgroundRead)
        return TextFile::load(path);
    // A large file is read and decoded on a worker.
    LoadedText loaded;
    runBusy([&loaded, path] { loaded = TextFile::load(path); });
    return loaded;
}

void MainWindow::runBusy(const std::function<void()>& work)
{
    // The window keeps drawing and shows the busy state meanwhile (its input is held back,
    // as during a long replace).
    setBusy(true);
    QProgressBar* bar = m_status->progress();
    bar->setRange(0, 0);
    bar->setVisible(true);
    QFutureWatcher<void> watcher;
    QEventLoop loop;
    connect(&watcher, &QFutureWatcher<void>::finished, &loop, &QEventLoop::quit);
    watcher.setFuture(QtConcurrent::run(work));
    loop.exec();  // the watcher reports "finished" as an event, also when the worker was quick
    bar->setVisible(false);
    setBusy(false);
}

bool MainWindow::loadInto(Sheet& sheet, const QString& path, CommandLine::Mode mode)
{
    if (m_busy)
        return false;
    const qint64 limit = sheet.editor->textLimit();
    const auto refuseTooLong = [&](qint64 length) {
        message(Messages::tooLongForLimit(path, SizeFormat::format(static_cast<quint64>(length)),
                                          SizeFormat::format(static_cast<quint64>(limit))),
                BoxIcon::Exclamation);
        return false;
    };
    // Too long whatever it holds: refused before a byte of it is read.
    const qint64 fileSize = QFileInfo(path).size();
    if (TextFile::fewestCharacters(fileSize) > limit)
        return refuseTooLong(fileSize);
    const LoadedText loaded = readFile(path);
    if (!loaded.ok) {
        message(QStringLiteral("Die Datei \"%1\" kann nicht geöffnet werden.\r%2").arg(path, loaded.error),
                BoxIcon::Critical);
        return false;
    }
    if (loaded.text.size() > limit)
        return refuseTooLong(loaded.text.size());
    sheet.document->setPath(QFileInfo(path).absoluteFilePath());
    sheet.label = TitleRule::fileNamePart(sheet.path());
    sheet.document->setFormat(loaded.format);
    for (int i = 0; i < sheetCount(); ++i) {
        if (&sheetAt(i) == &sheet) {
            m_tabs->setTabText(i, sheet.label);
            m_tabs->setTabToolTip(i, sheet.path());
        }
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);  // indexing a large text takes a moment
    sheet.editor->setPlainText(loaded.text);
    QApplication::restoreOverrideCursor();
    applyMode(*sheet.editor, mode);
    m_recent.touch(sheet.path());
    rebuildRecentMenu();
    updateTitle();
    updateStatus();
    return true;
}

void MainWindow::fileNew()
{
    Sheet& sheet = currentSheet();
    if (!askSave(sheet))
        return;
    QStringList others = labels();
    others.removeAll(sheet.label);
    sheet.editor->clear();
    sheet.document->setPath(QString());
    sheet.label = SheetLabels::nextUnnamed(others);
    sheet.document->setFormat(TextFormat());
    m_tabs->setTabText(currentIndex(), sheet.label);
    m_tabs->setTabToolTip(currentIndex(), QString());
    updateTitle();
    updateStatus();
}

void MainWindow::fileOpen()
{
    QString folder = startFolder(currentSheet());
    QString name;
    // A name of no file is offered to be created; No goes back to the dialog with that name.
    while (true) {
        FileDialogRequest request = fileRequest(FileDialogKind::Open, QStringLiteral("Öffnen"), folder, name);
        request.mayNotExist = true;
        const QStringList chosen = m_prompter.fileDialog(request);
        if (chosen.isEmpty())
            return;
        const QFileInfo info(chosen.constFirst());
        if (info.isFile()) {
            openFile(info.filePath());
            return;
        }
        if (info.exists() || info.fileName().isEmpty()) {
            message(Messages::text(Messages::InvalidFileName), BoxIcon::Critical);
            return;
        }
        if (!info.absoluteDir().exists()) {
            message(Messages::text(Messages::FileNotFound, info.filePath()), BoxIcon::Information);
            return;
        }
        const BoxAnswer answer = m_prompter.message(kCaption, Messages::createMissing(info.filePath()),
                                                    BoxButtons::YesNo, BoxIcon::Exclamation);
        if (answer == BoxAnswer::Yes) {
            QFile created(info.filePath());
            if (!created.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
                message(Messages::cannotCreate(info.filePath(), created.errorString()), BoxIcon::Critical);
                return;
            }
            created.close();
            openFile(info.filePath());
            return;
        }
        folder = info.absolutePath();
        name = info.fileName();
    }
}

bool MainWindow::askSave(Sheet& sheet)
{
    if (!sheet.isModified() || (sheet.isEmpty() && sheet.isUnnamed()))
        return true;
    for (int i = 0; i < sheetCount(); ++i) {
        if (&sheetAt(i) == &sheet)
            setCurrentIndex(i);
    }
    raise();
    activateWindow();
    const BoxAnswer answer =
        m_prompter.message(kCaption, Messages::text(Messages::SaveQuestion, sheet.displayName()),
                           BoxButtons::YesNoCancel, BoxIcon::Exclamation);
    if (answer == BoxAnswer::Cancel)
        return false;
    if (answer == BoxAnswer::No)
        return true;
    return saveSheet(sheet);
}

bool MainWindow::saveSheet(Sheet& sheet)
{
    if (sheet.isUnnamed())
        return saveSheetAs(sheet);
    const QString text = sheet.editor->rawText();
    TextFormat format = sheet.format();
    bool lossy = false;
    QByteArray bytes = TextFile::encode(text, format, &lossy);
    if (lossy) {
        // Never write '?' for characters the user typed without asking.
        const BoxAnswer answer =
            m_prompter.message(kCaption, Messages::cannotEncode(sheet.displayName()), BoxButtons::YesNoCancel,
                               BoxIcon::Exclamation);
        if (answer == BoxAnswer::Cancel)
            return false;
        if (answer == BoxAnswer::Yes) {
            format.encoding = TextFormat::Encoding::Utf8;
            bytes = TextFile::encode(text, format);
        }
    }
    const QString error = TextFile::writeBytes(sheet.path(), bytes);
    if (!error.isEmpty()) {
        message(QStringLiteral("Die Datei \"%1\" kann nicht gespeichert werden.\r%2").arg(sheet.path(), error),
                BoxIcon::Critical);
        return false;
    }
    sheet.document->setFormat(format);
    sheet.editor->setModified(false);
    m_recent.touch(sheet.path());
    rebuildRecentMenu();
    updateTitle();
    updateStatus();
    return true;
}

bool MainWindow::saveSheetAs(Sheet& sheet)
{
    const QStringList chosen = m_prompter.fileDialog(fileRequest(
        FileDialogKind::Save, QStringLiteral("Speichern unter"), startFolder(sheet),
        sheet.isUnnamed() ? sheet.label + QStringLiteral(".txt") : TitleRule::fileNamePart(sheet.path())));
    if (chosen.isEmpty())
        return false;
    const QFileInfo info(chosen.constFirst());
    if (info.fileName().isEmpty() || info.isDir()) {
        message(Messages::text(Messages::InvalidFileName), BoxIcon::Critical);
        return false;
    }
    const QString oldPath = sheet.path();
    const QString oldLabel = sheet.label;
    sheet.document->setPath(info.absoluteFilePath());
    if (!saveSheet(sheet)) {
        sheet.document->setPath(oldPath);
        return false;
    }
    sheet.label = TitleRule::fileNamePart(sheet.path());
    for (int i = 0; i < sheetCount(); ++i) {
        if (&sheetAt(i) == &sheet) {
            m_tabs->setTabText(i, sheet.label);
            m_tabs->setTabToolTip(i, sheet.path());
        }
    }
    Q_UNUSED(oldLabel);
    updateTitle();
    return true;
}

void MainWindow::saveAll(bool askNames)
{
    const int current = currentIndex();
    for (int i = 0; i < sheetCount(); ++i) {
        Sheet& sheet = sheetAt(i);
        setCurrentIndex(i);
        const bool ok = askNames ? saveSheetAs(sheet) : saveSheet(sheet);
        if (!ok)
            return;
    }
    setCurrentIndex(current);
}

void MainWindow::rebuildRecentMenu()
{
    for (QAction* action : m_recentActions)
        delete action;
    m_recentActions.clear();
    delete m_recentSeparator;
    m_recentSeparator = nullptr;
    if (m_recent.paths().isEmpty())
        return;
    m_recentSeparator = m_menus.file->addSeparator();
    int n = 0;
    for (const QString& path : m_recent.paths()) {
        auto* action = new QAction(QStringLiteral("&%1 %2").arg(n + 1).arg(QDir::toNativeSeparators(path)), m_menus.file);
        action->setObjectName(QStringLiteral("actZuletzt%1").arg(n));
        action->setStatusTip(QStringLiteral("Öffnet diese Datei."));
        connect(action, &QAction::triggered, this, [this, path] { openRecent(path); });
        m_menus.file->addAction(action);
        m_recentActions.append(action);
        ++n;
    }
}

void MainWindow::openRecent(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        QApplication::beep();
        message(Messages::text(Messages::FileNotFound, path), BoxIcon::Information);
        fileOpen();
        return;
    }
    Sheet& sheet = currentSheet();
    if (!askSave(sheet))
        return;
    loadInto(sheet, path, CommandLine::Mode::None);
}

void MainWindow::recoverBackups()
{
    const QList<BackupKeeper::Orphan> orphans =
        BackupKeeper::orphans(m_instanceFile, m_config.ownKey, [](const QString& key) {
            bool ok = false;
            const qint64 id = key.toLongLong(&ok);
            return ok && ProcessProbe::isRunningEditor(id);
        });
    for (const BackupKeeper::Orphan& orphan : orphans) {
        const BoxAnswer answer =
            m_prompter.message(kCaption, Messages::text(Messages::RecoverBackup), BoxButtons::OkCancel,
                               BoxIcon::Question);
        if (answer == BoxAnswer::Ok && BackupKeeper::isBackupFile(orphan.backupPath)) {
            if (const std::optional<QString> text = BackupKeeper::readBackup(orphan.backupPath)) {
                // A second recovered text gets its own sheet instead of replacing the first.
                if (!currentSheet().isEmpty() || currentSheet().isModified())
                    addSheet();
                Sheet& sheet = currentSheet();
                sheet.editor->setPlainText(*text);
                // Marked as changed, so closing asks before the recovered text is dropped.
                sheet.editor->setModified(true);
                updateTitle();
                updateStatus();
            }
        }
        m_instanceFile.remove(orphan.key);
        if (BackupKeeper::isBackupFile(orphan.backupPath))
            QFile::remove(orphan.backupPath);
    }
}

} // namespace quillet
