#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace tarvex {

class SerialModule;
struct TerminalContext;
struct KundeSettings;

// The port dialog frm2: port, device, speed, framing, end character, protocol and the
// receive and send options. "Übernehmen" takes the values and offers to reopen the port.
class PortDialog : public QDialog
{
    Q_OBJECT
public:
    PortDialog(TerminalContext& context, SerialModule& serial, QWidget* parent = nullptr);

    // Shows the values of these settings in the controls.
    void showSettings(const KundeSettings& s);
    // Writes the controls' values into the settings.
    void applyTo(KundeSettings& s) const;

    // Takes the values, asks about reopening and reopens on Yes (frm2_cmdÜbernehmen).
    void frm2_cmdUebernehmen_Click();

private:
    void build();
    void frm2_cmdAuswahl_Click();
    void frm2_cmdSichern_Click();
    void updateDeviceField();
    void updateLabels();

    TerminalContext& m_ctx;
    SerialModule& m_serial;
    QComboBox* m_com = nullptr;
    QComboBox* m_device = nullptr;
    QComboBox* m_baud = nullptr;
    QComboBox* m_framing = nullptr;
    QComboBox* m_endChar = nullptr;
    QComboBox* m_protocol = nullptr;
    QLabel* m_connectionText = nullptr;
    QLabel* m_endCharText = nullptr;
    QCheckBox* m_empfang = nullptr;
    QCheckBox* m_sofort = nullptr;
    QCheckBox* m_echo = nullptr;
    QCheckBox* m_tasten = nullptr;
    QCheckBox* m_session = nullptr;
    QComboBox* m_sessionZ = nullptr;
    QCheckBox* m_datBin = nullptr;
    QCheckBox* m_hex = nullptr;
    QCheckBox* m_steuer = nullptr;
    QLineEdit* m_pause = nullptr;
    QLineEdit* m_pauseR = nullptr;
    QLineEdit* m_pauseL = nullptr;
    QCheckBox* m_backSpaceOn = nullptr;
    QLineEdit* m_backSpace = nullptr;
    QCheckBox* m_groupOn = nullptr;
    QComboBox* m_group = nullptr;
    QStringList m_devices; // the device of each COM entry while the dialog is open
};

} // namespace tarvex
