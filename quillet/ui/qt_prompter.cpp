#include "quillet/ui/qt_prompter.h"

#include "quillet/file_type_list.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace quillet {
namespace {

QString lineBreaks(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

QMessageBox::StandardButton standard(Prompter::Answer answer)
{
    switch (answer) {
    case Prompter::Answer::Ok: return QMessageBox::Ok;
    case Prompter::Answer::Cancel: return QMessageBox::Cancel;
    case Prompter::Answer::Yes: return QMessageBox::Yes;
    case Prompter::Answer::No: return QMessageBox::No;
    case Prompter::Answer::Abort: return QMessageBox::Abort;
    case Prompter::Answer::Retry: return QMessageBox::Retry;
    case Prompter::Answer::Ignore: return QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

} // namespace

Prompter::Answer QtPrompter::message(const QString& caption, const QString& text, Buttons buttons, Icon icon,
                                     Answer defaultButton)
{
    QMessageBox box(m_parent);
    box.setWindowTitle(caption);
    box.setText(lineBreaks(text));
    switch (icon) {
    case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    case Icon::Warning: box.setIcon(QMessageBox::Warning); break;
    case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
    }
    const Answer all[] = {Answer::Ok, Answer::Yes, Answer::No, Answer::Abort, Answer::Retry, Answer::Ignore,
                          Answer::Cancel};
    for (Answer a : all) {
        if (offers(buttons, a))
            box.addButton(standard(a));
    }
    box.setDefaultButton(standard(defaultButton));
    box.raise();
    box.activateWindow();
    const int result = box.exec();
    for (Answer a : all) {
        if (result == standard(a))
            return a;
    }
    // Closing the box counts as its escape button.
    return offers(buttons, Answer::Cancel) ? Answer::Cancel : (offers(buttons, Answer::No) ? Answer::No : defaultButton);
}

std::optional<QString> QtPrompter::input(const QString& caption, const QString& prompt, const QString& initial)
{
    bool ok = false;
    const QString text = QInputDialog::getText(m_parent, caption, lineBreaks(prompt), QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<QString> QtPrompter::fileDialog(const FileRequest& request, bool save)
{
    QFileDialog dialog(m_parent, request.caption, request.directory);
    dialog.setNameFilters(request.filters);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        if (!request.fileName.isEmpty())
            dialog.selectFile(request.fileName);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    // Choosing another file type gives the typed name that type's extension.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, &request](const QString& filter) {
        const qsizetype index = request.filters.indexOf(filter);
        auto* nameEdit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (index < 0 || index >= request.patterns.size() || !nameEdit)
            return;
        nameEdit->setText(FileTypeList::switchExtension(nameEdit->text(), request.patterns[index]));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtPrompter::openFile(const FileRequest& request)
{
    return fileDialog(request, false);
}

std::optional<QString> QtPrompter::saveFile(const FileRequest& request)
{
    return fileDialog(request, true);
}

std::optional<QString> QtPrompter::folder(const QString& caption, const QString& directory)
{
    const QString chosen = QFileDialog::getExistingDirectory(m_parent, caption, directory);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

} // namespace quillet
