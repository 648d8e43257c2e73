// The character table and the hexadecimal view of the "Extras" menu.
#include "quillet/document.h"
#include "quillet/ui/hex_view_dialog.h"
#include "quillet/ui/main_window.h"
#include "quillet/ui/sheet_editor.h"
#include "quillet/ui/special_chars_dialog.h"

namespace quillet {

void MainWindow::specialCharacters()
{
    SheetEditor* editor = currentSheet().editor;
    SpecialCharsDialog dialog(editor->font(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    editor->insertPlainText(QString(dialog.character()));
    editor->setFocus();
}

void MainWindow::hexView()
{
    const Document& document = *currentSheet().document;
    HexViewDialog dialog(document.text(), document.format().lineEnd, this);
    dialog.exec();
}

} // namespace quillet
