#pragma once

#include <QString>

namespace tarvex {

// One script of the table: nine pipe fields "|name|commands|ask|CR|LF|ack|code|timeout flag|timeout|".
// Flags and numbers are read with the leading-number conversion.
struct ScriptRecord
{
    static const QString kNewRecord;

    QString name;         // field 1, trimmed
    QString commands;     // field 2
    bool noQuestion = false;
    bool appendCr = false;
    bool appendLf = false;
    bool waitAck = false;
    int ackCode = 0;
    bool timeoutFlag = false;
    int timeoutSeconds = 0; // as stored; see effectiveTimeout()

    static ScriptRecord parse(const QString& record);
    QString toRecord() const;
    // Empty or 0 counts as one second.
    int effectiveTimeout() const { return timeoutSeconds > 0 ? timeoutSeconds : 1; }
    // Waits for the acknowledgement after sending lines.
    bool awaitsAck() const { return waitAck && ackCode != 0; }
};

} // namespace tarvex
