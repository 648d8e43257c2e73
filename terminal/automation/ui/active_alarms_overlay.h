#pragma once

#include <QFrame>

class QListWidget;

namespace tarvex {

// The active alarm list shown over the display: every entry the alarm check works with,
// counters included, under the hint how to close it. Any mouse button closes it.
class ActiveAlarmsOverlay : public QFrame
{
    Q_OBJECT
public:
    static const QString kHint;

    // Covers `display` (it becomes the parent) and shows the entries.
    ActiveAlarmsOverlay(const QStringList& entries, QWidget* display);

    QListWidget* list() const { return m_list; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QListWidget* m_list = nullptr;
};

} // namespace tarvex
