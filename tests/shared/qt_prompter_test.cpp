#include "shared/ui/qt_prompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Choosing another file type in the real save dialog renames the typed file as the
// request says, and the dialog returns the renamed file.
TEST(QtPrompterTest, ChangingTheFileTypeRenamesTheTypedName)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    FileDialogRequest request;
    request.kind = FileDialogKind::Save;
    request.title = QStringLiteral("Speichern unter");
    request.startDir = dir.path();
    request.fileName = QStringLiteral("notiz.txt");
    request.filter = QStringLiteral("Text (*.txt)|*.txt|Einstellungen (*.ini)|*.ini");
    QList<int> asked;
    request.renameForFilter = [&](const QString& typed, int index) {
        asked << index;
        return QFileInfo(typed).completeBaseName() + (index == 2 ? QStringLiteral(".ini") : QStringLiteral(".txt"));
    };
    QString shownAfterRename;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        emit dialog->filterSelected(dialog->nameFilters().at(1));
        shownAfterRename = QFileInfo(dialog->selectedFiles().value(0)).fileName();
        QMetaObject::invokeMethod(dialog, "accept");
    });
    QtPrompter prompter;
    const QStringList chosen = prompter.fileDialog(request);
    EXPECT_EQ(asked, QList<int>{2});
    EXPECT_EQ(shownAfterRename, "notiz.ini");
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(QFileInfo(chosen.first()).fileName(), "notiz.ini");
}

} // namespace
