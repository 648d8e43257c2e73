#pragma once

#include "terminal/display/print_layout.h"

#include <QObject>
#include <QStringList>

#include <memory>

class QTreeWidget;

namespace tarvex {

class DisplayView;
class Printer;
struct TerminalContext;

// The operations on the live display and on the lists of the dialogs (Anzeige): copy to
// the clipboard, save as text or rich text, print (also lists as tables), the printer
// information and test page, clearing, and showing the display in the editor. Registers
// the program functions 140, 141, 142, 146, 156, 157, 160, 165 and 166.
class DisplayActions : public QObject
{
    Q_OBJECT
public:
    DisplayActions(TerminalContext& context, DisplayView* display, QObject* parent = nullptr);
    ~DisplayActions() override;

    // The system's default printer unless another one is set (the printer stays the caller's).
    void setPrinter(Printer* printer) { m_printer = printer; }

    // Operations on the display:
    //   11 copy, 12 save (text or rich text), 22 save with rich text offered first,
    //   13 print with the title "Monitorausdruck".
    void Anzeige(int mode);
    // Operations on the lines of a list or text given by the caller:
    //   1 copy (at most about 60000 characters), 2 save as text, 32 save as text or rich text.
    void Anzeige(int mode, const QStringList& lines);
    // Print mode 3: a list as a table, one column per header, after the question.
    void printTable(const QString& title, const QList<PrintColumn>& columns, const QList<QStringList>& rows,
                    const QString& options = PrintLayout::kDefaultOptions);
    // Print mode 3 for a list window: its column titles and rows, left-aligned.
    void printList(const QString& title, const QTreeWidget* list);
    // The print routine without the question: lines under a title.
    void printLines(const QString& title, const QStringList& lines,
                    const QString& options = PrintLayout::kDefaultOptions);

    // Lines printed as they are: no page header, no footer (the script's printout).
    void printPlain(const QStringList& lines);

    // Print mode 0: the printer's figures in a box captioned with the title.
    bool printerInformation(const QString& title);
    // The printer information, then a test page.
    void testPrint();
    // Clears the display after the question.
    void clearDisplay();
    // Saves the display to editor.txt and opens it in the editor.
    void showInEditor();

    // The display's text, one entry per line.
    QStringList displayLines() const;
    // The display these operations work on (lists can be shown over it).
    DisplayView* display() const { return m_display; }
    // The display as a rich text document with its fonts and colours.
    QByteArray displayRtf() const;

private:
    void registerFunctions();
    Printer& printer();
    PrintFont printFont() const;
    PrintLayout layout(const QString& title, const QString& options);
    void copyText(const QString& text);
    void save(int mode, const QStringList& lines, bool richTextOffered, bool richTextFirst);
    QString confirmSaveFile(bool richTextOffered, bool richTextFirst);
    bool askPrint();

    TerminalContext& m_ctx;
    DisplayView* m_display;
    Printer* m_printer = nullptr;
    std::unique_ptr<Printer> m_systemPrinter;
};

} // namespace tarvex
