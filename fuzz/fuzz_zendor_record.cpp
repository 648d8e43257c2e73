// zendor's call: the command line (options, then the record, as one argument or split at
// blanks), the record's function number, diagnostics switch, mail mode and zip name, and
// function 11's file of call and charge records. The first byte chooses which; the
// functions that act on files, mail or programs are not run on fuzzed records (they
// would touch the machine), only what reads their fields.
//
// Checked: the record is the arguments after the options joined by blanks; the charge
// table has one row per record in participant mode, at most one per record otherwise,
// and every amount kept with two decimals.

#include "fuzz/fuzz_input.h"
#include "fuzz/fuzz_setup.h"
#include "shared/cp1252.h"
#include "shared/daten_pipe.h"
#include "shared/platform/scripted_prompter.h"
#include "zendor/command_line.h"
#include "zendor/excel/charge_aggregator.h"
#include "zendor/mail/mail_preparation.h"
#include "zendor/zendor_dispatcher.h"
#include "zendor/zip/zip_name_check.h"

#include <QCoreApplication>

#include <cmath>

namespace {

void commandRecord(FuzzInput& in)
{
    // Arguments as the system hands them over: separated by NUL.
    const QStringList arguments = QString::fromLocal8Bit(in.rest()).split(QChar(0));
    const zendor::CommandLine cl = zendor::CommandLine::parse(arguments);
    FUZZ_CHECK(arguments.join(QLatin1Char(' ')).endsWith(cl.record));

    const QString& record = cl.record;
    (void)zendor::ZendorDispatcher::functionNumber(record);
    (void)zendor::ZendorDispatcher::diagnosticsOf(record);
    const QString field8 = DatenPipe(8, record);
    (void)zendor::MailPreparation::modeA(field8);
    (void)zendor::MailPreparation::modeB(field8);
    ScriptedPrompter prompter;
    const bool accepted = zendor::acceptZipName(prompter, DatenPipe(2, record));
    // A refused name is said so.
    FUZZ_CHECK(accepted || !prompter.records().isEmpty());
}

void chargeRecords(FuzzInput& in)
{
    const int grouping = in.pick(5) - 1;
    const bool participants = in.flag();
    const QByteArray text = in.rest();
    zendor::ChargeAggregator aggregator(grouping, participants);
    aggregator.addText(text);
    const QList<TableRow> rows = aggregator.rows();
    if (participants)
        FUZZ_CHECK(rows.size() == aggregator.lineCount());
    else
        FUZZ_CHECK(rows.size() <= aggregator.lineCount());
    FUZZ_CHECK(aggregator.lineCount() <= text.count('\n') + 1);
    for (const TableRow& row : rows) {
        // The amount (the last column) is kept with two decimals.
        FUZZ_CHECK(!row.values.isEmpty());
        const double amount = row.values.last();
        // (Beyond any sum of money, doubles no longer hold two decimals exactly.)
        if (std::isfinite(amount) && std::fabs(amount) < 1e12)
            FUZZ_CHECK(zendor::ChargeAggregator::round2(amount) == amount);
        (void)zendor::ChargeAggregator::amountText(amount);
    }
}

} // namespace

TARVEX_FUZZ_START(false)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    if (in.flag())
        commandRecord(in);
    else
        chargeRecords(in);
    return 0;
}
