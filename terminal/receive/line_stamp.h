#pragma once

#include <QDateTime>
#include <QString>

namespace tarvex {

// The stamps in front of a line: the time stamp and the line index (eight digits), each
// followed by two blanks, the time stamp first.
namespace LineStamp {

QString timeText(const QDateTime& now); // "dd.MM.yyyy, hh:mm:ss"
QString prefix(const QDateTime& now, bool time, bool index, int lineIndex);

} // namespace LineStamp

} // namespace tarvex
