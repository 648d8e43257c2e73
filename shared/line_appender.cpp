#include "shared/line_appender.h"

#include "shared/cp1252.h"
#include "shared/runtime_error.h"
#include "shared/text_file.h"

LineAppender::~LineAppender()
{
    close();
}

void LineAppender::open(const QString& path)
{
    close();
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append))
        throw RuntimeError(TextFile::errorCodeOf(m_file), path);
}

void LineAppender::close()
{
    if (m_file.isOpen())
        m_file.close();
}

void LineAppender::appendBytes(const QByteArray& bytes)
{
    if (!m_file.isOpen())
        throw RuntimeError(ErrorCode::BadFileName, m_file.fileName());
    if (m_file.write(bytes) != bytes.size() || !m_file.flush())
        throw RuntimeError(TextFile::errorCodeOf(m_file), m_file.fileName());
}

void LineAppender::appendLine(const QString& line)
{
    appendBytes(Cp1252::encode(line) + "\r\n");
}

void LineAppender::appendLineTo(const QString& path, const QString& line)
{
    LineAppender a;
    a.open(path);
    a.appendLine(line);
}
