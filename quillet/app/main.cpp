#include "quillet/answer_file.h"
#include "quillet/command_line.h"
#include "quillet/editor_settings.h"
#include "quillet/instance_file.h"
#include "quillet/process_probe.h"
#include "quillet/ui/main_window.h"
#include "quillet/ui/qt_prompter.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Kavimor"));
    QApplication::setApplicationName(QStringLiteral("Quillet"));

    // Options for tests come first and are not part of the editor's command line:
    // --backup-interval-ms=N runs the backup timer every N ms, --instance-file=PATH moves
    // the instance file.
    QStringList args = QApplication::arguments().mid(1);
    int backupIntervalMs = 0;
    QString instanceFile;
    while (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))) {
        const QString option = args.takeFirst();
        if (option.startsWith(QLatin1String("--backup-interval-ms=")))
            backupIntervalMs = option.section(u'=', 1).toInt();
        else if (option.startsWith(QLatin1String("--instance-file=")))
            instanceFile = option.section(u'=', 1);
    }

    QSettings own(QStringLiteral("Kavimor"), QStringLiteral("Quillet"));
    QSettings shared(QStringLiteral("Microsoft"), QStringLiteral("Notepad"));
    quillet::EditorSettings settings(own, shared);

    const quillet::CommandLine::Parsed pending = quillet::CommandLine::parse(
        args.join(u' '), [](const QString& path) { return QFileInfo(path).isFile(); });

    std::unique_ptr<quillet::Prompter> prompter = quillet::AnswerFile::fromEnvironment();
    auto* qtPrompter = prompter ? nullptr : new quillet::QtPrompter;
    if (!prompter)
        prompter.reset(qtPrompter);

    quillet::MainWindow::Config config;
    config.instanceFilePath =
        instanceFile.isEmpty()
            ? quillet::InstanceFile::defaultPath(QApplication::applicationFilePath(),
                                                 QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
            : instanceFile;
    config.tempFolder = QDir::tempPath();
    config.ownKey = QString::number(quillet::ProcessProbe::currentId());
    config.backupIntervalMs = backupIntervalMs;

    quillet::MainWindow window(*prompter, settings, config);
    if (qtPrompter)
        qtPrompter->setParent(&window);
    window.restoreWindowRect();
    window.show();
    window.recoverBackups();
    window.openPending(pending);
    return QApplication::exec();
}
