#pragma once

#include "shared/platform/prompter.h"

class QWidget;

// Real boxes and dialogs. "\r" in texts becomes a line break.
class QtPrompter : public Prompter
{
public:
    explicit QtPrompter(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    BoxAnswer message(const MessageRequest& request) override;
    std::optional<QString> input(const InputRequest& request) override;
    QStringList fileDialog(const FileDialogRequest& request) override;
    using Prompter::message;

    // "Text (*.txt)|*.txt|Alle (*.*)|*.*" becomes Qt's "Text (*.txt);;Alle (*.*)".
    static QString qtFilter(const QString& filter);
    static QString displayText(const QString& text);

private:
    QWidget* m_parent;
};
