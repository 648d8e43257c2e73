#pragma once

#include <QHash>
#include <QObject>
#include <QString>

#include <functional>
#include <initializer_list>

namespace tarvex {

class ErrorReport;

// One entry of the function table: what a function does and how every surface that offers
// it (toolbar, menu bar, function bar, key map, buttons) shows it.
struct FunctionEntry
{
    std::function<void()> action;
    QString caption;    // the toolbar's text; the menu file brings its own captions
    QString toolTip;
    QString helpKeyword;
    std::function<bool()> enabled; // empty: always enabled
    std::function<bool()> checked; // empty: the function shows no check mark
};

// The program functions shared by menu, toolbar, function bar, key map and buttons: one
// table from function number to entry. Each subsystem registers the numbers it owns;
// registering a number twice is a programming error and throws. Unknown numbers do nothing.
class FunctionTable : public QObject
{
    Q_OBJECT
public:
    explicit FunctionTable(ErrorReport& errors, QObject* parent = nullptr);

    // Registers an entry; throws std::logic_error when the number is taken.
    void add(int number, FunctionEntry entry);
    void add(int number, std::function<void()> action);
    void addRange(std::initializer_list<int> numbers, const std::function<void(int)>& action);
    // Captions and rules of a function registered elsewhere (or later).
    void describe(int number, const QString& caption, const QString& toolTip, const QString& helpKeyword = QString());
    void setEnabledRule(int number, std::function<bool()> rule);
    void setCheckRule(int number, std::function<bool()> rule);

    bool contains(int number) const;
    QList<int> numbers() const;
    QString caption(int number) const;
    QString toolTip(int number) const;
    QString helpKeyword(int number) const;
    // What the enabled rule says; without a rule a function is enabled (running one that
    // has no action does nothing).
    bool isEnabled(int number) const;
    bool isCheckable(int number) const;
    bool isChecked(int number) const;

    // Runs the function; a failure inside it is reported under "PrgFunktionen".
    void PrgFunktionen(int number);

signals:
    // State that enabled or check rules read has changed: surfaces ask again.
    void statesChanged();

public slots:
    void refreshStates() { emit statesChanged(); }

private:
    FunctionEntry* entry(int number);
    const FunctionEntry* entry(int number) const;

    ErrorReport& m_errors;
    QHash<int, FunctionEntry> m_entries;
};

} // namespace tarvex
