#include "terminal/automation/ui/active_alarms_overlay.h"

#include "shared/ui/widget_helpers.h"

#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace tarvex {

const QString ActiveAlarmsOverlay::kHint = QStringLiteral("Mit einer beliebigen Maustaste schliessen Sie die Anzeige wieder.");

ActiveAlarmsOverlay::ActiveAlarmsOverlay(const QStringList& entries, QWidget* display) : QFrame(display)
{
    setObjectName(QStringLiteral("frm1_frAlarme"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    auto* hint = WidgetHelpers::named(new QLabel(kHint, this), "frm1_lblAlarme");
    m_list = WidgetHelpers::named(new QListWidget(this), "frm1_lbAlarme");
    m_list->addItems(entries);
    if (entries.isEmpty())
        m_list->addItem(QStringLiteral("Keine aktiven Alarme."));
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_list->viewport()->installEventFilter(this);
    hint->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addWidget(m_list, 1);
    setGeometry(display->rect());
    display->installEventFilter(this);
    show();
    raise();
}

bool ActiveAlarmsOverlay::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    else if (watched != parent() && event->type() == QEvent::MouseButtonPress) {
        close();
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

void ActiveAlarmsOverlay::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    close();
}

} // namespace tarvex
