#include "ui/QtUserDialogs.h"

#include "page/AppInfo.h"

#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>

namespace tabulink {

namespace {

// Room the box keeps beside its text on the screen (frame, margins, icon).
constexpr int kBoxFrameRoom = 160;

// Texts in boxes are paths, file names and clipboard texts: "<b>" in a path
// must show as "<b>", not turn the rest bold. The box also caps its width
// and wraps what is wider; Japanese text then breaks anywhere, even inside a
// word, so the text gets the width of its longest line where the screen
// has room for it.
void showTextAsItIs(QMessageBox &box)
{
    box.setTextFormat(Qt::PlainText);
    auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    if (!label)
        return;
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(false);
    int width = label->sizeHint().width();
    if (const QScreen *screen = box.screen())
        width = qMin(width, screen->availableGeometry().width() - kBoxFrameRoom);
    label->setMinimumWidth(qMax(width, 0));
}

} // namespace

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
        QStringList patterns = items.at(i + 1).split(u';', Qt::SkipEmptyParts);
        for (QString &pattern : patterns) {
            // "*.*" means every file. Taken literally it hides names without
            // a dot, and the save dialog puts its "*" into the file name as
            // the new ending when the user picks the entry.
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
        }
        result << QStringLiteral("%1 (%2)").arg(items.at(i), patterns.join(u' '));
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

bool QtUserDialogs::confirm(const QString &title, const QString &text, DefaultAnswer defaultAnswer)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Yes | QMessageBox::No, m_owner);
    showTextAsItIs(box);
    box.setDefaultButton(defaultAnswer == DefaultAnswer::No ? QMessageBox::No : QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void QtUserDialogs::notify(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, AppInfo::applicationTitle(), text, QMessageBox::Ok, m_owner);
    showTextAsItIs(box);
    box.exec();
}

void QtUserDialogs::error(const QString &text)
{
    QMessageBox box(QMessageBox::Warning, AppInfo::applicationTitle(), text, QMessageBox::Ok, m_owner);
    showTextAsItIs(box);
    box.exec();
}

} // namespace tabulink
