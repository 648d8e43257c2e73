#pragma once

#include <QFile>
#include <QString>

// Appends Windows-1252 lines with CR LF to a file and flushes after each line, so that a
// crash loses at most the line being written. Used for monitor, capture and protocol files.
class LineAppender
{
public:
    LineAppender() = default;
    ~LineAppender();
    LineAppender(const LineAppender&) = delete;
    LineAppender& operator=(const LineAppender&) = delete;

    // Opens (creating) the file for appending; throws RuntimeError on failure.
    void open(const QString& path);
    void close();
    bool isOpen() const { return m_file.isOpen(); }
    QString path() const { return m_file.fileName(); }

    void appendLine(const QString& line);
    void appendBytes(const QByteArray& bytes);

    // Opens, appends one line and closes again.
    static void appendLineTo(const QString& path, const QString& line);
    // Opens, appends the bytes and closes again, with as few system calls as the platform
    // allows (files written for every received line).
    static void appendBytesTo(const QString& path, const QByteArray& bytes);

private:
    QFile m_file;
};
