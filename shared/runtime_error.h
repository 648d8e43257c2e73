#pragma once

#include <QString>

#include <exception>

// Error numbers of run-time failures, as the error report shows them.
namespace ErrorCode {
constexpr int InvalidCall = 5;
constexpr int Overflow = 6;
constexpr int OutOfMemory = 7;
constexpr int OutOfRange = 9;
constexpr int Internal = 51;
constexpr int BadFileName = 52;
constexpr int FileNotFound = 53;
constexpr int DeviceIo = 57;
constexpr int DiskFull = 61;
constexpr int PermissionDenied = 70;
constexpr int PathNotFound = 76;
constexpr int PathFileAccess = 75;
} // namespace ErrorCode

// The German description of an error number ("Grund:" in the error report).
QString errorDescription(int code);

// A run-time failure inside a procedure. The guard at the procedure's boundary turns it
// into the error report; `detail` names what failed (usually a path).
class RuntimeError : public std::exception
{
public:
    RuntimeError(int code, QString detail = QString());

    int code() const { return m_code; }
    const QString& detail() const { return m_detail; }
    QString description() const { return errorDescription(m_code); }
    const char* what() const noexcept override { return m_what.constData(); }

private:
    int m_code;
    QString m_detail;
    QByteArray m_what;
};
