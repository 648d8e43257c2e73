#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVarLengthArray>

#include <optional>

// One profile (ini) file in memory, with the rules of the Windows profile functions:
// sections and keys are found without regard to case, the first occurrence wins,
// values are trimmed, a value in matching double quotes loses them, a read value is cut
// at its first NUL and at 255 characters. Writing changes only the line of the key (or
// adds the key or the section) and keeps every other line, comment, order and line end;
// a value with blanks at either end or in quotes is written in quotes, so it reads back.
class ProfileDocument
{
public:
    static constexpr int kMaxValueLength = 255;

    ProfileDocument() = default;
    explicit ProfileDocument(const QByteArray& bytes);

    // Missing file: empty document. Throws RuntimeError when the file exists but can't be read.
    static ProfileDocument load(const QString& path);

    std::optional<QString> value(const QString& section, const QString& key) const;
    QString value(const QString& section, const QString& key, const QString& fallback) const;
    void setValue(const QString& section, const QString& key, const QString& value);

    QByteArray toBytes() const;
    // Atomic write; throws RuntimeError on failure.
    void save(const QString& path) const;

    bool isModified() const { return m_modified; }

    // One line of the file as kept: its text and ending, and what the text is (worked out
    // once): a section's header (its name), a key (its trimmed name), or blank.
    struct Line
    {
        QString text;
        QByteArray ending; // "\r\n", "\n", "\r" or empty for the last line
        std::optional<QString> section;
        std::optional<QString> key;
        bool blank = false;
    };

private:
    static Line makeLine(const QString& text, const QByteArray& ending);
    static std::optional<QString> sectionName(const QString& line);
    // False for a line without '='; key and value may be null when not wanted.
    static bool splitKey(const QString& line, QString* key, QString* value);
    // Index range [begin, end) of the lines of each section with the given name (kept on the
    // stack: asked for every key read or written).
    using Ranges = QVarLengthArray<std::pair<int, int>, 4>;
    Ranges sectionRanges(const QString& section) const;
    // The first line of the key (trimmed) in those sections, or -1.
    int findKey(const Ranges& ranges, const QString& key) const;
    // Inserts a line and keeps the header index in step.
    void insertLine(int at, const Line& line);

    QList<Line> m_lines;
    // The indices of the header lines in m_lines, ascending: a lookup walks the sections
    // instead of every line of the file.
    QList<int> m_headers;
    bool m_modified = false;
};

// Lines are moved in memory when one is inserted in front of them.
Q_DECLARE_TYPEINFO(ProfileDocument::Line, Q_RELOCATABLE_TYPE);
