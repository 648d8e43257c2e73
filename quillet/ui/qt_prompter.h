#pragma once

#include "quillet/prompter.h"

class QWidget;

namespace quillet {

// The prompter that shows Qt's message boxes, input boxes and file dialogs.
class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    Answer message(const QString& caption, const QString& text, Buttons buttons, Icon icon,
                   Answer defaultButton) override;
    std::optional<QString> input(const QString& caption, const QString& prompt, const QString& initial) override;
    std::optional<QString> openFile(const FileRequest& request) override;
    std::optional<QString> saveFile(const FileRequest& request) override;
    std::optional<QString> folder(const QString& caption, const QString& directory) override;

private:
    std::optional<QString> fileDialog(const FileRequest& request, bool save);

    QWidget* m_parent;
};

} // namespace quillet
