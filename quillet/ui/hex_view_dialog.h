#pragma once

#include "quillet/text_file.h"

#include <QDialog>
#include <QString>

class QListView;

namespace quillet {

// "Hexadezimal": the current text as a read-only list of hex rows in a fixed-pitch font.
// The list is a view over the text: rows are made only when they are shown, so a text of
// 50 MB opens at once.
class HexViewDialog : public QDialog {
    Q_OBJECT
public:
    HexViewDialog(QString text, TextFormat::LineEnd lineEnd, QWidget* parent);

    QListView* list() const { return m_list; }

private:
    QListView* m_list;
};

} // namespace quillet
