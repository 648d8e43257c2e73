#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class QSettings;

namespace quillet {

// One user conversion: a translation table of 256 bytes, byte c replacing code c.
struct UserConversion {
    QString name;
    QString description;
    QByteArray data = identity();

    static QByteArray identity();
    // `data` made exactly 256 bytes: what is missing is the identity, the rest is cut.
    static QByteArray complete(const QByteArray& data);
    friend bool operator==(const UserConversion&, const UserConversion&) = default;
};

// The stored conversions: below the own key, group "Conversion/<name>" with the values
// "Description" (text) and "Data" (256 bytes).
class UserConversions {
public:
    static constexpr int kFirstCode = 32;  // rows of the dialog; lower codes never change

    // Sorted by name; a missing or short "Data" reads as the identity for the rest.
    static QList<UserConversion> read(QSettings& own);
    // Makes the stored conversions those of `wanted`: removes the ones not there any more
    // and writes the new and changed ones (unchanged ones are left as they are stored).
    static void store(QSettings& own, const QList<UserConversion>& wanted);

    // A name can be a key of its own: not empty, without the key separators "/" and "\".
    static bool isValidName(const QString& name);

    // Rows of the dialog "Umwandeln": "c \tddd\t0xHH\tr \tddd\t0xHH" for a code and its
    // replacement, and "c \tddd\t0xHH" for a code to pick.
    static QString entryRow(int code, int replacement);
    static QString pickRow(int code);
};

} // namespace quillet
