// Pipe records ("|a|b|c|") as the data files, the menu structure and zendor's caller hand
// them over. Fields read back as they were split; a field replaced reads back as the new
// value and leaves every other field as it was; a record framed by "|" is rebuilt from its
// fields byte for byte.

#include "fuzz/fuzz_input.h"
#include "shared/cp1252.h"
#include "shared/daten_pipe.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    const int n = in.pick(40) - 4;
    const QByteArray valueBytes = in.take(in.pick(12));
    const QString record = Cp1252::decode(in.rest());

    const QStringList fields = pipeFields(record);
    FUZZ_CHECK(!fields.isEmpty());
    if (record.size() >= 2 && record.startsWith(QLatin1Char('|')) && record.endsWith(QLatin1Char('|')))
        FUZZ_CHECK(pipeRecord(fields) == record);
    FUZZ_CHECK(pipeFields(pipeRecord(fields)) == fields);

    const QString field = DatenPipe(n, record);
    if (n < 1 || n > fields.size()) {
        FUZZ_CHECK(field.isEmpty());
        return 0;
    }
    FUZZ_CHECK(field == fields.at(n - 1));

    const QString trimmed = DatenPipe(n, record, QStringLiteral("!"));
    FUZZ_CHECK(field.contains(trimmed));
    FUZZ_CHECK(!trimmed.startsWith(QLatin1Char(' ')) && !trimmed.endsWith(QLatin1Char(' ')));

    QString value = Cp1252::decode(valueBytes);
    value.remove(QLatin1Char('|'));
    if (value.isEmpty() || value == QLatin1String("!"))
        return 0;
    const QString changed = DatenPipe(n, record, value);
    const QStringList changedFields = pipeFields(changed);
    FUZZ_CHECK(changedFields.size() == fields.size());
    for (int i = 0; i < fields.size(); ++i)
        FUZZ_CHECK(changedFields.at(i) == (i == n - 1 ? value : fields.at(i)));
    FUZZ_CHECK(DatenPipe(n, changed) == value);
    return 0;
}
