#pragma once

#include "terminal/tools/list_export.h"

#include <QObject>

#include <functional>

class QBoxLayout;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
class QWidget;

namespace tarvex {

struct TerminalContext;

// The "Exportieren" and "Bearbeiten" buttons every list or text window has: both hand the
// window's content to the export - the first to the export program, the second to the
// editor. The window places the two buttons where its layout wants them; they are named
// <form>_cmdExportieren and <form>_cmdBearbeiten.
class ExportButtons : public QObject
{
    Q_OBJECT
public:
    using Content = std::function<ExportContent()>;

    ExportButtons(TerminalContext& context, const QString& form, Content content, QWidget* window);
    ExportButtons(TerminalContext& context, const QString& form, const QTreeWidget* list, QWidget* window);
    ExportButtons(TerminalContext& context, const QString& form, const QListWidget* list, QWidget* window);
    ExportButtons(TerminalContext& context, const QString& form, const QPlainTextEdit* text, QWidget* window);

    QPushButton* exportButton() const { return m_export; }
    QPushButton* editButton() const { return m_edit; }
    // Both buttons at once (a window greys them while its list is empty).
    void setEnabled(bool enabled);
    // Windows that open their content in the editor by other means keep only "Exportieren".
    void dropEdit();
    // Adds both buttons to a row of the window's buttons (neither is the default button).
    void addTo(QBoxLayout* row);

    // The content of the usual controls.
    static ExportContent of(const QTreeWidget* list);
    static ExportContent of(const QListWidget* list);
    static ExportContent of(const QPlainTextEdit* text);

private:
    TerminalContext& m_ctx;
    Content m_content;
    QPushButton* m_export = nullptr;
    QPushButton* m_edit = nullptr;
};

} // namespace tarvex
