#pragma once

#include <QString>
#include <QStringList>

class Prompter;

namespace tarvex {

class ErrorReport;
class TerminalState;
struct KundeSettings;

// Parameter sets (*.def in the customer data folder): the port parameters and the
// connection options, so an operator can switch between devices quickly.
//   line 1     |port|baud|parity|data bits|stop bits|end character|
//   lines 2-24 a ten-character key, "=" and the value
class ParameterSet
{
public:
    ParameterSet(TerminalState& state, Prompter& prompter, ErrorReport& errors);

    // The 24 lines of the current settings.
    static QStringList lines(const KundeSettings& s, const QString& scriptGroup);
    // Resets the options to their defaults and reads lines 2 to 24; returns line 1.
    static QString readInto(const QStringList& lines, KundeSettings& s, QString* scriptGroup);
    // Port, baud, framing and end character from line 1.
    static void applyPortRecord(const QString& record, KundeSettings& s);

    // 1 loads (asking for the file when none is given) and returns line 1; 2 saves.
    // An empty result means nothing was loaded.
    QString ParameterInOut(int mode, const QString& file = QString());
    // Saves the given values (a dialog's, not yet taken over) as a parameter set with the
    // confirmation; returns the name, empty when nothing was saved.
    QString save(const QString& file, const KundeSettings& values);

    // The parameter sets of the customer data folder, at most ten, by name.
    QStringList availableSets() const;

private:
    bool checkExtension(const QString& file);
    void write(const QString& path, const QString& name, const KundeSettings& values);

    TerminalState& m_state;
    Prompter& m_prompter;
    ErrorReport& m_errors;
};

} // namespace tarvex
