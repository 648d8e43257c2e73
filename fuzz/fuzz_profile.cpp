// Profile files: any ini file read through ProfileDocument, kunde.ini through the
// terminal's key table, and *.def parameter sets. The first byte chooses which.
//
// Checked: a document read and written unchanged gives its bytes back; a value written
// reads back as written; settings read from any kunde.ini or parameter set, written and
// read again, are written the same way a second time (nothing drifts from one save to
// the next), also when written into the damaged file they came from.

#include "fuzz/fuzz_input.h"
#include "fuzz/fuzz_setup.h"
#include "shared/cp1252.h"
#include "shared/profile_document.h"
#include "shared/text_file.h"
#include "terminal/core/kunde_ini.h"
#include "terminal/core/kunde_settings.h"
#include "terminal/serial/parameter_set.h"

#include <QCoreApplication>

using namespace tarvex;

namespace {

void document(FuzzInput& in)
{
    static const QStringList kSections{QStringLiteral("Allgemein"), QStringLiteral("Schnittstellen"),
                                       QStringLiteral("Mail"), QStringLiteral("F_Leiste")};
    static const QStringList kKeys{QStringLiteral("Debug"), QStringLiteral("COM1"), QStringLiteral("Taste1"),
                                   QStringLiteral("Server")};
    const QString section = kSections.at(in.pick(4));
    const QString key = kKeys.at(in.pick(4));
    QString value = Cp1252::decode(in.take(in.pick(300)));
    const QByteArray bytes = in.rest();

    ProfileDocument doc(bytes);
    FUZZ_CHECK(doc.toBytes() == bytes);
    const auto before = doc.value(section, key);
    if (before)
        FUZZ_CHECK(before->size() <= ProfileDocument::kMaxValueLength);

    doc.setValue(section, key, value);
    // What the file can hold of a value: no line break, up to the first NUL, 255 characters.
    value.replace(QLatin1String("\r\n"), QLatin1String(" "));
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const qsizetype nul = value.indexOf(QChar(0));
    if (nul >= 0)
        value.truncate(nul);
    value.truncate(ProfileDocument::kMaxValueLength);
    FUZZ_CHECK(doc.value(section, key) == value);
    FUZZ_CHECK(ProfileDocument(doc.toBytes()).value(section, key) == value);
}

// kunde.ini as it is written into `doc` (an empty one: a new file) and read again; the
// file's own reading and writing is ProfileDocument's, checked above.
QByteArray writtenKunde(const KundeSettings& s, ProfileDocument doc = ProfileDocument())
{
    static const KundeIni ini(QString(), [] { return 42; });
    ini.writeTo(doc, s);
    return doc.toBytes();
}

KundeSettings readKunde(const QByteArray& bytes)
{
    static const KundeIni ini{QString()};
    KundeSettings s;
    ini.readFrom(ProfileDocument(bytes), s);
    return s;
}

// One of the two checks per input (the first byte chooses): each costs two reads and
// two or three writes of some 150 keys, most of this target's time.
void kundeIni(FuzzInput& in)
{
    const bool intoDamaged = in.flag();
    const QByteArray source = in.rest();
    const KundeSettings read = readKunde(source);
    const QByteArray once = writtenKunde(read);
    if (!intoDamaged) {
        FUZZ_CHECK(writtenKunde(readKunde(once)) == once);
        return;
    }
    // Written into the damaged file itself, the values read back the same.
    const QByteArray intoSource = writtenKunde(read, ProfileDocument(source));
    FUZZ_CHECK(writtenKunde(readKunde(intoSource)) == once);
}

QStringList readParameterSet(const QStringList& lines, QString* group)
{
    KundeSettings s;
    ParameterSet::applyPortRecord(ParameterSet::readInto(lines, s, group), s);
    return ParameterSet::lines(s, *group);
}

void parameterSet(FuzzInput& in)
{
    const QStringList lines = TextFile::splitLines(Cp1252::decode(in.rest()));
    QString group;
    const QStringList once = readParameterSet(lines, &group);
    FUZZ_CHECK(once.size() == 24);
    // As the file stores them.
    const QStringList stored = TextFile::splitLines(Cp1252::decode(TextFile::encodeLines(once)));
    QString groupAgain;
    FUZZ_CHECK(readParameterSet(stored, &groupAgain) == once);
}

} // namespace

TARVEX_FUZZ_START(false)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    switch (in.pick(3)) {
    case 0: document(in); break;
    case 1: kundeIni(in); break;
    default: parameterSet(in); break;
    }
    return 0;
}
