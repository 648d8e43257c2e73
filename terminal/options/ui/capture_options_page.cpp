#include "terminal/options/ui/capture_options_page.h"

#include "shared/ui/widget_helpers.h"
#include "shared/app_folders.h"
#include "shared/platform/prompter.h"
#include "shared/platform/shell.h"
#include "terminal/core/terminal_context.h"
#include "terminal/core/terminal_state.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvex {

using WidgetHelpers::named;

namespace {


} // namespace

CaptureOptionsPage::CaptureOptionsPage(TerminalContext& context, QWidget* parent)
    : OptionPage(parent), m_ctx(context)
{
    setObjectName(QStringLiteral("frm7"));
    auto* outer = new QVBoxLayout(this);

    auto* fileBox = new QGroupBox(QStringLiteral("Capturedatei"), this);
    auto* fileRow = new QHBoxLayout(fileBox);
    m_file = named(new QLineEdit(fileBox), "frm7_edCapture");
    auto* choose = named(new QPushButton(QStringLiteral("Auswahl..."), fileBox), "frm7_cmdAuswahl");
    auto* show = named(new QPushButton(QStringLiteral("Anzeigen"), fileBox), "frm7_cmdCapture");
    show->setToolTip(QStringLiteral("Capturedatei im Editor oder ihren Ordner anzeigen"));
    auto* remove = named(new QPushButton(QStringLiteral("Löschen"), fileBox), "frm7_cmdLoeschen");
    remove->setToolTip(QStringLiteral("Capturedatei löschen"));
    fileRow->addWidget(m_file, 1);
    fileRow->addWidget(choose);
    fileRow->addWidget(show);
    fileRow->addWidget(remove);
    outer->addWidget(fileBox);

    auto* optionBox = new QGroupBox(QStringLiteral("Optionen"), this);
    auto* options = new QGridLayout(optionBox);
    m_capture = named(new QCheckBox(QStringLiteral("Capture ein"), optionBox), "frm7_chkCapture");
    m_binary = named(new QCheckBox(QStringLiteral("Binär sichern (ohne Steuerzeichen)"), optionBox), "frm7_chkCapBinär");
    m_dateTime = named(new QCheckBox(QStringLiteral("Datum und Uhrzeit vor jede Zeile der Capturedatei"), optionBox),
                       "frm7_chkCaptZeit");
    m_timeStamp = named(new QCheckBox(QStringLiteral("Zeitstempel vor jeder Zeile"), optionBox), "frm7_chkZeitStemp");
    m_indexStamp = named(new QCheckBox(QStringLiteral("Zeilenstempel vor jeder Zeile"), optionBox), "frm7_chkIndexStemp");
    auto* index = named(new QPushButton(QStringLiteral("Zeilenstempel auf Null"), optionBox), "frm7_cmdIndex");
    m_newMonitor = named(new QCheckBox(QStringLiteral("Monitordatei bei jedem Start neu anlegen"), optionBox),
                         "frm7_chkLoeschMon");
    options->addWidget(m_capture, 0, 0);
    options->addWidget(m_binary, 1, 0);
    options->addWidget(m_dateTime, 2, 0);
    options->addWidget(m_timeStamp, 3, 0);
    options->addWidget(m_indexStamp, 4, 0);
    options->addWidget(index, 4, 1);
    m_reconnect = named(new QCheckBox(QStringLiteral("Verbindung wiederherstellen, wenn die Schnittstelle zurückkehrt"),
                                      optionBox),
                        "frm7_chkWiederverbinden");
    m_reconnect->setToolTip(QStringLiteral("Nach dem Abziehen des Geräts wird die Schnittstelle jede Sekunde geprüft "
                                           "und mit denselben Einstellungen wieder geöffnet"));
    options->addWidget(m_newMonitor, 5, 0);
    options->addWidget(m_reconnect, 6, 0);
    outer->addWidget(optionBox);
    outer->addStretch(1);

    connect(choose, &QPushButton::clicked, this, &CaptureOptionsPage::frm7_cmdAuswahl_Click);
    connect(show, &QPushButton::clicked, this, &CaptureOptionsPage::frm7_cmdCapture_Click);
    connect(remove, &QPushButton::clicked, this, &CaptureOptionsPage::frm7_cmdLoeschen_Click);
    connect(index, &QPushButton::clicked, this, &CaptureOptionsPage::frm7_cmdIndex_Click);
    // Only the user's click shows the note, not load().
    connect(m_dateTime, &QCheckBox::clicked, this, &CaptureOptionsPage::frm7_chkCaptZeit_Click);
    load(context.state.settings);
}

void CaptureOptionsPage::load(const KundeSettings& s)
{
    m_file->setText(s.capDatei);
    m_capture->setChecked(s.capture);
    m_binary->setChecked(s.capBinaer);
    m_dateTime->setChecked(s.capZeit);
    m_timeStamp->setChecked(s.zeitStemp);
    m_indexStamp->setChecked(s.indexStemp);
    m_newMonitor->setChecked(s.loeschMon);
    m_reconnect->setChecked(s.wiederverbinden);
}

void CaptureOptionsPage::apply(KundeSettings& s) const
{
    s.capDatei = captureFile();
    s.capture = m_capture->isChecked();
    s.capBinaer = m_binary->isChecked();
    s.capZeit = m_dateTime->isChecked();
    s.zeitStemp = m_timeStamp->isChecked();
    s.indexStemp = m_indexStamp->isChecked();
    s.loeschMon = m_newMonitor->isChecked();
    s.wiederverbinden = m_reconnect->isChecked();
}

QString CaptureOptionsPage::captureFile() const
{
    return m_file->text().trimmed();
}

void CaptureOptionsPage::frm7_cmdAuswahl_Click()
{
    FileDialogRequest request;
    request.kind = FileDialogKind::Save;
    request.title = QStringLiteral("Bitte Dateinamen angeben:");
    request.startDir = AppFolders::findCaseInsensitive(m_ctx.state.folders.captureDir());
    request.filter = QStringLiteral("Textdatei|*.txt");
    request.defaultExtension = QStringLiteral("txt");
    request.fileName = QFileInfo(AppFolders::findCaseInsensitive(captureFile())).fileName();
    const QStringList chosen = m_ctx.prompter.fileDialog(request);
    if (!chosen.isEmpty() && !chosen.first().isEmpty())
        m_file->setText(chosen.first());
}

void CaptureOptionsPage::frm7_chkCaptZeit_Click(bool checked)
{
    if (!checked)
        return;
    m_ctx.prompter.message(
        QStringLiteral("Information Optionen"),
        QStringLiteral("Diese Option ist nur wirksam, wenn\r\r")
            + QStringLiteral("a) die Option 'Sofort empfangen' auf dem Hauptbildschirm nicht aktiviert ist und\r")
            + QStringLiteral("b) die Option 'Binär sichern (ohne Steuerzeichen)' nicht aktiviert ist."),
        BoxButtons::Ok, BoxIcon::Information);
}

void CaptureOptionsPage::frm7_cmdIndex_Click()
{
    m_ctx.state.lineIndex = 0;
    m_ctx.prompter.information(QStringLiteral("Zeilenstempel auf Null gesetzt."));
}

void CaptureOptionsPage::frm7_cmdLoeschen_Click()
{
    const QString file = captureFile();
    const QString path = AppFolders::findCaseInsensitive(file);
    guarded(m_ctx.errors, "frm7_cmdLoeschen_Click", 0, file, [&] {
        Prompter& prompter = m_ctx.prompter;
        if (file.isEmpty() || !QFileInfo(path).isFile()) {
            prompter.information(QStringLiteral("Capturedatei existiert nicht.\rDatei: ") + file);
            return;
        }
        if (!prompter.ask(QStringLiteral("Soll die Capturedatei\r\r") + file + QStringLiteral("\r\rwirklich gelöscht werden?"), 2))
            return;
        if (!QFile::remove(path))
            throw RuntimeError(ErrorCode::PermissionDenied, file);
        prompter.information(QStringLiteral("Capturedatei ist gelöscht.\r\rDatei: ") + file);
    });
}

void CaptureOptionsPage::frm7_cmdCapture_Click()
{
    const QString file = captureFile();
    guarded(m_ctx.errors, "frm7_cmdCapture_Click", 0, file, [&] {
        const QString path = AppFolders::findCaseInsensitive(file);
        if (!file.isEmpty() && QFileInfo(path).isFile()) {
            m_ctx.programs.startEditor(path);
            return;
        }
        QString name = file;
        name.replace(QLatin1Char('/'), QLatin1Char('\\'));
        const qsizetype cut = name.lastIndexOf(QLatin1Char('\\'));
        const QString dir = AppFolders::findCaseInsensitive(cut < 0 ? m_ctx.state.folders.captureDir() : file.left(cut));
        if (!m_ctx.shell.openFolder(dir))
            throw RuntimeError(ErrorCode::PathNotFound, dir);
    });
}

} // namespace tarvex
