#include "terminal/core/ui/tool_bar.h"

#include "terminal/core/function_numbers.h"
#include "terminal/core/function_table.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

namespace tarvex {

const QList<ToolBar::Slot>& ToolBar::layout()
{
    static const QList<Slot> buttons = {
        {1, Fn::Schnittstelle},   {2, Fn::ParameterLaden}, {3, Fn::ParameterSichern}, {5, Fn::AnzeigeDrucken},
        {6, Fn::AnzeigeKopieren}, {7, Fn::AnzeigeLoeschen}, {8, Fn::Suchen},         {10, Fn::AnzeigeImEditor},
        {11, Fn::Zeitplaner},     {13, Fn::Anmelden},       {15, Fn::Optionen},       {16, Fn::Hilfe},
    };
    return buttons;
}

namespace {

// A key: the log-in button's image where neither theme nor style has one.
QIcon keyImage()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(120, 90, 10), 2));
    p.setBrush(QColor(230, 180, 40));
    p.drawEllipse(QRectF(3, 9, 13, 13));
    p.drawRect(QRectF(15, 14, 14, 4));
    p.drawRect(QRectF(22, 18, 3, 5));
    p.drawRect(QRectF(26, 18, 3, 4));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(6.5, 13.5, 4, 4));
    return QIcon(pixmap);
}

} // namespace

QIcon ToolBar::image(int index)
{
    // The desktop's theme where it has one, the style's own image otherwise.
    struct Image
    {
        const char* theme;
        QStyle::StandardPixmap fallback;
    };
    static const Image images[FunctionButton::kImages] = {
        {"document-new", QStyle::SP_FileIcon},
        {"document-open", QStyle::SP_DialogOpenButton},
        {"document-save", QStyle::SP_DialogSaveButton},
        {"document-print", QStyle::SP_FileDialogDetailedView},
        {"edit-copy", QStyle::SP_FileLinkIcon},
        {"edit-clear", QStyle::SP_TrashIcon},
        {"edit-find", QStyle::SP_FileDialogContentsView},
        {"accessories-text-editor", QStyle::SP_FileDialogListView},
        {"appointment-new", QStyle::SP_BrowserReload},
        {"dialog-password", QStyle::SP_CustomBase}, // the style has no key: drawn below
        {"preferences-system", QStyle::SP_ComputerIcon},
        {"help-browser", QStyle::SP_DialogHelpButton},
    };
    const Image& i = images[qBound(0, index, FunctionButton::kImages - 1)];
    const QIcon fallback = i.fallback == QStyle::SP_CustomBase ? keyImage() : QApplication::style()->standardIcon(i.fallback);
    return QIcon::fromTheme(QString::fromLatin1(i.theme), fallback);
}

ToolBar::ToolBar(FunctionTable& functions, QWidget* parent) : QToolBar(parent), m_functions(functions)
{
    setObjectName(QStringLiteral("frm1_tb1"));
    setMovable(false);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setIconSize(QSize(20, 20));
    int position = 1;
    int imageIndex = 0;
    for (const Slot& b : layout()) {
        while (position < b.index) {
            addSeparator();
            ++position;
        }
        QAction* a = addAction(image(imageIndex++), m_functions.caption(b.function));
        a->setObjectName(QStringLiteral("frm1_tb1_Button%1").arg(b.index));
        a->setToolTip(m_functions.toolTip(b.function));
        connect(a, &QAction::triggered, this, [this, b] { emit buttonClicked(b.index, b.function); });
        m_buttons.append({a, b.function});
        ++position;
    }
    connect(&m_functions, &FunctionTable::statesChanged, this, &ToolBar::refreshStates);
}

void ToolBar::setUserButtons(const QList<FunctionButton>& buttons,
                             const std::function<Labels(const FunctionButton&)>& labels)
{
    qDeleteAll(m_userActions);
    m_userActions.clear();
    if (buttons.isEmpty())
        return;
    m_userActions.append(addSeparator());
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        const FunctionButton& b = buttons.at(i);
        const Labels l = labels(b);
        QAction* a = addAction(image(b.image), l.caption);
        a->setObjectName(QStringLiteral("frm1_tb1_User%1").arg(i + 1));
        a->setToolTip(l.toolTip);
        connect(a, &QAction::triggered, this, [this, b] { emit userButtonClicked(b); });
        m_userActions.append(a);
    }
    refreshStates();
}

void ToolBar::refreshStates()
{
    for (const auto& [action, function] : m_buttons)
        action->setEnabled(m_functions.contains(function) && m_functions.isEnabled(function));
}

} // namespace tarvex
