#pragma once

#include "quillet/backup_keeper.h"
#include "quillet/command_line.h"
#include "quillet/instance_file.h"
#include "quillet/line_tools.h"
#include "quillet/recent_files.h"
#include "quillet/ui/action_table.h"
#include "quillet/ui/menu_builder.h"
#include "quillet/ui/sheet.h"
#include "shared/platform/prompter.h"

#include <QFont>
#include <QMainWindow>
#include <QPointer>
#include <QUrl>
#include <memory>
#include <optional>
#include <vector>

class QStackedWidget;
class QTabBar;
class QTimer;
class QToolBar;

class Clock;
class Prompter;
class HelpWindow;
class Shell;

namespace quillet {

class EditorSettings;
class FileAssociation;
class FindController;
class PrintController;
class PrintDialogs;
struct OptionsValues;
class StatusPanel;

// The editor's main window: menus, toolbar, the tabbed sheets, the status bar, files,
// settings at close and the crash backup.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    struct Config {
        QString instanceFilePath;
        QString tempFolder;
        QString ownKey;            // this window's key in the instance file
        int backupIntervalMs = 0;  // 0: the minutes of the settings
        QString helpFilePath;      // empty: beside the program, with the extension ".hlp"
        PrintDialogs* printDialogs = nullptr;  // empty: Qt's print dialogs
        // The time of header and footer lines and of "Uhrzeit/Datum"; null: the system's.
        const Clock* clock = nullptr;
        QString mailFolder;        // the files of sent mails; empty: "quillet-mail" in tempFolder
        FileAssociation* association = nullptr;  // null: the desktop's (xdg-mime)
    };

    MainWindow(Prompter& prompter, Shell& shell, EditorSettings& settings, Config config,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // Start-up: offers the backups of editors that ended without closing.
    void recoverBackups();
    // The end a signal or the desktop session asks for: no question; the text of every sheet
    // with unsaved changes goes into a crash backup (offered at the next start) and the
    // settings are written as at a close. The caller then ends the event loop.
    void endKeepingUnsavedText();
    // Opens the command line's file, if any.
    void openPending(const CommandLine::Parsed& pending);
    // Restores the stored window rectangle when that is switched on.
    void restoreWindowRect();

    bool openFile(const QString& path, CommandLine::Mode mode = CommandLine::Mode::None);
    void newSheet();
    // Of dropped files the first existing one is opened; missing ones beep.
    void openDropped(const QList<QUrl>& urls);
    bool saveSheet(Sheet& sheet);
    bool saveSheetAs(Sheet& sheet);
    // The save question; false when the user cancels (or saving failed).
    bool askSave(Sheet& sheet);

    int sheetCount() const { return static_cast<int>(m_sheets.size()); }
    Sheet& sheetAt(int index) { return *m_sheets[static_cast<size_t>(index)]; }
    Sheet& currentSheet();
    int currentIndex() const;
    void setCurrentIndex(int index);
    const QStringList& recentFiles() const { return m_recent.paths(); }
    FindController& find() { return *m_find; }
    PrintController& printing() { return *m_print; }
    HelpWindow* helpWindow() const;
    BackupKeeper& backup() { return m_backup; }
    QTimer* backupTimer() const { return m_backupTimer; }
    // The menu commands by number (see cmd::).
    const ActionTable& actions() const { return m_actions; }
    bool isBusy() const { return m_busy; }
    void setBusy(bool busy);
    // Files larger than this are read on a worker thread.
    static constexpr qint64 kBackgroundRead = 4 * 1024 * 1024;
    // Applies a text limit to the current sheet and refreshes the status bar.
    void applyTextLimit(int limit);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildToolbar();
    void connectActions();  // main_window_commands.cpp
    // Text conversions and line tools (main_window_convert.cpp).
    void connectConvertActions();
    void convertText(bool wholeLines, const TextOperation& operation);
    std::optional<QString> runTextOperation(const QString& source, const TextOperation& operation);
    void userConversion();
    void alignLines(bool justify);
    void replaceTabs(bool tabsToBlanks);
    void connectPrintActions();  // main_window_print.cpp
    Sheet& addSheet();
    void removeSheet(int index);
    bool loadInto(Sheet& sheet, const QString& path, CommandLine::Mode mode);
    LoadedText readFile(const QString& path);
    // Runs `work` on a worker thread while the window shows the busy state.
    void runBusy(const std::function<void()>& work);
    void showSheet(int index);
    void updateTitle();
    void updateStatus();
    void updateEditActions();
    void rebuildRecentMenu();
    void openRecent(const QString& path);
    void fileNew();
    void fileOpen();
    void saveAll(bool askNames);
    void deleteSheet();
    void toggleWrap();
    void chooseFont();
    void maxLength();
    void specialCharacters();  // main_window_views.cpp
    void hexView();
    void options(bool userMenuPage = false);
    void info();
    void showHelp(bool index);
    void backupTick();
    void writeSettingsAtClose();
    void askKeepClipboard();
    void applyFontFromSettings();
    void applyToolText();
    bool fixedPitch() const;
    QStringList labels() const;
    QString startFolder(const Sheet& sheet) const;
    FileDialogRequest fileRequest(FileDialogKind kind, const QString& title, const QString& folder,
                                  const QString& fileName) const;
    void message(const QString& text, BoxIcon icon);

    Prompter& m_prompter;
    Shell& m_shell;
    EditorSettings& m_settings;
    Config m_config;
    ActionTable m_actions;
    MenuBuilder::Menus m_menus;
    QList<QAction*> m_recentActions;
    QAction* m_recentSeparator = nullptr;
    QToolBar* m_toolbar = nullptr;
    QTabBar* m_tabs = nullptr;
    QStackedWidget* m_stack = nullptr;
    StatusPanel* m_status = nullptr;
    std::vector<std::unique_ptr<Sheet>> m_sheets;
    RecentFiles m_recent;
    QFont m_font;
    int m_pointSize = 0;  // iPointSize: tenths of a point, as read or as chosen
    int m_textLimit;
    InstanceFile m_instanceFile;
    BackupKeeper m_backup;
    QTimer* m_backupTimer = nullptr;
    FindController* m_find = nullptr;
    PrintController* m_print = nullptr;
    QPointer<HelpWindow> m_help;
    bool m_busy = false;
    bool m_closing = false;
    QString m_copiedText;  // the text this window last put on the clipboard

    // User menu, date and time, mail and file association (main_window_extras.cpp).
    void connectExtras();
    void rebuildUserMenu();
    void insertAtCaret(const QString& text);
    void insertDateTime();
    void sendMail();
    QString writeMailFile(const QString& name);
    OptionsValues withExtras(OptionsValues values);
    void applyExtras(const OptionsValues& values);
    QList<QAction*> m_userActions;
    QAction* m_userSeparator = nullptr;
    std::unique_ptr<Clock> m_ownClock;
    std::unique_ptr<FileAssociation> m_ownAssociation;
};

} // namespace quillet
