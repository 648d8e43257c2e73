// zipall: zips the files an instruction file names.
//   zipall <instruction file>
// Line 1 of the file is "ZIP=" + the zip file, then one file or wildcard pattern a line.
// When a marker "<instruction file>.lesen" exists, it is removed as soon as the
// instructions are read, so the caller may delete the instruction file.

#include "shared/runtime_error.h"
#include "zipall/zip_builder.h"
#include "zipall/zip_instructions.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <exception>

namespace {

void complain(const QString& text)
{
    std::fprintf(stderr, "zipall: %s\n", text.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        complain(QStringLiteral("Aufruf: zipall <Steuerdatei>"));
        return 2;
    }
    const QString instructionPath = args.at(1);
    zipall::ZipInstructions instructions;
    try {
        instructions = zipall::ZipInstructions::read(instructionPath);
    } catch (const RuntimeError& e) {
        QFile::remove(instructionPath + QStringLiteral(".lesen"));
        complain(e.description() + QStringLiteral(": ") + e.detail());
        return 2;
    } catch (const std::exception& e) {
        QFile::remove(instructionPath + QStringLiteral(".lesen"));
        complain(QString::fromUtf8(e.what()));
        return 2;
    }
    QFile::remove(instructionPath + QStringLiteral(".lesen"));
    try {
        const zipall::ZipBuilder::Result r = zipall::ZipBuilder::build(instructions.zipPath, instructions.sources);
        for (const QString& s : r.skipped)
            complain(QStringLiteral("übersprungen: ") + s);
    } catch (const std::exception& e) {
        complain(QString::fromUtf8(e.what()));
        return 1;
    }
    return 0;
}
