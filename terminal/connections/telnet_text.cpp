#include "terminal/connections/telnet_text.h"

#include "shared/cp1252.h"

namespace tarvex {

QString TelnetText::decode(const QByteArray& bytes)
{
    QString out;
    out.reserve(bytes.size() + bytes.size() / kLineLimit + 1);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\n') {
            if (!m_afterCr)
                out += QLatin1Char('\n');
            m_afterCr = false;
            m_column = 0;
            continue;
        }
        m_afterCr = false;
        if (byte == '\r') {
            out += QLatin1Char('\n');
            m_afterCr = true;
            m_column = 0;
            continue;
        }
        if (m_column >= kLineLimit) {
            out += QLatin1Char('\n');
            m_column = 0;
        }
        if (byte == '\t')
            out += QLatin1Char('\t');
        else if (byte < 0x20)
            out += QChar(0x2400 + byte); // the control pictures: NUL shows as "␀"
        else if (byte == 0x7F)
            out += QChar(0x2421);
        else
            out += Cp1252::toUnicode(byte);
        ++m_column;
    }
    return out;
}

void TelnetText::reset()
{
    m_afterCr = false;
    m_column = 0;
}

QByteArray TelnetText::keyBytes(const QString& typed)
{
    QByteArray bytes;
    for (const QChar c : typed) {
        bool ok = false;
        const unsigned char byte = Cp1252::fromUnicode(c, &ok);
        if (!ok)
            continue; // a character Windows-1252 does not have is not sent
        bytes += char(byte);
        if (byte == '\r')
            bytes += '\n';
    }
    return bytes;
}

} // namespace tarvex
