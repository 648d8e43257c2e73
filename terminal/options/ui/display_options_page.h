#pragma once

#include "terminal/options/ui/option_page.h"

#include <QColor>
#include <QFont>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvex {

// The display page of the options (frm9): the display font, text and background colour,
// the number of lines the display keeps and whether the function bar is shown.
class DisplayOptionsPage : public OptionPage
{
    Q_OBJECT
public:
    // More lines than this make every received line slow to lay out.
    static constexpr int kMaxLines = 100000;

    explicit DisplayOptionsPage(QWidget* parent = nullptr);

    void load(const KundeSettings& s) override;
    void apply(KundeSettings& s) const override;
    std::optional<Problem> check() const override;

    // "Courier New, 10 pt, fett": what the font label shows after "Aktuell: ".
    static QString describeFont(const QFont& font);

private:
    void frm9_cmdSchrift_Click();
    void chooseColor(QColor& color, const QString& title);
    void showFont();
    void showColors();

    QLabel* m_fontLabel = nullptr;
    QLabel* m_sample = nullptr;
    QPushButton* m_foregroundButton = nullptr;
    QPushButton* m_backgroundButton = nullptr;
    QLineEdit* m_maxLines = nullptr;
    QCheckBox* m_functionBar = nullptr;
    // The stored record stays as it was until another font is chosen.
    QString m_record;
    QFont m_font;
    QColor m_foreground;
    QColor m_background;
};

} // namespace tarvex
