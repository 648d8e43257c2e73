#pragma once

#include <QString>

namespace tarvex {

struct KundeSettings;

// The texts of the status bar that follow the settings.
namespace StatusTexts {

// "COM 1   9600,n,8,1   End = 13"
QString connection(const KundeSettings& s);
QString receivedLinesToolTip(const KundeSettings& s);
QString captureToolTip(const KundeSettings& s);
QString capture(const KundeSettings& s);

} // namespace StatusTexts

} // namespace tarvex
