#pragma once

#include "terminal/script/script_line_check.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;
class QToolBar;

namespace tarvex {

class DisplayActions;
class ScriptHighlighter;
class ScriptHost;
struct TerminalContext;

// frm19: the command text of one script as lines, one command per line, keywords bold,
// the current line marked and explained in the help panel, the reference list of all
// commands (a double click inserts the keyword), and the test of the current line.
class ScriptEditorDialog : public QDialog
{
    Q_OBJECT
public:
    ScriptEditorDialog(TerminalContext& context, DisplayActions& display, ScriptHost& host, const QString& name,
                       const QString& commandText, QWidget* parent = nullptr);
    ~ScriptEditorDialog() override;

    // Opens the editor modeless beside the parent and waits until it is closed: the
    // edited command text after OK, nothing after Cancel or the close box.
    static std::optional<QString> Scripteditor(TerminalContext& context, DisplayActions& display, ScriptHost& host,
                                               QWidget* parent, const QString& name, const QString& commandText);

    // The edited text as a command text ("<>" between the lines).
    QString commandText() const;
    // The line of the insertion point, from 1.
    int currentLine() const;
    QPlainTextEdit* editor() const { return m_script; }
    ScriptHighlighter* highlighter() const { return m_highlighter; }

    // Keeps the help panel's state in the settings before the window closes.
    void done(int result) override;

private:
    void buildToolBar();
    void cursorMoved();
    void showHelp();
    QString currentLineText() const;
    QStringList lines() const;
    void test();
    void showPlaceholders();
    void viewInEditor();
    void load();
    void clearScript();
    void insertKeyword(QListWidgetItem* item);

    TerminalContext& m_ctx;
    DisplayActions& m_display;
    ScriptLineCheck m_check;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_caption = nullptr;
    QPlainTextEdit* m_script = nullptr;
    ScriptHighlighter* m_highlighter = nullptr;
    QListWidget* m_reference = nullptr;
    QLabel* m_lineStatus = nullptr;
    QLabel* m_position = nullptr;
    QCheckBox* m_helpBox = nullptr;
    QPlainTextEdit* m_help = nullptr;
    QPushButton* m_test = nullptr;
};

} // namespace tarvex
