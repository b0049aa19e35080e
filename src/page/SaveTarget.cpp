#include "page/SaveTarget.h"

#include "page/UserDialogs.h"
#include "page/SaveContext.h"
#include "textio/LineFile.h"
#include "textio/SafeSave.h"

#include <QFileInfo>

namespace tabulink {

namespace SaveTarget {

QString pageFilter()
{
    return QStringLiteral("htmlﾌｧｲﾙ|*.html|htmﾌｧｲﾙ|*.htm|All Files|*.*|");
}

QString csvFilter()
{
    return QStringLiteral("TEXTﾌｧｲﾙ|*.txt|csvﾌｧｲﾙ|*.csv|All Files|*.*|");
}

Params pageParams(OverwriteForm form, const QString &completionText)
{
    Params p;
    p.nameEnding = QStringLiteral(".html");
    p.fallbackName = QStringLiteral("index.html");
    p.filter = pageFilter();
    p.form = form;
    p.completionText = completionText;
    p.unmappable = Cp932::Unmappable::NumericReference;
    return p;
}

QString proposeFileName(const QString &selectedFileName, const QString &ending, const QString &fallback)
{
    const qsizetype dot = selectedFileName.indexOf(u'.');
    if (dot < 0)
        return fallback;
    return selectedFileName.left(dot) + ending;
}

QString overwriteTitle()
{
    return QStringLiteral("ファイル上書き確認");
}

QString overwriteText(const QString &path, OverwriteForm form)
{
    if (form == OverwriteForm::A)
        return QStringLiteral("\n") + path + QStringLiteral(" のファイルに上書きしますか？\n");
    return QStringLiteral("\n") + path + QStringLiteral("\nのファイルに上書きしますか？\n");
}

QString replacedNotice(qsizetype count)
{
    return QStringLiteral("Shift_JIS で表せない文字が %1 文字あったため、「?」に置き換えて保存しました。").arg(count);
}

Result run(SaveContext &context, const Params &params, const std::function<void(LineSink &)> &body,
           const QString &proposedName)
{
    UserDialogs &dialogs = context.dialogs();
    FileDialogRequest request;
    request.filter = params.filter;
    request.folder = context.currentFolder();
    request.presetName = proposedName.isEmpty()
        ? proposeFileName(context.selectedFileName(), params.nameEnding, params.fallbackName)
        : proposedName;
    request.defaultSuffix = params.defaultSuffix;

    const std::optional<QString> chosen = dialogs.saveFileName(request);
    if (!chosen || chosen->isEmpty())
        return Result::Cancelled;
    const QString path = *chosen;

    const QFileInfo info(path);
    if (params.askOverwrite && info.exists() && info.isFile()) {
        if (!dialogs.confirm(overwriteTitle(), overwriteText(path, params.form), UserDialogs::DefaultAnswer::No))
            return Result::Declined;
    }
    if (params.showPathInLabel)
        context.setPathLabel(path);

    // The lines go straight into the new file; the old one is replaced only
    // once all of them are on disk.
    qsizetype replaced = 0;
    const Outcome saved = LineFile::save(path, params.unmappable, body, &replaced);
    if (!saved.ok) {
        dialogs.error(SafeSave::failureMessage(path, saved.message));
        return Result::Failed;
    }
    context.refreshFileList();
    if (replaced > 0 && params.unmappable == Cp932::Unmappable::QuestionMark)
        dialogs.notify(replacedNotice(replaced));
    if (params.notifyCompletion)
        dialogs.notify(params.completionText);
    return Result::Written;
}

} // namespace SaveTarget

} // namespace tabulink
