#include "terminal/script/ui/script_bar.h"

#include "shared/ui/widget_helpers.h"
#include "terminal/core/function_numbers.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace tarvex {

using WidgetHelpers::named;

ScriptBar::ScriptBar(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frm1_frScripts"));
    auto* bar = new QVBoxLayout(this);
    bar->setContentsMargins(0, 0, 0, 0);
    m_scripts = named(new QListWidget(this), "frm1_cbScript");
    m_commands = named(new QListWidget(this), "frm1_lbScripts");
    m_commands->hide();
    m_stop = named(new QLabel(QStringLiteral("Script abbrechen"), this), "frm1_lblScriptStop");
    m_stop->setStyleSheet(QStringLiteral("color: red"));
    m_stop->installEventFilter(this);
    m_stop->hide();
    bar->addWidget(m_scripts, 1);
    bar->addWidget(m_commands, 1);
    bar->addWidget(m_stop);

    auto* buttons = new QHBoxLayout;
    const struct
    {
        const char* name;
        const char* caption;
        int function;
    } sb[] = {{"frm1_cmdScriptA", "Auswahl", Fn::ScriptAuswahl},
              {"frm1_cmdScriptL", "Laden", Fn::ScriptgruppeLaden},
              {"frm1_cmdScriptV", "Verwalten", Fn::Scriptverwaltung}};
    for (const auto& b : sb) {
        auto* btn = named(new QPushButton(QString::fromUtf8(b.caption), this), b.name);
        const int fn = b.function;
        connect(btn, &QPushButton::clicked, this, [this, fn] { emit functionRequested(fn); });
        if (fn == Fn::ScriptgruppeLaden)
            m_groupButton = btn;
        if (fn == Fn::ScriptAuswahl)
            m_selectButton = btn;
        m_buttons.append(btn);
        buttons->addWidget(btn);
    }
    bar->addLayout(buttons);

    auto* recorder = new QHBoxLayout;
    m_record = named(new QPushButton(QStringLiteral("Aufnahme"), this), "frm1_cmdRecord");
    m_record->setCheckable(true);
    m_record->setToolTip(QStringLiteral("Gesendete Zeilen als Script aufnehmen"));
    m_stopRecord = named(new QPushButton(QStringLiteral("Stopp"), this), "frm1_cmdStop");
    m_stopRecord->setToolTip(QStringLiteral("Aufnahme beenden und als neues Script übernehmen"));
    m_recordCount = named(new QLabel(QStringLiteral("0"), this), "frm1_lblScriptRec");
    m_recordCount->setToolTip(QStringLiteral("Aufgenommene Zeilen"));
    recorder->addWidget(m_record);
    recorder->addWidget(m_stopRecord);
    recorder->addWidget(m_recordCount);
    bar->addLayout(recorder);
    m_recorded = named(new QListWidget(this), "frm1_lbScriptRecord");
    m_recorded->hide();
    bar->addWidget(m_recorded);
    connect(m_record, &QPushButton::clicked, this, [this] {
        // The button shows the recorder's state, not its own.
        m_record->setChecked(!m_record->isChecked());
        emit recordClicked();
    });
    connect(m_stopRecord, &QPushButton::clicked, this, &ScriptBar::stopRecordClicked);
    showRecorder(false, false, {});

    m_width = named(new QSlider(Qt::Horizontal, this), "frm1_sliScripts");
    m_width->setRange(100, 600);
    connect(m_width, &QSlider::valueChanged, this, [this](int value) {
        showWidth(value);
        emit widthChosen(value);
    });
    bar->addWidget(m_width);
}

void ScriptBar::showRecorder(bool shown, bool recording, const QStringList& lines)
{
    m_record->setEnabled(shown);
    m_stopRecord->setEnabled(shown);
    m_record->setChecked(recording);
    m_recordCount->setVisible(shown);
    m_recordCount->setText(QString::number(lines.size()));
    m_recorded->clear();
    m_recorded->addItems(lines);
}

void ScriptBar::setItems(const QStringList& items)
{
    m_scripts->clear();
    m_scripts->addItems(items);
}

void ScriptBar::showWidth(int width)
{
    m_width->setToolTip(QStringLiteral("Breite Scriptauswahl einstellen (") + QString::number(width) + QLatin1Char(')'));
    setFixedWidth(width);
}

void ScriptBar::setBarWidth(int width)
{
    m_width->blockSignals(true);
    m_width->setValue(width);
    m_width->blockSignals(false);
    showWidth(width);
}

void ScriptBar::setRunning(bool running)
{
    // The recorder's row stays usable.
    for (QPushButton* b : m_buttons)
        b->setEnabled(!running);
    m_width->setEnabled(!running);
    m_scripts->setVisible(!running);
    m_commands->setVisible(running);
    m_stop->setVisible(running);
    m_selectButton->setEnabled(m_connected && !running);
}

void ScriptBar::setConnected(bool connected)
{
    m_connected = connected;
    m_scripts->setEnabled(connected);
    m_selectButton->setEnabled(connected && !running());
}

bool ScriptBar::running() const
{
    return !m_stop->isHidden();
}

bool ScriptBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_stop && event->type() == QEvent::MouseButtonRelease) {
        emit stopRequested();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tarvex
