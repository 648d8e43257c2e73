#pragma once

// What the targets share beyond taking the input apart: the Qt application they need and a
// scratch folder for the targets that write files.

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

// A scratch folder for one fuzzing run, memory-backed where the system has it: every input
// writes its files several times.
inline const QTemporaryDir& fuzzScratch()
{
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/tarvex-fuzz-XXXXXX")
                                                                     : QDir::tempPath() + QStringLiteral("/tarvex-fuzz-XXXXXX"));
    return dir;
}

// Defines the target's start: the application object (made once, before the first input)
// and, when the target writes files, a scratch folder that could be made.
#define TARVEX_FUZZ_START(needsScratch)                                         \
    extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)               \
    {                                                                          \
        static QCoreApplication app(*argc, *argv);                             \
        return (!(needsScratch) || fuzzScratch().isValid()) ? 0 : 1;           \
    }
