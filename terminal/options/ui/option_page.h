#pragma once

#include <QWidget>

namespace tarvex {

struct KundeSettings;

// One page of the options window. The window hands every page the same working copy of the
// settings: load() shows it, apply() writes the page's controls back into it. Only the
// window's OK takes the copy over, writes kunde.ini and tells the rest of the program; Cancel
// drops it. Pages hold no rules of their own beyond what their controls show.
class OptionPage : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;

    virtual void load(const KundeSettings& settings) = 0;
    virtual void apply(KundeSettings& settings) const = 0;
};

} // namespace tarvex
