#include "quillet/ui/status_panel.h"

#include "quillet/size_format.h"
#include "quillet/ui/sheet.h"
#include "quillet/ui/sheet_editor.h"

#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>
#include <QTextBlock>

namespace quillet {

StatusPanel::StatusPanel(QStatusBar* bar)
    : QObject(bar)
{
    const char* names[] = {"sbLaenge", "sbLimit", "sbFuellstand", "sbModus", "sbUmbruch",
                           "sbSchrift", "sbGespeichert", "sbZeile", "sbSpalte"};
    for (const char* name : names)
        m_parts.append(addPart(bar, QLatin1String(name)));
    m_encoding = addPart(bar, QStringLiteral("sbKodierung"));
    m_progress = new QProgressBar(bar);
    m_progress->setObjectName(QStringLiteral("sbFortschritt"));
    m_progress->setMaximumWidth(160);
    m_progress->setVisible(false);
    bar->addPermanentWidget(m_progress);
    showEmpty();
}

QLabel* StatusPanel::addPart(QStatusBar* bar, const QString& name)
{
    auto* label = new QLabel(bar);
    label->setObjectName(name);
    label->setFrameShape(QFrame::StyledPanel);
    bar->addPermanentWidget(label);
    return label;
}

QStringList StatusPanel::texts(const State& s)
{
    return {SizeFormat::format(s.length),
            SizeFormat::format(s.limit),
            SizeFormat::percent(s.length, s.limit),
            s.overwrite ? QStringLiteral("Überschreiben") : QStringLiteral("Einfügen"),
            s.wrap ? QStringLiteral("Zeilenumbruch") : QStringLiteral("Kein Zeilenumbruch"),
            s.fixedPitch ? QStringLiteral("Statisch") : QStringLiteral("Variabel"),
            s.saved ? QStringLiteral("Gespeichert") : QStringLiteral("Nicht gespeichert"),
            QStringLiteral("Ze %1").arg(s.line),
            QStringLiteral("Sp %1").arg(s.column)};
}

void StatusPanel::showEmpty()
{
    const QStringList start = {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0%"),
                               QStringLiteral("Einfügen"), QStringLiteral("Kein Zeilenumbruch"),
                               QStringLiteral("Statisch"), QStringLiteral("Gespeichert"),
                               QStringLiteral("Ze 1"), QStringLiteral("Sp 1")};
    for (int i = 0; i < m_parts.size(); ++i)
        m_parts[i]->setText(start[i]);
    m_encoding->setText(QStringLiteral("ANSI"));
}

void StatusPanel::showStart(const Sheet& sheet, bool fixedPitch)
{
    showSheet(sheet, fixedPitch);
    m_parts[0]->setText(QStringLiteral("0"));
    m_parts[1]->setText(QStringLiteral("0"));
    m_parts[2]->setText(QStringLiteral("0%"));
}

void StatusPanel::showSheet(const Sheet& sheet, bool fixedPitch)
{
    State state;
    state.length = static_cast<quint64>(sheet.editor->textLength());
    state.limit = static_cast<quint64>(sheet.editor->textLimit());
    state.overwrite = sheet.editor->overwriteMode();
    state.wrap = sheet.editor->wordWrap();
    state.fixedPitch = fixedPitch;
    state.saved = !sheet.isModified();
    state.line = static_cast<decltype(state.line)>(sheet.editor->caretLine() + 1);
    state.column = static_cast<decltype(state.column)>(sheet.editor->caretColumn() + 1);
    const QStringList parts = texts(state);
    for (int i = 0; i < m_parts.size(); ++i)
        m_parts[i]->setText(parts[i]);
    m_encoding->setText(TextFile::encodingName(sheet.format().encoding));
}

} // namespace quillet
