#pragma once

#include "terminal/platform/qt_sound.h"
#include "terminal/script/script_host.h"

#include <QPointer>

class MainWindow;
class QListWidget;
class QWidget;
class Terminal;

// The script bar and display of the main window as the interpreter sees them.
class MainWindowScriptHost : public ScriptHost
{
public:
    MainWindowScriptHost(Terminal& terminal, MainWindow& window);

    QListWidget* scriptList() const { return m_scriptList; }
    QListWidget* commandList() const { return m_commandList; }

    QString selectedScriptItem() const override;
    void setRunning(bool running) override;
    void showCommands(const QStringList& lines) override;
    void selectCommand(int index) override;
    QString displayText() const override;
    int displayPosition() const override;
    void moveDisplayToEnd() override;
    void clearDisplay(bool whole) override;
    QByteArray displayRtf() const override;
    void printLines(const QString& header, const QStringList& lines) override;
    bool playSound(const QString& path) override;
    void focusDisplay() override;

private:
    Terminal& m_terminal;
    MainWindow& m_window;
    QtSound m_sound;
    QListWidget* m_scriptList = nullptr;
    QListWidget* m_commandList = nullptr;
    QWidget* m_stop = nullptr;
};
