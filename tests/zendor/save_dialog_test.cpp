// zendor's save-file dialog on the real file dialog of the offscreen platform.

#include "shared/profile_store.h"
#include "shared/ui/qt_prompter.h"
#include "tests/support/fake_shell.h"
#include "tests/support/virtual_clock.h"
#include "zendor/zendor_context.h"
#include "zendor/zendor_dispatcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The caller decides what happens to an existing file, so choosing one in the save
// dialog hands it back without a replace question.
TEST(SaveDialogTest, ChoosingAnExistingFileDoesNotAskBeforeReplacing)
{
    QTemporaryDir prog;
    ASSERT_TRUE(prog.isValid());
    QDir().mkpath(prog.filePath("Kunde"));
    QDir().mkpath(prog.filePath("daten"));
    const QString existing = prog.filePath("daten/vorhanden.dat");
    QFile f(existing);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("alt");
    f.close();

    QtPrompter prompter;
    FakeShell shell;
    VirtualClock clock;
    zendor::ZendorContext ctx(prompter, shell, clock);
    ctx.setFolders(prog.path(), prog.path() + "/Kunde/");

    QStringList questions;
    bool dialogSeen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialogSeen = true;
        dialog->selectFile(existing);
        // A question box would run its own loop inside accept(): note it and say yes.
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                questions << box->text();
                if (QAbstractButton* yes = box->button(QMessageBox::Yes))
                    yes->click();
                else
                    box->reject();
            }
        });
        QMetaObject::invokeMethod(dialog, "accept");
        if (dialog->isVisible())
            dialog->reject(); // the test has failed; don't wait for a user
    });
    zendor::ZendorDispatcher(ctx).run("|2||0|dat||Sichern||/daten|");

    EXPECT_TRUE(dialogSeen);
    EXPECT_TRUE(questions.isEmpty()) << questions.value(0).toStdString();
    EXPECT_EQ(ProfileStore(ctx.dataDir()).IniString(1, "tarvex.ini", "ZENDOR", "Dateiname"),
              QDir::toNativeSeparators(existing));
    QFile again(existing);
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), "alt"); // choosing is not writing
}

} // namespace
