#include "quillet/ui/qt_prompter.h"

#include "quillet/file_type_list.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

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

// The German button texts, whether or not Qt's own translations are installed.
QString germanText(Prompter::Answer answer)
{
    switch (answer) {
    case Prompter::Answer::Ok: return QStringLiteral("OK");
    case Prompter::Answer::Cancel: return QStringLiteral("Abbrechen");
    case Prompter::Answer::Yes: return QStringLiteral("&Ja");
    case Prompter::Answer::No: return QStringLiteral("&Nein");
    case Prompter::Answer::Abort: return QStringLiteral("&Abbrechen");
    case Prompter::Answer::Retry: return QStringLiteral("&Wiederholen");
    case Prompter::Answer::Ignore: return QStringLiteral("&Ignorieren");
    }
    return {};
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
            box.addButton(standard(a))->setText(germanText(a));
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
    QInputDialog dialog(m_parent);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(lineBreaks(prompt));
    dialog.setTextValue(initial);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Abbrechen"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

std::optional<QString> QtPrompter::fileDialog(const FileRequest& request, bool save)
{
    QFileDialog dialog(m_parent, request.caption, request.directory);
    dialog.setNameFilters(request.filters);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Suchen in:"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Dateiname:"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Dateityp:"));
    dialog.setLabelText(QFileDialog::Accept, save ? QStringLiteral("&Speichern") : QStringLiteral("Ö&ffnen"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Abbrechen"));
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
    QFileDialog dialog(m_parent, caption, directory);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Suchen in:"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Verzeichnis:"));
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("&Auswählen"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Abbrechen"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace quillet
