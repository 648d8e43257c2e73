#include "shared/ui/qt_prompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::StandardButton standardButton(BoxAnswer a)
{
    switch (a) {
    case BoxAnswer::Ok: return QMessageBox::Ok;
    case BoxAnswer::Cancel: return QMessageBox::Cancel;
    case BoxAnswer::Abort: return QMessageBox::Abort;
    case BoxAnswer::Retry: return QMessageBox::Retry;
    case BoxAnswer::Ignore: return QMessageBox::Ignore;
    case BoxAnswer::Yes: return QMessageBox::Yes;
    case BoxAnswer::No: return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

// The German captions of the buttons, whatever language Qt itself speaks here.
QString buttonText(BoxAnswer a)
{
    switch (a) {
    case BoxAnswer::Ok: return QStringLiteral("OK");
    case BoxAnswer::Cancel: return QStringLiteral("Abbrechen");
    case BoxAnswer::Abort: return QStringLiteral("Abbrechen");
    case BoxAnswer::Retry: return QStringLiteral("Wiederholen");
    case BoxAnswer::Ignore: return QStringLiteral("Ignorieren");
    case BoxAnswer::Yes: return QStringLiteral("Ja");
    case BoxAnswer::No: return QStringLiteral("Nein");
    }
    return QString();
}

QMessageBox::Icon qtIcon(BoxIcon i)
{
    switch (i) {
    case BoxIcon::None: return QMessageBox::NoIcon;
    case BoxIcon::Critical: return QMessageBox::Critical;
    case BoxIcon::Question: return QMessageBox::Question;
    case BoxIcon::Exclamation: return QMessageBox::Warning;
    case BoxIcon::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QString QtPrompter::displayText(const QString& text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

QString QtPrompter::qtFilter(const QString& filter)
{
    if (!filter.contains(QLatin1Char('|')))
        return filter;
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString& name = parts.at(i);
        QString patterns = parts.at(i + 1);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        out.append(name.contains(QLatin1Char('(')) ? name : name + QLatin1String(" (") + patterns + QLatin1Char(')'));
    }
    return out.join(QLatin1String(";;"));
}

BoxAnswer QtPrompter::message(const MessageRequest& request)
{
    QMessageBox box(m_parent ? m_parent : QApplication::activeWindow());
    box.setWindowTitle(request.caption);
    box.setText(displayText(request.text));
    box.setIcon(qtIcon(request.icon));
    const auto answers = request.answers();
    QMessageBox::StandardButtons buttons;
    for (BoxAnswer a : answers)
        buttons |= standardButton(a);
    box.setStandardButtons(buttons);
    for (BoxAnswer a : answers) {
        if (QAbstractButton* b = box.button(standardButton(a)))
            b->setText(buttonText(a));
    }
    box.setDefaultButton(standardButton(request.defaultAnswer()));
    if (answers.contains(BoxAnswer::Cancel))
        box.setEscapeButton(QMessageBox::Cancel);
    else if (answers.size() == 2 && answers.contains(BoxAnswer::No))
        box.setEscapeButton(QMessageBox::No);
    const int result = box.exec();
    for (BoxAnswer a : answers) {
        if (result == standardButton(a))
            return a;
    }
    return request.defaultAnswer();
}

std::optional<QString> QtPrompter::input(const InputRequest& request)
{
    QInputDialog dlg(m_parent ? m_parent : QApplication::activeWindow());
    dlg.setWindowTitle(request.title);
    dlg.setLabelText(displayText(request.prompt));
    dlg.setTextValue(request.preset);
    dlg.setOkButtonText(QStringLiteral("OK"));
    dlg.setCancelButtonText(QStringLiteral("Abbrechen"));
    if (dlg.exec() != QDialog::Accepted)
        return std::nullopt;
    return dlg.textValue();
}

QStringList QtPrompter::fileDialog(const FileDialogRequest& request)
{
    QWidget* parent = m_parent ? m_parent : QApplication::activeWindow();
    QFileDialog dlg(parent, request.title, request.startDir, qtFilter(request.filter));
    if (!request.fileName.isEmpty())
        dlg.selectFile(request.fileName);
    const QStringList filters = dlg.nameFilters();
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dlg.selectNameFilter(filters.at(request.filterIndex - 1));
    if (!request.defaultExtension.isEmpty())
        dlg.setDefaultSuffix(request.defaultExtension);
    if (request.renameForFilter) {
        // Only Qt's own dialog reports the typed name through its selection; its labels are
        // set here because Qt's German translation may not be installed.
        dlg.setOption(QFileDialog::DontUseNativeDialog, true);
        const bool save = request.kind == FileDialogKind::Save;
        dlg.setLabelText(QFileDialog::LookIn, QStringLiteral("Suchen in:"));
        dlg.setLabelText(QFileDialog::FileName, QStringLiteral("Dateiname:"));
        dlg.setLabelText(QFileDialog::FileType, QStringLiteral("Dateityp:"));
        dlg.setLabelText(QFileDialog::Accept, save ? QStringLiteral("&Speichern") : QStringLiteral("Ö&ffnen"));
        dlg.setLabelText(QFileDialog::Reject, QStringLiteral("Abbrechen"));
        QObject::connect(&dlg, &QFileDialog::filterSelected, &dlg, [&dlg, &request, filters](const QString& f) {
            const qsizetype index = filters.indexOf(f);
            if (index < 0)
                return;
            // The typed name comes back as the selection; the new one replaces it.
            const QStringList typed = dlg.selectedFiles();
            const QString name = typed.isEmpty() ? QString() : QFileInfo(typed.first()).fileName();
            dlg.selectFile(request.renameForFilter(name, int(index) + 1));
        });
    }
    switch (request.kind) {
    case FileDialogKind::Open:
        dlg.setFileMode(QFileDialog::ExistingFile);
        dlg.setAcceptMode(QFileDialog::AcceptOpen);
        break;
    case FileDialogKind::OpenMany:
        dlg.setFileMode(QFileDialog::ExistingFiles);
        dlg.setAcceptMode(QFileDialog::AcceptOpen);
        break;
    case FileDialogKind::Save:
        dlg.setFileMode(QFileDialog::AnyFile);
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
        break;
    case FileDialogKind::Folder:
        dlg.setFileMode(QFileDialog::Directory);
        dlg.setOption(QFileDialog::ShowDirsOnly, true);
        break;
    }
    if (dlg.exec() != QDialog::Accepted)
        return {};
    return dlg.selectedFiles();
}
