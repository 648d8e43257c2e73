#include "terminal/serial/ui/port_dialog.h"

#include "shared/ui/widget_helpers.h"
#include "shared/number_text.h"
#include "shared/platform/prompter.h"
#include "terminal/serial/port_choices.h"
#include "terminal/core/function_numbers.h"
#include "terminal/core/function_table.h"
#include "terminal/core/system_programs.h"
#include "terminal/core/terminal_context.h"
#include "terminal/core/connection_control.h"
#include "terminal/core/error_report.h"
#include "terminal/core/settings_file.h"
#include "terminal/core/view_roles.h"
#include "terminal/serial/serial_module.h"
#include "terminal/core/terminal_state.h"
#include "terminal/core/help_keywords.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSerialPortInfo>
#include <QVBoxLayout>

namespace tarvex {

using WidgetHelpers::named;

namespace {


QLineEdit* digitsField(QWidget* parent, const char* name)
{
    auto* e = named(new QLineEdit(parent), name);
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,6}")), e));
    e->setMaximumWidth(80);
    return e;
}

const QStringList kSessionWidths = {QStringLiteral("80"), QStringLiteral("100"), QStringLiteral("132")};

} // namespace

PortDialog::PortDialog(TerminalContext& context, SerialModule& serial, QWidget* parent)
    : QDialog(parent), m_ctx(context), m_serial(serial)
{
    setObjectName(QStringLiteral("frm2"));
    setWindowTitle(QStringLiteral("Parameter (Schnittstelle)"));
    build();
    showSettings(context.state.settings);
}

void PortDialog::build()
{
    auto* outer = new QVBoxLayout(this);
    auto* port = new QGroupBox(QStringLiteral("Schnittstelle"), this);
    auto* form = new QFormLayout(port);
    m_com = named(new QComboBox(port), "frm2_cbCOM");
    m_com->addItems(PortChoices::portNames());
    m_device = named(new QComboBox(port), "frm2_cbGeraet");
    m_device->setEditable(true);
    m_device->setToolTip(QStringLiteral("Gerät hinter dem gewählten COM-Anschluss"));
    m_baud = named(new QComboBox(port), "frm2_cbBaud");
    for (int b : PortChoices::baudRates())
        m_baud->addItem(QString::number(b));
    m_framing = named(new QComboBox(port), "frm2_cbPara");
    m_framing->addItems(PortChoices::framings());
    m_endChar = named(new QComboBox(port), "frm2_cbEndzeichen");
    m_endChar->addItems(PortChoices::endCharacterItems());
    m_protocol = named(new QComboBox(port), "frm2_cbProtokoll");
    m_protocol->addItems(PortChoices::protocols());
    form->addRow(QStringLiteral("Anschluss:"), m_com);
    form->addRow(QStringLiteral("Gerät:"), m_device);
    form->addRow(QStringLiteral("Baudrate:"), m_baud);
    form->addRow(QStringLiteral("Parameter:"), m_framing);
    form->addRow(QStringLiteral("Endzeichen:"), m_endChar);
    form->addRow(QStringLiteral("Protokoll:"), m_protocol);
    m_connectionText = named(new QLabel(port), "frm2_lblVerbindung");
    m_endCharText = named(new QLabel(port), "frm2_lblEndzeichen");
    form->addRow(m_connectionText);
    form->addRow(m_endCharText);
    outer->addWidget(port);

    auto* options = new QGroupBox(QStringLiteral("Optionen"), this);
    auto* grid = new QGridLayout(options);
    m_empfang = named(new QCheckBox(QStringLiteral("Sofort empfangen"), options), "frm2_chkEmpfang");
    m_sofort = named(new QCheckBox(QStringLiteral("Sofort senden"), options), "frm2_chkSofort");
    m_echo = named(new QCheckBox(QStringLiteral("Echo aus"), options), "frm2_chkEcho");
    m_tasten = named(new QCheckBox(QStringLiteral("Steuertasten senden"), options), "frm2_chkTasten");
    m_session = named(new QCheckBox(QStringLiteral("Session"), options), "frm2_chkSession");
    m_sessionZ = named(new QComboBox(options), "frm2_cbZeichen");
    m_sessionZ->addItems(kSessionWidths);
    m_datBin = named(new QCheckBox(QStringLiteral("Dateien binär senden"), options), "frm2_chkDatBin");
    m_hex = named(new QCheckBox(QStringLiteral("HEX-Anzeige"), options), "frm2_chkHEXWert");
    m_steuer = named(new QCheckBox(QStringLiteral("Steuerzeichen anzeigen"), options), "frm2_chkSteuer");
    const QList<QWidget*> boxes = {m_empfang, m_sofort, m_echo, m_tasten, m_datBin, m_hex, m_steuer};
    for (int i = 0; i < boxes.size(); ++i)
        grid->addWidget(boxes[i], i / 2, i % 2);
    auto* sessionRow = new QHBoxLayout;
    sessionRow->addWidget(m_session);
    sessionRow->addWidget(m_sessionZ);
    sessionRow->addWidget(new QLabel(QStringLiteral("Zeichen"), options));
    grid->addLayout(sessionRow, 4, 0, 1, 2);
    connect(m_session, &QCheckBox::toggled, m_sessionZ, &QWidget::setEnabled);

    m_pause = digitsField(options, "frm2_edPause");
    m_pauseR = digitsField(options, "frm2_edPause1");
    m_pauseL = digitsField(options, "frm2_edPause2");
    auto* pauses = new QHBoxLayout;
    pauses->addWidget(new QLabel(QStringLiteral("Sendepause (ms) Zeichen:"), options));
    pauses->addWidget(m_pause);
    pauses->addWidget(new QLabel(QStringLiteral("nach CR:"), options));
    pauses->addWidget(m_pauseR);
    pauses->addWidget(new QLabel(QStringLiteral("nach LF:"), options));
    pauses->addWidget(m_pauseL);
    grid->addLayout(pauses, 5, 0, 1, 2);
    m_backSpaceOn = named(new QCheckBox(QStringLiteral("Backspace-Code:"), options), "frm2_chkBackSpace");
    m_backSpace = digitsField(options, "frm2_edBackSpace");
    connect(m_backSpaceOn, &QCheckBox::toggled, m_backSpace, &QWidget::setEnabled);
    auto* bs = new QHBoxLayout;
    bs->addWidget(m_backSpaceOn);
    bs->addWidget(m_backSpace);
    bs->addStretch(1);
    grid->addLayout(bs, 6, 0, 1, 2);
    m_groupOn = named(new QCheckBox(QStringLiteral("Scriptgruppe laden:"), options), "frm2_chkScriptgruppe");
    m_group = named(new QComboBox(options), "frm2_cbScriptgruppe");
    const QDir scripts(m_ctx.state.folders.scriptsDir());
    m_group->addItems(scripts.entryList({QStringLiteral("*.ini")}, QDir::Files, QDir::Name));
    connect(m_groupOn, &QCheckBox::toggled, m_group, &QWidget::setEnabled);
    m_group->setEnabled(false);
    auto* group = new QHBoxLayout;
    group->addWidget(m_groupOn);
    group->addWidget(m_group, 1);
    grid->addLayout(group, 7, 0, 1, 2);
    outer->addWidget(options);

    auto* buttons = new QHBoxLayout;
    auto* ok = named(new QPushButton(QStringLiteral("Übernehmen"), this), "frm2_cmdÜbernehmen");
    auto* cancel = named(new QPushButton(QStringLiteral("Abbrechen"), this), "frm2_cmdAbbrechen");
    auto* load = named(new QPushButton(QStringLiteral("Laden..."), this), "frm2_cmdAuswahl");
    auto* save = named(new QPushButton(QStringLiteral("Sichern"), this), "frm2_cmdSichern");
    auto* system = named(new QPushButton(QStringLiteral("System..."), this), "frm2_cmdSystem");
    system->setToolTip(QStringLiteral("Geräteeinstellungen des Systems"));
    connect(system, &QPushButton::clicked, this, [this] {
        // The system's device settings: the control panel's system page.
        guarded(m_ctx.errors, "frm2_cmdSystem_Click", 0, QString(), [&] {
            const SystemPrograms::Entry& page = SystemPrograms::systemPage();
            if (!SystemPrograms::start(m_ctx.shell, page))
                throw RuntimeError(ErrorCode::FileNotFound, page.windowsName);
        });
    });
    load->setToolTip(QStringLiteral("Parametersatz laden"));
    save->setToolTip(QStringLiteral("Parametersatz sichern"));
    ok->setDefault(true);
    buttons->addWidget(load);
    buttons->addWidget(save);
    buttons->addWidget(system);
    auto* ascii = named(new QPushButton(QStringLiteral("ASCII..."), this), "frm2_cmdAsciiWerte");
    ascii->setToolTip(QStringLiteral("Zeichentabelle zeigen"));
    connect(ascii, &QPushButton::clicked, this, [this] { m_ctx.functions.PrgFunktionen(Fn::InfoAscii); });
    buttons->addWidget(ascii);
    buttons->addWidget(WidgetHelpers::helpButton(this, QStringLiteral("frm2"), [this] { m_ctx.help.open(HelpKeyword::Schnittstelle); }));
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    outer->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &PortDialog::frm2_cmdUebernehmen_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(load, &QPushButton::clicked, this, &PortDialog::frm2_cmdAuswahl_Click);
    connect(save, &QPushButton::clicked, this, &PortDialog::frm2_cmdSichern_Click);

    // The device field belongs to the chosen COM entry.
    connect(m_com, &QComboBox::currentIndexChanged, this, [this] { updateDeviceField(); });
    connect(m_device, &QComboBox::editTextChanged, this, [this](const QString& text) {
        const int i = m_com->currentIndex();
        if (i >= 0 && i < m_devices.size())
            m_devices[i] = text;
    });
    for (QComboBox* c : {m_baud, m_framing, m_endChar})
        connect(c, &QComboBox::currentIndexChanged, this, [this] { updateLabels(); });
}

void PortDialog::updateDeviceField()
{
    const int i = m_com->currentIndex();
    QStringList choices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        choices << info.systemLocation();
    const QString current = m_devices.value(i).isEmpty() ? m_serial.line().devicePath(i + 1) : m_devices.value(i);
    if (!choices.contains(current))
        choices.prepend(current);
    const QSignalBlocker block(m_device);
    m_device->clear();
    m_device->addItems(choices);
    m_device->setCurrentText(current);
}

void PortDialog::updateLabels()
{
    m_connectionText->setText(QStringLiteral("COM ") + QString::number(m_com->currentIndex() + 1) + QStringLiteral("   ")
                              + m_baud->currentText() + QLatin1Char(',') + m_framing->currentText());
    m_endCharText->setText(QStringLiteral("Endzeichen = ") + m_endChar->currentText().left(2));
}

void PortDialog::showSettings(const KundeSettings& s)
{
    m_devices.clear();
    for (const QString& d : s.portDevices)
        m_devices << d;
    const int com = s.com >= 1 && s.com <= 20 ? s.com : 1;
    m_com->setCurrentIndex(com - 1);
    updateDeviceField();
    const int baud = m_baud->findText(QString::number(s.baudrate));
    m_baud->setCurrentIndex(baud >= 0 ? baud : m_baud->findText(QStringLiteral("9600")));
    const PortFraming f = PortFraming::of(s);
    m_framing->setCurrentIndex(qMax(0, m_framing->findText(f.text())));
    WidgetHelpers::selectByCode(m_endChar, s.endzeichen);
    m_protocol->setCurrentIndex(qBound(0, s.handshake, 2));
    m_empfang->setChecked(s.sofortEmpf);
    m_sofort->setChecked(s.sofortSend);
    m_echo->setChecked(s.datenEcho);
    m_tasten->setChecked(s.tasten);
    m_session->setChecked(s.session);
    m_sessionZ->setEnabled(s.session);
    m_sessionZ->setCurrentIndex(qMax(0, kSessionWidths.indexOf(QString::number(s.sessionZ))));
    m_datBin->setChecked(s.datBinaer);
    m_hex->setChecked(s.hexWerte);
    m_steuer->setChecked(s.steuerAnzg);
    m_pause->setText(QString::number(s.sendPause));
    m_pauseR->setText(QString::number(s.sendPauseR));
    m_pauseL->setText(QString::number(s.sendPauseL));
    m_backSpaceOn->setChecked(s.backSpace > 0);
    m_backSpace->setEnabled(s.backSpace > 0);
    m_backSpace->setText(s.backSpace > 0 ? QString::number(s.backSpace) : QStringLiteral("8"));
    updateLabels();
}

void PortDialog::applyTo(KundeSettings& s) const
{
    s.com = PortChoices::portFromText(m_com->currentText());
    for (int i = 0; i < m_devices.size() && i < int(s.portDevices.size()); ++i) {
        // Only a device that differs from the default is stored.
        const QString d = m_devices.at(i).trimmed();
        s.portDevices[std::size_t(i)] = d == SerialLine::defaultDevicePath(i + 1) ? QString() : d;
    }
    s.baudrate = leadingInt(m_baud->currentText());
    PortChoices::applyFraming(m_framing->currentText(), s);
    s.endzeichen = PortChoices::endCharacterFromItem(m_endChar->currentText());
    s.handshake = m_protocol->currentIndex();
    s.sofortEmpf = m_empfang->isChecked();
    s.sofortSend = m_sofort->isChecked();
    s.datenEcho = m_echo->isChecked();
    s.tasten = m_tasten->isChecked();
    s.session = m_session->isChecked();
    s.sessionZ = leadingInt(m_sessionZ->currentText());
    s.datBinaer = m_datBin->isChecked();
    s.hexWerte = m_hex->isChecked();
    s.steuerAnzg = m_steuer->isChecked();
    s.sendPause = leadingInt(m_pause->text());
    s.sendPauseR = leadingInt(m_pauseR->text());
    s.sendPauseL = leadingInt(m_pauseL->text());
    s.backSpace = m_backSpaceOn->isChecked() ? leadingInt(m_backSpace->text()) : 0;
}

void PortDialog::frm2_cmdUebernehmen_Click()
{
    TerminalState& st = m_ctx.state;
    KundeSettings& s = st.settings;
    applyTo(s);
    if (m_groupOn->isChecked() && !m_group->currentText().isEmpty()) {
        st.scriptGroupFile = st.folders.scriptsDir() + m_group->currentText();
        m_serial.scriptGroupNamed(st.scriptGroupFile);
    }
    const PortFraming f = PortFraming::of(s);
    const bool reopen = m_ctx.prompter.ask(
        QStringLiteral("Soll die Schnittstelle COM ") + QString::number(s.com) + QStringLiteral(" mit den Parametern\r")
        + QString::number(s.baudrate) + QLatin1Char(',') + f.text() + QStringLiteral(" geöffnet werden?"));
    if (reopen) {
        m_ctx.settingsFile.IniDateien(2);
        m_ctx.connection().reconnect();
    } else {
        // The new values stay in memory; the status bar keeps showing what the open port uses.
        m_ctx.view.settingsChanged();
    }
    accept();
}

void PortDialog::frm2_cmdAuswahl_Click()
{
    KundeSettings copy = m_ctx.state.settings;
    applyTo(copy);
    const QString record = m_serial.parameterSets().ParameterInOut(1);
    if (record.isEmpty())
        return;
    // The set's options went into the settings; its port parameters are shown here.
    KundeSettings shown = m_ctx.state.settings;
    shown.portDevices = copy.portDevices;
    ParameterSet::applyPortRecord(record, shown);
    showSettings(shown);
    // The set's script group is offered for loading.
    const QString group = QFileInfo(m_ctx.state.scriptGroupFile).fileName();
    const int index = group.isEmpty() ? -1 : m_group->findText(group, Qt::MatchFixedString);
    m_groupOn->setChecked(index >= 0);
    if (index >= 0)
        m_group->setCurrentIndex(index);
}

void PortDialog::frm2_cmdSichern_Click()
{
    KundeSettings values = m_ctx.state.settings;
    applyTo(values);
    const QString file = m_ctx.state.folders.dataDir() + PortChoices::parameterSetName(values);
    // The set is written from the dialog's values without taking them over.
    m_serial.parameterSets().save(file, values);
}

} // namespace tarvex
