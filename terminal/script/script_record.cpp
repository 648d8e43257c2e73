#include "terminal/script/script_record.h"

#include "shared/daten_pipe.h"
#include "shared/number_text.h"

namespace tarvex {

const QString ScriptRecord::kNewRecord = QStringLiteral("|Neuer Script||0|0|0|0||0||");

namespace {

bool flag(const QString& record, int n)
{
    return leadingNumber(DatenPipe(n, record)) != 0;
}

QString flagText(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

ScriptRecord ScriptRecord::parse(const QString& record)
{
    ScriptRecord r;
    r.name = DatenPipe(1, record).trimmed();
    r.commands = DatenPipe(2, record);
    r.noQuestion = flag(record, 3);
    r.appendCr = flag(record, 4);
    r.appendLf = flag(record, 5);
    r.waitAck = flag(record, 6);
    r.ackCode = leadingInt(DatenPipe(7, record));
    r.timeoutFlag = flag(record, 8);
    r.timeoutSeconds = leadingInt(DatenPipe(9, record));
    return r;
}

QString ScriptRecord::toRecord() const
{
    return pipeRecord({name, commands, flagText(noQuestion), flagText(appendCr), flagText(appendLf),
                       flagText(waitAck), ackCode ? QString::number(ackCode) : QString(), flagText(timeoutFlag),
                       timeoutSeconds ? QString::number(timeoutSeconds) : QString()});
}

} // namespace tarvex
