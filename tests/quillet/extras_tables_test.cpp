#include "tests/quillet/window_rig.h"

#include "quillet/ui/hex_view_dialog.h"
#include "quillet/ui/sheet_editor.h"
#include "quillet/ui/special_chars_dialog.h"

#include <QAction>
#include <QFile>
#include <QListView>
#include <QPushButton>
#include <QTest>

using quillet::CharacterGrid;

namespace {

struct Tables : public ::testing::Test {
    WindowRig rig;
    std::unique_ptr<quillet::MainWindow> window = rig.make();
    quillet::SheetEditor& editor() { return *window->currentSheet().editor; }

    void SetUp() override
    {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    void trigger(const char* name) { window->actions().action(QString::fromLatin1(name))->trigger(); }
};

CharacterGrid* gridOf(QWidget* dialog) { return dialog->findChild<CharacterGrid*>(); }

} // namespace

TEST_F(Tables, AClickedCharacterReplacesTheSelectionInOneUndoStep)
{
    editor().setPlainText(QStringLiteral("Preis: EUR 5"));
    editor().setSelection(7, 10);
    onNextDialog([](QWidget* dialog) {
        CharacterGrid* grid = gridOf(dialog);
        const int euro = static_cast<int>(grid->characters().indexOf(QChar(0x20AC)));
        ASSERT_GE(euro, 0);
        QTest::mouseClick(grid, Qt::LeftButton, {}, grid->cellRect(euro).center());
    });
    trigger("actSonderzeichen");
    EXPECT_EQ(editor().rawText(), QStringLiteral("Preis: € 5"));
    EXPECT_EQ(editor().caretPosition(), 8);
    editor().undo();
    EXPECT_EQ(editor().rawText(), QStringLiteral("Preis: EUR 5"));
}

TEST_F(Tables, TheKeyboardMovesThroughTheGridAndCancelInsertsNothing)
{
    editor().setPlainText(QStringLiteral("ab"));
    editor().setCaretPosition(1);
    // Right, Down and Enter: the character one row and one column after the blank.
    onNextDialog([](QWidget* dialog) {
        CharacterGrid* grid = gridOf(dialog);
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
        EXPECT_TRUE(grid->hasFocus());
        QTest::keyClick(grid, Qt::Key_Right);
        QTest::keyClick(grid, Qt::Key_Down);
        QTest::keyClick(grid, Qt::Key_Return);
    });
    trigger("actSonderzeichen");
    EXPECT_EQ(editor().rawText(), QStringLiteral("a1b"));  // 32 + 1 + 16 = '1'

    onNextDialog([](QWidget* dialog) {
        QTest::keyClick(gridOf(dialog), Qt::Key_End);
        dialog->findChild<QPushButton*>(QStringLiteral("cmdAbbrechen"))->click();
    });
    trigger("actSonderzeichen");
    EXPECT_EQ(editor().rawText(), QStringLiteral("a1b"));

    onNextDialog([](QWidget* dialog) {
        QTest::keyClick(gridOf(dialog), Qt::Key_End);
        dialog->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    });
    trigger("actSonderzeichen");
    EXPECT_EQ(editor().rawText(), QStringLiteral("a1ÿb"));
}

TEST(CharacterGrid, LeavesOutTheUndefinedCodesAndDel)
{
    const CharacterGrid grid(QFont(QStringLiteral("Courier New")));
    EXPECT_EQ(grid.characters().size(), 224 - 6);
    EXPECT_EQ(grid.characters().first(), QChar(u' '));
    EXPECT_FALSE(grid.characters().contains(QChar(0x7F)));
    EXPECT_FALSE(grid.characters().contains(QChar(0x81)));
    EXPECT_TRUE(grid.characters().contains(QChar(0x0178)));  // 0x9F
    EXPECT_EQ(grid.indexAt(grid.cellRect(17).center()), 17);
    EXPECT_EQ(grid.indexAt(QPoint(grid.sizeHint().width() + 5, 1)), -1);
}

TEST_F(Tables, TheHexViewShowsTheOpenedFileAndScrollsToItsEnd)
{
    // A binary file of 3 MB read as Windows-1252: every byte is a character, so the rows
    // give the file's bytes back.
    QByteArray bytes;
    for (int i = 0; i < 3 * 1024 * 1024; ++i)
        bytes.append(static_cast<char>((i * 7) & 0xFF));
    bytes.replace('\r', 'x').replace('\n', 'y');
    const QString path = rig.dir.filePath(QStringLiteral("data.bin"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    ASSERT_TRUE(window->openFile(path));

    onNextDialog([&bytes](QWidget* dialog) {
        auto* list = dialog->findChild<QListView*>(QStringLiteral("lstHex"));
        const QAbstractItemModel* model = list->model();
        ASSERT_EQ(model->rowCount(), bytes.size() / 16);
        EXPECT_EQ(model->index(1, 0).data().toString().left(9 + 48),
                  QStringLiteral("00000010 70 77 7E 85 8C 93 9A A1 A8 AF B6 BD C4 CB D2 D9 "));
        QTest::keyClick(list, Qt::Key_End, Qt::ControlModifier);
        EXPECT_EQ(list->currentIndex().row(), model->rowCount() - 1);
        const QModelIndex last = model->index(model->rowCount() - 1, 0);
        EXPECT_TRUE(list->viewport()->rect().contains(list->visualRect(last)));
        EXPECT_TRUE(model->index(model->rowCount() - 1, 0).data().toString().startsWith(QStringLiteral("002FFFF0 ")));
        dialog->findChild<QPushButton*>(QStringLiteral("cmdAbbrechen"))->click();
    });
    trigger("actHexadezimal");
    EXPECT_FALSE(window->currentSheet().isModified());
}
