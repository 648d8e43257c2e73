#include "terminal/tools/ui/character_windows.h"

#include "shared/cp1252.h"
#include "shared/platform/prompter.h"
#include "terminal/core/error_report.h"
#include "terminal/core/function_numbers.h"
#include "terminal/core/function_table.h"
#include "terminal/core/help_keywords.h"
#include "terminal/core/terminal_context.h"
#include "terminal/core/terminal_state.h"
#include "terminal/display/ui/display_actions.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStringListModel>

namespace tarvex {

namespace {

// The rows of a code view, made as the list asks for them.
class CodeViewModel : public QAbstractListModel
{
public:
    CodeViewModel(const CharacterTables::CodeView& view, QObject* parent) : QAbstractListModel(parent), m_view(view) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : m_view.rows();
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        return m_view.row(index.row());
    }

private:
    const CharacterTables::CodeView& m_view;
};

} // namespace

InfoAsciiDialog::InfoAsciiDialog(TerminalContext& context, DisplayActions& display, int mode, QWidget* parent)
    : CodeListDialog(context, display, QStringLiteral("frm17"),
                     mode == 1 ? QStringLiteral("Info VirtualKey-Map") : QStringLiteral("Info ASCII-Werte"),
                     HelpKeyword::AsciiWerte, parent)
{
    QStringList lines;
    if (mode == 1) {
        setWindowTitle(QStringLiteral("Info VirtualKey-Map"));
        const QString file = CharacterTables::virtualKeyFile(context.state.folders.configDir());
        const std::optional<QStringList> read = CharacterTables::virtualKeyLines(file);
        if (read)
            lines = *read;
        else
            context.prompter.message(QStringLiteral("Sicherheitshinweis"), QStringLiteral("Informationsdatei fehlt.\r\r") + file,
                                     BoxButtons::Ok, BoxIcon::Exclamation);
    } else {
        setWindowTitle(QStringLiteral("Info ASCII-Werte"));
        lines = CharacterTables::asciiTable();
    }
    auto* model = new QStringListModel(lines, this);
    setContent(model, [model] { return model->stringList(); });
    label()->setText(QStringLiteral("Einträge: ") + QString::number(lines.size()));
}

CodeViewDialog::CodeViewDialog(TerminalContext& context, DisplayActions& display, int mode, const QByteArray& text,
                               QWidget* parent)
    : CodeListDialog(context, display, QStringLiteral("frm12"), QStringLiteral("HEX-Anzeige"), HelpKeyword::AsciiEditor,
                     parent),
      m_view(mode, text)
{
    setWindowTitle(QStringLiteral("ASCII-Editor"));
    auto* calculator = new QPushButton(QStringLiteral("&Rechner"), this);
    calculator->setObjectName(QStringLiteral("frm12_cmdRechner"));
    auto* info = new QPushButton(QStringLiteral("&Info"), this);
    info->setObjectName(QStringLiteral("frm12_cmdInfo"));
    info->setToolTip(QStringLiteral("Zeichentabelle zeigen"));
    addButton(calculator);
    addButton(info);
    FunctionTable& functions = context.functions;
    connect(calculator, &QPushButton::clicked, this, [&functions] { functions.PrgFunktionen(Fn::Taschenrechner); });
    connect(info, &QPushButton::clicked, this, [&functions] { functions.PrgFunktionen(Fn::InfoAscii); });
    setContent(new CodeViewModel(m_view, this), [this] { return m_view.allRows(); });
    label()->setText(QStringLiteral("Zeilen: ") + QString::number(m_view.rows()));
}

CharacterWindows::CharacterWindows(TerminalContext& context, DisplayActions& display, QWidget* parent)
    : QObject(parent), m_ctx(context), m_display(display), m_parent(parent)
{
    const QPointer<CharacterWindows> self(this);
    const auto add = [&](int number, const char* caption, const char* tip, void (CharacterWindows::*open)(int), int mode) {
        m_ctx.functions.add(number, FunctionEntry{[self, open, mode] {
                                                      if (self)
                                                          ((*self).*open)(mode);
                                                  },
                                                  QString::fromUtf8(caption), QString::fromUtf8(tip), {}, {}, {}});
    };
    add(Fn::HexAnzeige, "ASCII-Editor", "Anzeige als Zeichencodes zeigen", &CharacterWindows::HexEditor, 0);
    add(Fn::HexZeichensatz, "Zeichensatz", "Die Zeichen 1 bis 255 mit ihren Codes zeigen", &CharacterWindows::HexEditor, 1);
    add(Fn::InfoAscii, "ASCII-Werte", "Alle Zeichencodes mit ihren Namen zeigen", &CharacterWindows::Info_Ascii, 0);
    add(Fn::InfoVirtualKey, "VirtualKey-Map", "Informationsdatei der virtuellen Tastencodes zeigen",
        &CharacterWindows::Info_Ascii, 1);
}

QWidget* CharacterWindows::parentWindow() const
{
    // Over the dialog whose character button opened it, else over the main window.
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return m_parent;
}

void CharacterWindows::Info_Ascii(int mode)
{
    guarded(m_ctx.errors, "Info_Ascii", mode, QString(), [&] {
        InfoAsciiDialog dialog(m_ctx, m_display, mode, parentWindow());
        dialog.exec();
    });
}

void CharacterWindows::HexEditor(int mode)
{
    guarded(m_ctx.errors, "HEX-Editor", mode, QString(), [&] {
        const QByteArray text = mode == 1 ? QByteArray() : Cp1252::encode(m_display.displayLines().join(QStringLiteral("\r\n")));
        CodeViewDialog dialog(m_ctx, m_display, mode, text, parentWindow());
        dialog.exec();
    });
}

} // namespace tarvex
