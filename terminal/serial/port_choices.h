#pragma once

#include <QString>
#include <QStringList>

namespace tarvex {

struct KundeSettings;

// The choices of the port dialog and how their texts become settings.
namespace PortChoices {

const QList<int>& baudRates();
// "n,8,1" … in the order offered.
const QStringList& framings();
// "Kein Protokoll", "Hardware (Handshake)", "Software (Xon/Xoff)" for 0, 1, 2.
const QStringList& protocols();
// "COM1" … "COM20".
QStringList portNames();

// The number after "COM" (0 when there is none).
int portFromText(const QString& text);
// Parity from the first, data bits from the third, stop bits from the fifth character.
void applyFraming(const QString& framing, KundeSettings& s);
// The end characters offered in the main window and the port dialog ("13 Return" …).
const QStringList& endCharacterItems();
// The end-character code in the first two characters of an item ("13 Return").
int endCharacterFromItem(const QString& item);

// The name a parameter set is saved under.
QString parameterSetName(const KundeSettings& s);

} // namespace PortChoices

} // namespace tarvex
