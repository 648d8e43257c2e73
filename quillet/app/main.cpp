#include "quillet/command_line.h"
#include "quillet/editor_settings.h"
#include "quillet/instance_file.h"
#include "quillet/process_probe.h"
#include "quillet/ui/main_window.h"
#include "quillet/ui/menu_builder.h"
#include "quillet/ui/sheet_editor.h"
#include "shared/ui/german_translation.h"
#include "shared/ui/outside_end.h"
#include "shared/ui/prompter_factory.h"
#include "shared/ui/qt_prompter.h"
#include "shared/ui/qt_shell.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTimer>
#include <QSettings>
#include <QStandardPaths>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Kavimor"));
    QApplication::setApplicationName(QStringLiteral("Quillet"));
    installGermanTranslation(app);

    // Options for tests come first and are not part of the editor's command line:
    // --backup-interval-ms=N runs the backup timer every N ms, --instance-file=PATH moves
    // the instance file, --type-text=TEXT types TEXT into the sheet after start and
    // --close-after-ms=N closes the window after N ms (as the user would);
    // --save-every-ms=N adds the line "Zeile k" (k = 1, 2, ...) at the end of the current
    // sheet and saves it every N ms, for the crash test that kills the editor while it saves.
    QStringList args = QApplication::arguments().mid(1);
    int backupIntervalMs = 0;
    int closeAfterMs = -1;
    int saveEveryMs = 0;
    QString instanceFile;
    QString typeText;
    while (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))) {
        const QString option = args.takeFirst();
        const QString value = option.section(u'=', 1);
        if (option.startsWith(QLatin1String("--backup-interval-ms=")))
            backupIntervalMs = value.toInt();
        else if (option.startsWith(QLatin1String("--instance-file=")))
            instanceFile = value;
        else if (option.startsWith(QLatin1String("--type-text=")))
            typeText = value;
        else if (option.startsWith(QLatin1String("--close-after-ms=")))
            closeAfterMs = value.toInt();
        else if (option.startsWith(QLatin1String("--save-every-ms=")))
            saveEveryMs = value.toInt();
    }

    QSettings own(QStringLiteral("Kavimor"), QStringLiteral("Quillet"));
    QSettings shared(QStringLiteral("Microsoft"), QStringLiteral("Notepad"));
    quillet::EditorSettings settings(own, shared);

    const quillet::CommandLine::Parsed pending = quillet::CommandLine::parse(
        args.join(u' '), [](const QString& path) { return QFileInfo(path).isFile(); });

    const std::unique_ptr<Prompter> prompter = makeProgramPrompter();
    QtShell shell;

    quillet::MainWindow::Config config;
    config.instanceFilePath =
        instanceFile.isEmpty()
            ? quillet::InstanceFile::defaultPath(QApplication::applicationFilePath(),
                                                 QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
            : instanceFile;
    config.tempFolder = QDir::tempPath();
    config.ownKey = QString::number(quillet::ProcessProbe::currentId());
    config.backupIntervalMs = backupIntervalMs;
    config.mailFolder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/mail");

    quillet::MainWindow window(*prompter, shell, settings, config);
    if (auto* qtPrompter = dynamic_cast<QtPrompter*>(prompter.get()))
        qtPrompter->setParent(&window);
    window.restoreWindowRect();
    window.show();
    window.recoverBackups();
    window.openPending(pending);
    if (!typeText.isEmpty()) {
        QObject* editor = window.currentSheet().editor;
        for (const QChar c : typeText) {
            QApplication::postEvent(editor, new QKeyEvent(QEvent::KeyPress, 0, Qt::NoModifier, QString(c)));
            QApplication::postEvent(editor, new QKeyEvent(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c)));
        }
    }
    if (closeAfterMs >= 0)
        QTimer::singleShot(closeAfterMs, &window, &QWidget::close);
    QTimer saveTimer;
    int savedLines = 0;
    if (saveEveryMs > 0) {
        saveTimer.setInterval(saveEveryMs);
        QObject::connect(&saveTimer, &QTimer::timeout, &window, [&window, &savedLines] {
            quillet::SheetEditor* editor = window.currentSheet().editor;
            editor->setCaretPosition(editor->rawText().size());
            editor->insertPlainText(QStringLiteral("\nZeile %1").arg(++savedLines));
            window.actions().trigger(quillet::cmd::Save);
        });
        saveTimer.start();
    }
    // A signal or the end of the desktop session asks nothing: unsaved text goes into the
    // crash backup, which the next start offers again. Installed from the running loop as a
    // posted call, so the typed keys posted above are in the sheet before any signal counts.
    std::unique_ptr<OutsideEnd> outsideEnd;
    QMetaObject::invokeMethod(
        &window,
        [&] {
            outsideEnd = std::make_unique<OutsideEnd>(app, [&window] {
                window.endKeepingUnsavedText();
                QCoreApplication::exit(0);
            });
        },
        Qt::QueuedConnection);
    return QApplication::exec();
}
