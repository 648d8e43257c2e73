#pragma once

#include <QChar>
#include <QString>

namespace tarvex {

struct KundeSettings;

// The framing of the configured port, taken from the settings.
struct PortFraming
{
    QChar parity;
    int dataBits;
    int stopBits;
    static PortFraming of(const KundeSettings& s);
    QString text() const; // "n,8,1"
};

} // namespace tarvex
