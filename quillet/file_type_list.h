#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace quillet {

// The file-type list of the file dialogs: pairs of description and pattern written as
// "description|pattern|" one after the other.
class FileTypeList {
public:
    struct Row {
        QString description;
        QString pattern;
        friend bool operator==(const Row&, const Row&) = default;
    };

    static constexpr int kMaxStoredLength = 260;

    static QString defaultList();
    static QList<Row> parse(const QString& stored);
    // Joins rows while the whole stays below 260 characters; rows that do not fit are left
    // out. Empty when no row fits.
    static QString join(const QList<Row>& rows);
    // Name filters in Qt's "Description (*.a *.b)" form.
    static QStringList nameFilters(const QList<Row>& rows);
    // The typed file name with its extension replaced by the pattern's one; unchanged for
    // "*.*" patterns and names without an extension.
    static QString switchExtension(const QString& fileName, const QString& pattern);
};

} // namespace quillet
