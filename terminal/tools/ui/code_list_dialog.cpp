#include "terminal/tools/ui/code_list_dialog.h"

#include "terminal/display/ui/display_actions.h"
#include "terminal/tools/ui/export_buttons.h"
#include "shared/ui/widget_helpers.h"
#include "terminal/core/terminal_context.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvex {

CodeListDialog::CodeListDialog(TerminalContext& context, DisplayActions& display, const QString& form,
                               const QString& printTitle, const QString& helpKeyword, QWidget* parent)
    : QDialog(parent), m_display(display), m_printTitle(printTitle)
{
    setObjectName(form);
    m_list = new QListView(this);
    m_list->setObjectName(form + QStringLiteral("_lbAnzeige"));
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setUniformItemSizes(true);
    m_list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_label = new QLabel(this);
    m_label->setObjectName(form + QStringLiteral("_lbl1"));

    auto* print = new QPushButton(QStringLiteral("&Drucken"), this);
    print->setObjectName(form + QStringLiteral("_cmdDrucken"));
    auto* close = new QPushButton(QStringLiteral("B&eenden"), this);
    close->setObjectName(form + QStringLiteral("_cmdBeenden"));
    auto* exportButtons = new ExportButtons(context, form, [this] { return ExportContent::list(m_lines()); }, this);

    m_own = new QHBoxLayout;
    auto* buttons = new QHBoxLayout;
    buttons->addLayout(m_own);
    buttons->addStretch(1);
    print->setAutoDefault(false);
    buttons->addWidget(print);
    exportButtons->addTo(buttons);
    buttons->addWidget(WidgetHelpers::helpButton(this, form, [&context, helpKeyword] { context.help.open(helpKeyword); }));
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_label);
    layout->addLayout(buttons);

    connect(print, &QPushButton::clicked, this, [this] { m_display.printLines(m_printTitle, m_lines()); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    resize(560, 480);
}

void CodeListDialog::setContent(QAbstractItemModel* model, std::function<QStringList()> lines)
{
    m_list->setModel(model);
    m_lines = std::move(lines);
}

void CodeListDialog::addButton(QPushButton* button)
{
    button->setAutoDefault(false);
    m_own->addWidget(button);
}

} // namespace tarvex
