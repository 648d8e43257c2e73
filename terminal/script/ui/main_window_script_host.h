#pragma once

#include "terminal/platform/qt_sound.h"
#include "terminal/script/script_host.h"

#include <QPointer>

class QListWidget;
class QWidget;

namespace tarvex {

class MainWindow;
struct TerminalContext;

// The script bar and display of the main window as the interpreter sees them.
class MainWindowScriptHost : public ScriptHost
{
public:
    MainWindowScriptHost(TerminalContext& context, MainWindow& window);

    QListWidget* scriptList() const;
    QListWidget* commandList() const;

    QString selectedScriptItem() const override;
    void setRunning(bool running) override;
    void showCommands(const QStringList& lines) override;
    void selectCommand(int index) override;
    QString displayText() const override;
    int displayPosition() const override;
    void moveDisplayToEnd() override;
    void clearDisplay(bool whole) override;
    QByteArray displayRtf() const override;
    void printLines(const QStringList& lines) override;
    bool playSound(const QString& path) override;
    void focusDisplay() override;

private:
    TerminalContext& m_ctx;
    MainWindow& m_window;
    QtSound m_sound;
};

} // namespace tarvex
