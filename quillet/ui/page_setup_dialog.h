#pragma once

#include "quillet/ui/print_setup.h"

#include <QDialog>
#include <QFont>
#include <array>
#include <vector>

class Clock;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quillet {

class PrintDialogs;

// "Seite einrichten": paper size and source, orientation, margins (shown in millimetres,
// kept in hundredths; never below what the printer can reach), header and footer, the
// printer choice, and a preview of the sheet's first page drawn as it will print.
class PageSetupDialog : public QDialog {
    Q_OBJECT
public:
    struct Preview {
        QString text;  // the sheet's text
        QString name;  // what "&n" stands for
    };

    PageSetupDialog(const PrintSetup& setup, const QFont& font, Preview preview, PrintDialogs& dialogs,
                    const Clock& clock, QWidget* parent = nullptr);

    // The setup as shown (what OK takes over).
    PrintSetup setup() const;
    // The smallest margins of the current printer and paper, in hundredths of a millimetre
    // (left, top, right, bottom).
    std::array<int, 4> minimumMargins() const { return m_minimum; }

private:
    class PagePreview;

    void choosePrinter();
    void fillPaperLists();
    void updateMinimumMargins();
    void showPage(const PageSettings& page);

    PrintSetup m_setup;  // printer and paper; the fields hold the rest
    QFont m_font;
    Preview m_preview;
    PrintDialogs& m_dialogs;
    const Clock& m_clock;
    std::vector<QPageSize> m_sizes;
    std::vector<QPrinter::PaperSource> m_sources;
    std::array<int, 4> m_minimum{};

    QComboBox* m_size;
    QComboBox* m_source;
    QRadioButton* m_portrait;
    QRadioButton* m_landscape;
    std::array<QDoubleSpinBox*, 4> m_margins{};  // left, top, right, bottom
    QLineEdit* m_header;
    QLineEdit* m_footer;
    QPushButton* m_printer;
    PagePreview* m_view;
};

} // namespace quillet
