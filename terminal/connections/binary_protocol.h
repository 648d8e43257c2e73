#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace tarvex::binary {

// The marker sequences between two terminals passing files.
inline const QByteArray kPoll("\xFF\x01\xFF", 3);           // sender: is the receiver ready?
inline const QByteArray kReady("\xFE\x01\xFE", 3);          // receiver: ready
inline const QByteArray kEscapeOffer("\xFE\x02\xFE", 3);    // receiver, right behind kReady: escaped data understood
inline const QByteArray kHeaderStart("\xFC\x01\xFC", 3);    // a file header follows, its data as it is
inline const QByteArray kHeaderStartEscaped("\xFC\x02\xFC", 3); // the same, header and data escaped
inline const QByteArray kHeaderEnd("\xFD\x01\xFD", 3);      // end of the header, the file's data follows
inline const QByteArray kFileEnd("\xFB\x01\xFB\x01", 4);    // end of the file's data
inline const QByteArray kTransferEnd("\xFA\x01\xFA\x01", 4); // all files sent

// Bytes a receiver keeps back at the end of what it has, so that a marker that arrives in
// two reads is never written as data: one less than the longest marker.
constexpr int kHoldBack = 3;

// Every marker is a byte X of FA–FF, then 01 (or 02), then X again. The escaped form of
// data puts a 00 behind every 01 or 02 that follows a byte FA–FF, so escaped data never
// holds "X 01 X" or "X 02 X", and no marker can start inside it (nor in its last byte, as
// markers start with X, never with 01 or 02). The decoder drops exactly those 00 bytes.
// Both directions keep their state across blocks, so data may be cut anywhere.
class EscapeEncoder
{
public:
    QByteArray encode(const QByteArray& data);

private:
    bool m_afterMarkerByte = false;
};

class EscapeDecoder
{
public:
    QByteArray decode(const QByteArray& data);

private:
    bool m_afterMarkerByte = false;
    bool m_dropZero = false;
};

// A file size in units of 1000 bytes as the send list and the header show it: exact, with
// a point and at most three decimals ("2.5", "0", "10485.76").
QString kiloText(qint64 bytes);

// A send list entry: the path, a blank and the size in units of 1000 bytes in brackets.
QString sendEntry(const QString& path, qint64 bytes);
// The path of an entry: what stands before its last "(", blanks removed.
QString entryPath(const QString& entry);

// What a receiver makes of a header's path: the bare file name after the last "/", "\" or
// drive colon, or nothing when that name may not be written: empty, "." or "..", control
// characters, or a Windows device name (CON, PRN, AUX, NUL, COM1–9, LPT1–9, also with an
// extension).
std::optional<QString> safeFileName(const QString& sentPath);

// A received header: the name to write, the announced size in bytes, or why it is refused.
struct Header
{
    QString sentPath;    // the path as sent, without the size part
    QString name;        // empty when refused
    qint64 size = 0;
    QString refusal;     // empty when the file can be received
};
Header parseHeader(const QString& text);

} // namespace tarvex::binary
