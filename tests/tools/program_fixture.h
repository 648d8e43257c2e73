#pragma once

#include "tests/support/find_named.h"
#include "tests/support/program_windows.h"
#include "tests/terminal/terminal_fixture.h"

#include <QAbstractItemView>

#include <memory>

// The terminal with all its windows, as the program builds them, on a temporary folder.
// A test fixture puts its data files in place in beforeStart() and loads more after the
// start in afterStart(); the boxes of the start (the folder has no menu file) are cleared.
class ProgramFixture : public TerminalFixture
{
public:
    // The texts of a list view's rows.
    static QStringList modelRows(const QAbstractItemView* view)
    {
        QStringList out;
        const QAbstractItemModel* m = view->model();
        for (int i = 0; i < m->rowCount(); ++i)
            out << m->index(i, 0).data().toString();
        return out;
    }

protected:
    void SetUp() override
    {
        TerminalFixture::SetUp();
        writeFile(config("Scripts.ini"), "[Script]\r\n");
        beforeStart();
        terminal().StartVorbereitung();
        afterStart();
        program = std::make_unique<ProgramWindows>(rig());
        prompter.clearRecords();
    }
    void TearDown() override { program.reset(); }

    virtual void beforeStart() {}
    virtual void afterStart() {}

    std::unique_ptr<ProgramWindows> program;
};
