#pragma once

#include "terminal/tools/character_tables.h"
#include "terminal/tools/ui/code_list_dialog.h"

#include <QObject>

class QWidget;

namespace tarvex {

class DisplayActions;
struct TerminalContext;

// frm17: every character code with its name (mode 0, "Info ASCII-Werte"), or the
// virtual-key information file (mode 1, "Info VirtualKey-Map").
class InfoAsciiDialog : public CodeListDialog
{
    Q_OBJECT
public:
    InfoAsciiDialog(TerminalContext& context, DisplayActions& display, int mode, QWidget* parent);
};

// frm12, "ASCII-Editor": a text as rows of codes (CharacterTables::CodeView), its row
// count in the label, and the buttons Rechner and Info.
class CodeViewDialog : public CodeListDialog
{
    Q_OBJECT
public:
    CodeViewDialog(TerminalContext& context, DisplayActions& display, int mode, const QByteArray& text,
                   QWidget* parent);

    const CharacterTables::CodeView& view() const { return m_view; }

private:
    CharacterTables::CodeView m_view;
};

// Functions 735 and 740 (the code view of the display text, of the codes 1 to 255) and 745
// and 746 (the character table, the virtual-key information). The dialogs that have a
// character button reach the table through function 745; each window runs modally over
// whatever window is active and gives the focus back when it closes.
class CharacterWindows : public QObject
{
    Q_OBJECT
public:
    CharacterWindows(TerminalContext& context, DisplayActions& display, QWidget* parent);

    void Info_Ascii(int mode);
    void HexEditor(int mode);

private:
    QWidget* parentWindow() const;

    TerminalContext& m_ctx;
    DisplayActions& m_display;
    QWidget* m_parent;
};

} // namespace tarvex
