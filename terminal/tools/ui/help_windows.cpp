#include "terminal/tools/ui/help_windows.h"

#include "shared/help_file.h"
#include "shared/platform/prompter.h"
#include "shared/ui/help_window.h"
#include "terminal/core/function_numbers.h"
#include "terminal/core/function_table.h"
#include "terminal/core/help_keywords.h"
#include "terminal/core/terminal_context.h"
#include "terminal/core/terminal_state.h"

#include <QApplication>

namespace tarvex {

QString HelpWindows::defaultFile(const QString& programDir)
{
    return programDir + QStringLiteral("Terminal Tarvex.hlp");
}

HelpWindows::HelpWindows(TerminalContext& context, QWidget* parent, QString file)
    : QObject(parent), m_ctx(context), m_parent(parent),
      m_file(file.isEmpty() ? defaultFile(context.state.folders.programDir()) : std::move(file))
{
    const QPointer<HelpWindows> self(this);
    m_ctx.help.setViewer([self](const QString& keyword) {
        if (self)
            self->showKeyword(keyword);
    });
    const auto add = [&](int number, const char* caption, const char* tip, void (HelpWindows::*open)()) {
        m_ctx.functions.add(number, FunctionEntry{[self, open] {
                                                      if (self)
                                                          ((*self).*open)();
                                                  },
                                                  QString::fromUtf8(caption), QString::fromUtf8(tip), {}, {}, {}});
    };
    add(Fn::Hilfe, "Hilfe", "Online-Hilfe aufrufen", &HelpWindows::showContents);
    add(Fn::HilfeIndex, "Hilfe-Index", "Stichwörter der Hilfe", &HelpWindows::showIndex);
    m_ctx.functions.add(Fn::HilfeScripts, FunctionEntry{[self] {
                                                            if (self)
                                                                self->showKeyword(HelpKeyword::ScriptBefehle);
                                                        },
                                                        QStringLiteral("Script-Befehle"),
                                                        QStringLiteral("Hilfe zu den Scriptbefehlen"), {}, {}, {}});
}

HelpWindows::~HelpWindows()
{
    m_ctx.help.setViewer({});
    delete m_window;
}

HelpWindow* HelpWindows::window() const
{
    return m_window;
}

bool HelpWindows::load()
{
    if (m_window) {
        placeOverActiveDialog();
        return true;
    }
    QString error;
    std::optional<HelpFile> help = HelpFile::load(m_file, &error);
    if (!help) {
        m_ctx.prompter.message(QStringLiteral("Information"),
                               QStringLiteral("Die Hilfedatei \"%1\" kann nicht geöffnet werden.\r%2").arg(m_file, error),
                               BoxButtons::Ok, BoxIcon::Exclamation);
        return false;
    }
    m_window = new HelpWindow(std::move(*help), QStringLiteral("Terminal Tarvex - Hilfe"), m_parent);
    placeOverActiveDialog();
    return true;
}

void HelpWindows::placeOverActiveDialog()
{
    // A modal dialog blocks every window but its own: the help it asks for belongs to it for
    // as long as it runs, and to the main window otherwise.
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner || owner == m_window)
        owner = m_parent;
    if (m_window->parentWidget() != owner)
        m_window->setParent(owner, m_window->windowFlags());
}

void HelpWindows::showKeyword(const QString& keyword)
{
    if (load())
        m_window->showKeyword(keyword);
}

void HelpWindows::showContents()
{
    if (load())
        m_window->showContents();
}

void HelpWindows::showIndex()
{
    if (load())
        m_window->showIndex();
}

} // namespace tarvex
