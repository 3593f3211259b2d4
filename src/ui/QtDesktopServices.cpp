#include "ui/QtDesktopServices.h"

#include <QApplication>
#include <QClipboard>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>
#include <QUuid>

using namespace Qt::StringLiterals;

namespace {

std::optional<QString> runDialog(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> runFileDialog(const FilePanelRequest& request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(QApplication::activeWindow(), request.title, request.startFolder);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!request.nameFilters.isEmpty())
        dialog.setNameFilters(request.nameFilters);
    if (mode == QFileDialog::AcceptSave && !request.proposedName.isEmpty())
        dialog.selectFile(request.proposedName);
    if (!request.prompt.isEmpty())
        dialog.setLabelText(QFileDialog::Accept, request.prompt);
    return runDialog(dialog);
}

QString windowTitle(const QString& title, const QString& message)
{
    return message.isEmpty() ? title : title + u" — "_s + message;
}

} // namespace

std::optional<QString> QtFilePanels::chooseFolder(const FolderPanelRequest& request)
{
    QFileDialog dialog(QApplication::activeWindow(), windowTitle(request.title, request.message),
                       request.startFolder);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setOption(QFileDialog::ReadOnly, !request.canCreateFolders);
    if (request.showsHiddenFiles)
        dialog.setFilter(dialog.filter() | QDir::Hidden);
    if (!request.prompt.isEmpty())
        dialog.setLabelText(QFileDialog::Accept, request.prompt);
    return runDialog(dialog);
}

std::optional<QString> QtFilePanels::chooseFileToOpen(const FilePanelRequest& request)
{
    return runFileDialog(request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtFilePanels::chooseFileToSave(const FilePanelRequest& request)
{
    return runFileDialog(request, QFileDialog::AcceptSave);
}

void QtAlerts::inform(const QString& title, const QString& text, AlertStyle style)
{
    const auto icon = style == AlertStyle::critical ? QMessageBox::Critical : QMessageBox::Information;
    QMessageBox box(icon, title, text, QMessageBox::Ok, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText); // names from users, folders or the network stay as written
    box.setText(title.isEmpty() ? text : title);
    if (!title.isEmpty())
        box.setInformativeText(text);
    box.exec();
}

bool QtAlerts::confirmDestructive(const QString& title, const QString& text, const QString& cancelLabel,
                                  const QString& destructiveLabel)
{
    QMessageBox box(QMessageBox::Warning, title, title, QMessageBox::NoButton, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(text);
    QPushButton* cancel = box.addButton(cancelLabel, QMessageBox::RejectRole);
    QPushButton* destroy = box.addButton(destructiveLabel, QMessageBox::DestructiveRole);
    box.setDefaultButton(cancel);
    box.exec();
    return box.clickedButton() == destroy;
}

void FileManagerReveal::reveal(const QString& path)
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(u"org.freedesktop.FileManager1"_s, u"/org/freedesktop/FileManager1"_s,
                                       u"org.freedesktop.FileManager1"_s, u"ShowItems"_s);
    call << QStringList{QUrl::fromLocalFile(path).toString()} << QString();
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, 3000);
    if (reply.type() != QDBusMessage::ReplyMessage)
        QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).path()));
}

void QtClipboard::copyText(const QString& text)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}
