#include "terminal/options/ui/general_options_page.h"

#include "shared/app_folders.h"
#include "shared/ui/widget_helpers.h"
#include "terminal/core/terminal_context.h"
#include "terminal/core/terminal_state.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tarvex {

using WidgetHelpers::named;

namespace {

// The longest start delay: an hour.
constexpr int kMaxDelaySeconds = 3600;

} // namespace

GeneralOptionsPage::GeneralOptionsPage(TerminalContext& context, QWidget* parent)
    : OptionPage(parent), m_ctx(context)
{
    setObjectName(QStringLiteral("frm5"));
    auto* outer = new QVBoxLayout(this);

    auto* startBox = new QGroupBox(QStringLiteral("Programmstart"), this);
    auto* start = new QGridLayout(startBox);
    m_delay = named(new QLineEdit(startBox), "frm5_edVerzögert");
    m_delay->setMaximumWidth(80);
    start->addWidget(new QLabel(QStringLiteral("Verbindung öffnen nach"), startBox), 0, 0);
    auto* delayRow = new QHBoxLayout;
    delayRow->addWidget(m_delay);
    delayRow->addWidget(new QLabel(QStringLiteral("Sekunden"), startBox));
    delayRow->addStretch(1);
    start->addLayout(delayRow, 0, 1);
    m_scriptStart = named(new QCheckBox(QStringLiteral("Script nach dem Start ausführen:"), startBox), "frm5_chkScriptStart");
    m_scriptText = named(new QComboBox(startBox), "frm5_cbScriptText");
    m_scriptText->setEditable(true);
    m_scriptText->setMinimumContentsLength(24);
    start->addWidget(m_scriptStart, 1, 0);
    start->addWidget(m_scriptText, 1, 1);
    m_noEndQuestion = named(new QCheckBox(QStringLiteral("Programm ohne Sicherheitsabfrage beenden"), startBox), "frm5_chkPrgNoEnd");
    start->addWidget(m_noEndQuestion, 2, 0, 1, 2);
    outer->addWidget(startBox);

    auto* windowBox = new QGroupBox(QStringLiteral("Hauptfenster"), this);
    auto* win = new QGridLayout(windowBox);
    m_coordinates = named(new QCheckBox(QStringLiteral("Position und Größe beim Beenden merken"), windowBox), "frm5_chkKoordinate");
    m_taskbar = named(new QCheckBox(QStringLiteral("In der Taskleiste anzeigen"), windowBox), "frm5_chkTaskleiste");
    m_normal = named(new QRadioButton(QStringLiteral("Normal starten"), windowBox), "frm5_optNormal");
    m_minimised = named(new QRadioButton(QStringLiteral("Minimiert starten"), windowBox), "frm5_optMinimiert");
    m_maximised = named(new QRadioButton(QStringLiteral("Maximiert starten"), windowBox), "frm5_optMaximiert");
    m_menuKeys = named(new QCheckBox(QStringLiteral("Tastenkürzel im Menü anzeigen"), windowBox), "frm5_chkMenuTasten");
    win->addWidget(m_coordinates, 0, 0);
    win->addWidget(m_normal, 0, 1);
    win->addWidget(m_taskbar, 1, 0);
    win->addWidget(m_minimised, 1, 1);
    win->addWidget(m_menuKeys, 2, 0);
    win->addWidget(m_maximised, 2, 1);
    outer->addWidget(windowBox);

    auto* exportBox = new QGroupBox(QStringLiteral("Exportprogramm für Listen"), this);
    auto* exportRow = new QHBoxLayout(exportBox);
    m_export = named(new QLineEdit(exportBox), "frm5_edExport");
    m_export->setToolTip(QStringLiteral("Programm, das exportierte Listen öffnet (z. B. eine Tabellenkalkulation)"));
    auto* choose = named(new QPushButton(QStringLiteral("Auswahl..."), exportBox), "frm5_cmdExport");
    exportRow->addWidget(m_export, 1);
    exportRow->addWidget(choose);
    outer->addWidget(exportBox);

    m_debug = named(new QCheckBox(QStringLiteral("Debug-Anzeige (empfangene Daten mit Pufferrest)"), this), "frm5_chkDebug");
    outer->addWidget(m_debug);
    outer->addStretch(1);

    connect(m_scriptStart, &QCheckBox::toggled, m_scriptText, &QWidget::setEnabled);
    connect(choose, &QPushButton::clicked, this, &GeneralOptionsPage::frm5_cmdExport_Click);
}

void GeneralOptionsPage::load(const KundeSettings& s)
{
    showNumber(m_delay, s.verzoegert);
    // The start script is named as the script bar shows it; a name of another group stays.
    m_scriptText->clear();
    m_scriptText->addItems(m_ctx.state.scripts.barItems());
    m_scriptText->setCurrentText(s.scriptText);
    m_scriptStart->setChecked(s.scriptStart);
    m_scriptText->setEnabled(s.scriptStart);
    m_noEndQuestion->setChecked(s.prgNoEnd);
    m_coordinates->setChecked(s.koordinate);
    m_taskbar->setChecked(s.taskleiste);
    (s.minimiert ? m_minimised : s.maximiert ? m_maximised : m_normal)->setChecked(true);
    m_menuKeys->setChecked(s.menuTasten);
    m_export->setText(s.exportSetting);
    m_debug->setChecked(s.debug);
}

void GeneralOptionsPage::apply(KundeSettings& s) const
{
    s.verzoegert = numberValue(m_delay);
    s.scriptStart = m_scriptStart->isChecked();
    s.scriptText = m_scriptText->currentText().trimmed();
    s.prgNoEnd = m_noEndQuestion->isChecked();
    s.koordinate = m_coordinates->isChecked();
    s.taskleiste = m_taskbar->isChecked();
    s.minimiert = m_minimised->isChecked();
    s.maximiert = m_maximised->isChecked();
    s.menuTasten = m_menuKeys->isChecked();
    s.exportSetting = m_export->text().trimmed();
    s.debug = m_debug->isChecked();
}

std::optional<OptionPage::Problem> GeneralOptionsPage::check() const
{
    return numberProblem(m_delay, QStringLiteral("Verbindung öffnen nach (Sekunden)"), 0, kMaxDelaySeconds);
}

void GeneralOptionsPage::frm5_cmdExport_Click()
{
    FileDialogRequest request;
    request.kind = FileDialogKind::Open;
    request.title = QStringLiteral("Bitte Exportprogramm auswählen:");
    request.startDir = AppFolders::findCaseInsensitive(m_ctx.state.folders.programDir());
    request.filter = QStringLiteral("Alle Dateien|*|Programme|*.exe;*.com;*.bat;*.cmd;*.sh");
    const QStringList chosen = m_ctx.prompter.fileDialog(request);
    if (!chosen.isEmpty() && !chosen.first().isEmpty())
        m_export->setText(chosen.first());
}

} // namespace tarvex
