#include "terminal/core/password_code.h"

#include "shared/cp1252.h"

#include <QRandomGenerator>

#include <stdexcept>

namespace tarvex::PasswordCode {

namespace {

constexpr int kGroupWidth = 5;
constexpr int kHeadWidth = 6; // key and check sum
constexpr int kCheckSumLimit = 10000;
constexpr char kPadding = '^';

bool allDigits(QStringView text)
{
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

int byteSum(const QByteArray& bytes)
{
    int sum = 0;
    for (char b : bytes)
        sum += static_cast<unsigned char>(b);
    return sum + int(bytes.size());
}

} // namespace

bool fits(const QString& text)
{
    bool lossy = false;
    const QByteArray bytes = Cp1252::encode(text, &lossy);
    return !lossy && !bytes.contains('\0') && byteSum(bytes) < kCheckSumLimit;
}

int checkSum(const QString& text)
{
    return byteSum(Cp1252::encode(text));
}

QString Codierer(int mode, int offset, const QString& text, const QString& key)
{
    if (offset < 0 || offset > kMaxOffset)
        throw std::invalid_argument("password code: offset out of range");
    if (mode == 2)
        return unscramble(text, offset).text;
    if (mode != 1)
        throw std::invalid_argument("password code: unknown mode");
    if (key.size() != 2 || !allDigits(key) || key.toInt() < kMinKey || key.toInt() > kMaxKey)
        throw std::invalid_argument("password code: the key is not a number from 10 to 89");
    if (!fits(text))
        throw std::invalid_argument("password code: the password can't be stored");

    QByteArray bytes = Cp1252::encode(text);
    const int sum = byteSum(bytes);
    if (bytes.size() % 2 != 0)
        bytes.append(kPadding);
    const int add = key.toInt() + offset;
    QString out = key + QStringLiteral("%1").arg(sum, 4, 10, QLatin1Char('0'));
    for (qsizetype i = 0; i < bytes.size(); i += 2) {
        // The pair as a signed 16-bit number, the first character in the low byte.
        const auto pair = static_cast<qint16>(static_cast<quint16>(static_cast<unsigned char>(bytes[i])
                                                                   | static_cast<unsigned char>(bytes[i + 1]) << 8));
        int group = pair + add;
        // A pair whose second character is above 127 is negative; as its unsigned 16-bit
        // value it keeps five digits without a sign, and reading takes either back.
        if (group < 0)
            group += 0x10000;
        out += QStringLiteral("%1").arg(group, kGroupWidth, 10, QLatin1Char('0'));
    }
    return out;
}

Unscrambled unscramble(const QString& stored, int offset)
{
    const QString r = stored.trimmed();
    if (r.isEmpty())
        return {};
    const Unscrambled damaged{QString(), true};
    if (r.size() < kHeadWidth || (r.size() - kHeadWidth) % kGroupWidth != 0 || !allDigits(r))
        return damaged;
    const int subtract = QStringView(r).left(2).toInt() + offset;
    const int sum = QStringView(r).mid(2, 4).toInt();

    QByteArray bytes;
    for (qsizetype at = kHeadWidth; at < r.size(); at += kGroupWidth) {
        const int value = QStringView(r).mid(at, kGroupWidth).toInt() - subtract;
        if (value < -0x8000 || value > 0xFFFF)
            return damaged;
        const auto pair = static_cast<quint16>(value);
        for (const char c : {static_cast<char>(pair & 0xFF), static_cast<char>(pair >> 8)}) {
            if (c != '\0')
                bytes.append(c);
        }
    }
    // An odd length was padded with "^". An even-length password that ends in "^" itself
    // loses it here; the check sum tells the two apart.
    if (bytes.endsWith(kPadding) && byteSum(bytes.chopped(1)) == sum)
        bytes.chop(1);
    if (byteSum(bytes) != sum)
        return damaged;
    return {Cp1252::decode(bytes), false};
}

std::function<int()> randomKeys()
{
    return [last = 0]() mutable {
        int key = int(QRandomGenerator::global()->bounded(kMinKey, last == 0 ? kMaxKey + 1 : kMaxKey));
        if (last != 0 && key >= last)
            ++key;
        last = key;
        return key;
    };
}

} // namespace tarvex::PasswordCode
