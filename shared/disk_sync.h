#pragma once

#include <QString>

// Makes a finished write survive a power cut. A file replaced by renaming a complete
// temporary file over it is only safe once the file's data and the folder's new entry have
// both reached the disk: the data first (before the rename), the folder after it.
// Failures are ignored where the file system cannot sync (the write itself succeeded).
class DiskSync
{
public:
    // Flushes an open file's data to the disk.
    static void syncDescriptor(int fd);
    // Flushes a file's data to the disk.
    static void syncFile(const QString& path);
    // Flushes the folder holding `path`, so that a rename into it is on disk.
    static void syncFolderOf(const QString& path);
    // Renames `from` over `to` in one step (an existing `to` is replaced, never missing in
    // between), then syncs the folder. Returns false when the rename failed.
    static bool replace(const QString& from, const QString& to);
};
