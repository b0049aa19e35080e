#include "ui/QtUserDialogs.h"

#include "page/AppInfo.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

QtUserDialogs::QtUserDialogs(QWidget *owner)
    : m_owner(owner)
{
}

QStringList QtUserDialogs::qtFilters(const QString &filter)
{
    const QStringList items = filter.split(u'|');
    QStringList result;
    for (qsizetype i = 0; i + 1 < items.size(); i += 2) {
        if (items.at(i).isEmpty() && items.at(i + 1).isEmpty())
            continue;
        QString patterns = items.at(i + 1);
        patterns.replace(u';', u' ');
        result << QStringLiteral("%1 (%2)").arg(items.at(i), patterns);
    }
    return result;
}

std::optional<QString> QtUserDialogs::runDialog(const FileDialogRequest &request, bool save)
{
    QFileDialog dialog(m_owner);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setNameFilters(qtFilters(request.filter));
    if (!request.folder.isEmpty() && QDir(request.folder).exists())
        dialog.setDirectory(request.folder);
    if (!request.presetName.isEmpty())
        dialog.selectFile(request.presetName);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty() || files.first().isEmpty())
        return std::nullopt;
    return files.first();
}

std::optional<QString> QtUserDialogs::saveFileName(const FileDialogRequest &request)
{
    return runDialog(request, true);
}

std::optional<QString> QtUserDialogs::openFileName(const FileDialogRequest &request)
{
    return runDialog(request, false);
}

bool QtUserDialogs::confirm(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Yes | QMessageBox::No, m_owner);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void QtUserDialogs::notify(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, AppInfo::applicationTitle(), text, QMessageBox::Ok, m_owner);
    box.exec();
}

void QtUserDialogs::error(const QString &text)
{
    QMessageBox box(QMessageBox::Warning, AppInfo::applicationTitle(), text, QMessageBox::Ok, m_owner);
    box.exec();
}
