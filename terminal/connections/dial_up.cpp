#include "terminal/connections/dial_up.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

namespace tarvex {

namespace {

const QStringList kDialUpTypes = {QStringLiteral("gsm"), QStringLiteral("cdma"), QStringLiteral("pppoe")};
const QString kBluetooth = QStringLiteral("bluetooth");

QString firstLine(const QString& text)
{
    return text.trimmed().section(QLatin1Char('\n'), 0, 0).trimmed();
}

} // namespace

NmcliDialUp::NmcliDialUp(QObject* parent) : DialUpSystem(parent) {}

NmcliDialUp::~NmcliDialUp()
{
    if (m_dial) {
        m_dial->disconnect(this);
        m_dial->kill();
        m_dial->waitForFinished(1000);
    }
}

QString NmcliDialUp::program() const
{
    return QStandardPaths::findExecutable(QStringLiteral("nmcli"));
}

QStringList NmcliDialUp::terseFields(const QString& line)
{
    QStringList fields(1);
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (c == QLatin1Char('\\') && i + 1 < line.size()) {
            fields.last() += line.at(++i);
        } else if (c == QLatin1Char(':')) {
            fields.append(QString());
        } else {
            fields.last() += c;
        }
    }
    return fields;
}

NmcliDialUp::Run NmcliDialUp::run(const QStringList& arguments, int timeoutMs) const
{
    Run r;
    const QString nmcli = program();
    if (nmcli.isEmpty()) {
        r.error = QStringLiteral("Das Programm nmcli (NetworkManager) wurde nicht gefunden.");
        return r;
    }
    QProcess p;
    p.start(nmcli, arguments);
    if (!p.waitForStarted(timeoutMs)) {
        r.error = p.errorString();
        return r;
    }
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished(1000);
        r.error = QStringLiteral("nmcli antwortet nicht.");
        return r;
    }
    r.output = QString::fromUtf8(p.readAllStandardOutput());
    r.ok = p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (!r.ok) {
        r.error = firstLine(QString::fromUtf8(p.readAllStandardError()));
        if (r.error.isEmpty())
            r.error = QStringLiteral("nmcli endete mit Code ") + QString::number(p.exitCode()) + QLatin1Char('.');
    }
    return r;
}

DialUpSystem::Listing NmcliDialUp::entries()
{
    Listing listing;
    const Run r = run({QStringLiteral("-t"), QStringLiteral("-f"), QStringLiteral("NAME,TYPE"), QStringLiteral("connection"),
                       QStringLiteral("show")},
                      kListTimeoutMs);
    if (!r.ok) {
        listing.error = r.error;
        return listing;
    }
    for (const QString& line : r.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList f = terseFields(line);
        if (f.size() < 2 || f[0].isEmpty())
            continue;
        if (kDialUpTypes.contains(f[1])) {
            listing.names << f[0];
        } else if (f[1] == kBluetooth) {
            // Bluetooth entries are dial-up networking or a personal area network.
            const Run kind = run({QStringLiteral("-t"), QStringLiteral("-g"), QStringLiteral("bluetooth.type"),
                                  QStringLiteral("connection"), QStringLiteral("show"), QStringLiteral("id"), f[0]},
                                 kListTimeoutMs);
            if (kind.ok && kind.output.trimmed() == QLatin1String("dun"))
                listing.names << f[0];
        }
    }
    return listing;
}

bool NmcliDialUp::dialling() const
{
    return m_dial != nullptr;
}

void NmcliDialUp::dial(const QString& name)
{
    if (m_dial)
        return;
    const Run active = run({QStringLiteral("-t"), QStringLiteral("-f"), QStringLiteral("NAME"), QStringLiteral("connection"),
                            QStringLiteral("show"), QStringLiteral("--active")},
                           kListTimeoutMs);
    if (!active.ok) {
        // Reported through the signal like every other outcome, after the caller returned.
        QTimer::singleShot(0, this, [this, name, error = active.error] { dialDone(name, false, error); });
        return;
    }
    for (const QString& line : active.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (terseFields(line).value(0) == name) {
            QTimer::singleShot(0, this, [this, name] { dialDone(name, true, QString()); });
            return;
        }
    }
    const QString nmcli = program();
    m_dial = new QProcess(this);
    auto* timeout = new QTimer(m_dial);
    timeout->setSingleShot(true);
    connect(timeout, &QTimer::timeout, m_dial, [this] { m_dial->kill(); });
    connect(m_dial, &QProcess::errorOccurred, this, [this, name](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            dialDone(name, false, m_dial->errorString());
    });
    connect(m_dial, &QProcess::finished, this, [this, name](int code, QProcess::ExitStatus status) {
        const bool ok = status == QProcess::NormalExit && code == 0;
        QString reason;
        if (!ok) {
            reason = firstLine(QString::fromUtf8(m_dial->readAllStandardError()));
            if (reason.isEmpty())
                reason = status == QProcess::NormalExit
                             ? QStringLiteral("nmcli endete mit Code ") + QString::number(code) + QLatin1Char('.')
                             : QStringLiteral("nmcli antwortet nicht.");
        }
        dialDone(name, ok, reason);
    });
    timeout->start(kDialTimeoutMs);
    m_dial->start(nmcli, {QStringLiteral("connection"), QStringLiteral("up"), QStringLiteral("id"), name});
}

void NmcliDialUp::dialDone(const QString& name, bool ok, const QString& reason)
{
    if (m_dial) {
        m_dial->disconnect(this);
        m_dial->deleteLater();
        m_dial = nullptr;
    }
    quint64 handle = 0;
    if (ok) {
        handle = m_nextHandle++;
        m_links.insert(handle, name);
    }
    emit dialFinished(handle, reason);
}

void NmcliDialUp::hangUp(quint64 handle)
{
    const QString name = m_links.take(handle);
    if (name.isEmpty())
        return;
    const QString nmcli = program();
    if (nmcli.isEmpty())
        return;
    // Not waited for: a link that is already gone is no error.
    QProcess::startDetached(nmcli, {QStringLiteral("connection"), QStringLiteral("down"), QStringLiteral("id"), name});
}

} // namespace tarvex
