#include "shared/ui/outside_end.h"

#include <QGuiApplication>
#if QT_CONFIG(sessionmanager)
#include <QSessionManager>
#endif

OutsideEnd::OutsideEnd(QGuiApplication& app, std::function<void()> end, QObject* parent)
    : QObject(parent), m_end(std::move(end))
{
    connect(&m_signals, &EndSignals::endRequested, this, &OutsideEnd::requestEnd);
#if QT_CONFIG(sessionmanager)
    // Direct: the session manager waits for the data to be written before it goes on.
    connect(&app, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { requestEnd(); },
            Qt::DirectConnection);
#else
    Q_UNUSED(app);
#endif
}

void OutsideEnd::requestEnd()
{
    if (m_ended)
        return;
    m_ended = true;
    m_end();
}
