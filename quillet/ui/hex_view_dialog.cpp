#include "quillet/ui/hex_view_dialog.h"

#include "quillet/hex_rows.h"

#include <QAbstractListModel>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace quillet {
namespace {

// Holds its own reference to the text (shared, not copied) so the rows stay valid.
class HexRowModel : public QAbstractListModel {
public:
    HexRowModel(QString text, TextFormat::LineEnd lineEnd, QObject* parent)
        : QAbstractListModel(parent), m_text(std::move(text)), m_rows(m_text, lineEnd)
    {
    }

    int rowCount(const QModelIndex& parent) const override
    {
        if (parent.isValid())
            return 0;
        // A list view counts rows in int; 2^31 rows of 16 characters is far above any text
        // limit of the editor.
        return static_cast<int>(std::min<qsizetype>(m_rows.rowCount(), std::numeric_limits<int>::max()));
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        return m_rows.row(index.row());
    }

private:
    QString m_text;
    HexRows m_rows;
};

} // namespace

HexViewDialog::HexViewDialog(QString text, TextFormat::LineEnd lineEnd, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgHexadezimal"));
    setWindowTitle(QStringLiteral("Hexadezimal"));

    m_list = new QListView(this);
    m_list->setObjectName(QStringLiteral("lstHex"));
    m_list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_list->setUniformItemSizes(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setModel(new HexRowModel(std::move(text), lineEnd, m_list));

    auto* cancel = new QPushButton(QStringLiteral("&Abbrechen"), this);
    cancel->setObjectName(QStringLiteral("cmdAbbrechen"));
    cancel->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);

    // Wide enough for a whole row: offset, 16 codes, the characters.
    const QFontMetrics metrics(m_list->font());
    resize(metrics.horizontalAdvance(QString(9 + 16 * 3 + 2 + 16 + 6, u'0')) + 40, 420);
}

} // namespace quillet
