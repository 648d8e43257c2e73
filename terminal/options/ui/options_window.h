#pragma once

#include "terminal/core/kunde_settings.h"

#include <QDialog>
#include <QList>

class QTabWidget;

namespace tarvex {

class OptionPage;
struct TerminalContext;

// The options window (frm4): the pages Allgemein, Passwort, Verbindung, Anzeige, Filter,
// Modem and Session, then the mail server page. Every page shows the same working copy of
// the settings. OK takes the pages' values over (only what they show: settings that changed
// elsewhere while the window was open stay), checks the capture folder, writes kunde.ini and
// tells the window; a field that can't be taken keeps the window open. Cancel changes
// nothing. The password is the exception: it is stored at once when entered or deleted.
class OptionsWindow : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kPages = 8;

    // page 1 to 7 as the program functions count them (8: the mail page).
    OptionsWindow(TerminalContext& context, int page, QWidget* parent = nullptr);

    // Shows the window modally on the page; returns when it is closed.
    static void Optionen(TerminalContext& context, int page, QWidget* parent);

    void accept() override;

private:
    void commitPassword(const QString& password, bool passStart);
    void writeSettings();

    TerminalContext& m_ctx;
    KundeSettings m_copy;
    QTabWidget* m_tabs = nullptr;
    QList<OptionPage*> m_pages;
};

} // namespace tarvex
