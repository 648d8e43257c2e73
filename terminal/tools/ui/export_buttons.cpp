#include "terminal/tools/ui/export_buttons.h"

#include "shared/ui/widget_helpers.h"

#include <QBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace tarvex {

ExportButtons::ExportButtons(TerminalContext& context, const QString& form, Content content, QWidget* window)
    : QObject(window), m_ctx(context), m_content(std::move(content))
{
    m_export = new QPushButton(QStringLiteral("E&xportieren"), window);
    m_export->setObjectName(form + QStringLiteral("_cmdExportieren"));
    m_export->setToolTip(QStringLiteral("Liste an das Exportprogramm übergeben"));
    m_edit = new QPushButton(QStringLiteral("&Bearbeiten"), window);
    m_edit->setObjectName(form + QStringLiteral("_cmdBearbeiten"));
    m_edit->setToolTip(QStringLiteral("Liste im Editor öffnen"));
    connect(m_export, &QPushButton::clicked, this,
            [this] { ListExport(m_ctx).exportTo(ListExport::Target::Program, m_content()); });
    connect(m_edit, &QPushButton::clicked, this,
            [this] { ListExport(m_ctx).exportTo(ListExport::Target::Editor, m_content()); });
}

ExportButtons::ExportButtons(TerminalContext& context, const QString& form, const QTreeWidget* list, QWidget* window)
    : ExportButtons(context, form, [list] { return of(list); }, window)
{
}

ExportButtons::ExportButtons(TerminalContext& context, const QString& form, const QListWidget* list, QWidget* window)
    : ExportButtons(context, form, [list] { return of(list); }, window)
{
}

ExportButtons::ExportButtons(TerminalContext& context, const QString& form, const QPlainTextEdit* text,
                             QWidget* window)
    : ExportButtons(context, form, [text] { return of(text); }, window)
{
}

void ExportButtons::setEnabled(bool enabled)
{
    m_export->setEnabled(enabled);
    if (m_edit)
        m_edit->setEnabled(enabled);
}

void ExportButtons::dropEdit()
{
    delete m_edit;
    m_edit = nullptr;
}

void ExportButtons::addTo(QBoxLayout* row)
{
    for (QPushButton* b : {m_export, m_edit}) {
        if (!b)
            continue;
        b->setAutoDefault(false);
        row->addWidget(b);
    }
}

ExportContent ExportButtons::of(const QTreeWidget* list)
{
    return ExportContent::columns(WidgetHelpers::rowTexts(list));
}

ExportContent ExportButtons::of(const QListWidget* list)
{
    QStringList entries;
    entries.reserve(list->count());
    for (int i = 0; i < list->count(); ++i)
        entries << list->item(i)->text();
    return ExportContent::list(std::move(entries));
}

ExportContent ExportButtons::of(const QPlainTextEdit* text)
{
    // The control keeps its lines with LF; the export splits at CR.
    return ExportContent::fromText(text->toPlainText().replace(QLatin1Char('\n'), QLatin1Char('\r')));
}

} // namespace tarvex
