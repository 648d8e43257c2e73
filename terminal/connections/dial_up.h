#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

class QProcess;

namespace tarvex {

// The system's dial-up entries: listed, opened and closed. The terminal only starts and ends
// the system's link; it neither configures entries nor routes its own data through them.
class DialUpSystem : public QObject
{
    Q_OBJECT
public:
    struct Listing
    {
        QStringList names; // in the order the system gives them
        QString error;     // why the entries could not be read; empty when they could
    };

    using QObject::QObject;

    virtual Listing entries() = 0;
    // Opens the link of an entry without the system's own dialogs; dialFinished() tells
    // the handle (0 when the link could not be opened).
    virtual void dial(const QString& name) = 0;
    // Closes a link opened by dial(). Failures are not reported: the link is gone or was
    // closed elsewhere.
    virtual void hangUp(quint64 handle) = 0;
    virtual bool dialling() const = 0;

signals:
    void dialFinished(quint64 handle, const QString& reason);
};

// Dial-up entries as NetworkManager keeps them, driven through its command-line client
// nmcli (taken from the search path when it is needed): mobile broadband (gsm, cdma), PPPoE
// and Bluetooth dial-up networking (dun). An entry that is already connected counts as
// opened at once.
class NmcliDialUp : public DialUpSystem
{
    Q_OBJECT
public:
    static constexpr int kListTimeoutMs = 15000;
    // nmcli waits up to 90 s for a link itself; this is the outer bound.
    static constexpr int kDialTimeoutMs = 120000;

    explicit NmcliDialUp(QObject* parent = nullptr);
    ~NmcliDialUp() override;

    Listing entries() override;
    void dial(const QString& name) override;
    void hangUp(quint64 handle) override;
    bool dialling() const override;

    // One line of nmcli's terse output split into its fields ("\:" and "\\" unescaped).
    static QStringList terseFields(const QString& line);

private:
    struct Run
    {
        bool ok = false;
        QString output;
        QString error;
    };
    Run run(const QStringList& arguments, int timeoutMs) const;
    QString program() const;
    void dialDone(const QString& name, bool ok, const QString& reason);

    QProcess* m_dial = nullptr;
    QHash<quint64, QString> m_links;
    quint64 m_nextHandle = 1;
};

} // namespace tarvex
