#include "shared/ui/qt_prompter.h"

#include <QApplication>
#include <QDir>
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

// An open dialog that may return a missing name accepts a typed name of no file.
TEST(QtPrompterTest, OpenDialogMayReturnANameThatDoesNotExistYet)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    FileDialogRequest request;
    request.kind = FileDialogKind::Open;
    request.title = QStringLiteral("Öffnen");
    request.startDir = dir.path();
    request.filter = QStringLiteral("Text (*.txt)|*.txt");
    request.defaultExtension = QStringLiteral("txt");
    request.mayNotExist = true;
    bool stillOpen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(QStringLiteral("neu"));
        // A dialog that insists on existing files warns in a box of its own: closed again.
        QTimer::singleShot(0, [dialog] {
            QWidget* box = QApplication::activeModalWidget();
            if (box && box != dialog)
                box->close();
        });
        QMetaObject::invokeMethod(dialog, "accept");
        stillOpen = dialog->isVisible();
        if (stillOpen)
            dialog->reject();
    });
    QtPrompter prompter;
    const QStringList chosen = prompter.fileDialog(request);
    EXPECT_FALSE(stillOpen);
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(QFileInfo(chosen.first()).absoluteFilePath(), QDir(dir.path()).absoluteFilePath("neu.txt"));
    EXPECT_FALSE(QFileInfo::exists(chosen.first()));
}

} // namespace
