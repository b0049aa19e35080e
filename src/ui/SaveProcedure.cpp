#include "ui/SaveProcedure.h"

#include "page/UserDialogs.h"
#include "table/CsvWriter.h"
#include "textio/LineFile.h"
#include "textio/SafeSave.h"
#include "textpage/TextFile.h"
#include "ui/SaveContext.h"
#include "ui/WindowMessages.h"

#include <QFileInfo>

namespace tabulink {

namespace SaveProcedure {

namespace {
using PageMessages::OverwriteForm;

Settings page(OverwriteForm form, const QString &completionText)
{
    Settings s;
    s.file = FileKind::page();
    s.filter = QStringLiteral("htmlﾌｧｲﾙ|*.html|htmﾌｧｲﾙ|*.htm|All Files|*.*|");
    s.form = form;
    s.completionText = completionText;
    return s;
}

Settings csvFile()
{
    Settings s;
    s.file = CsvWriter::fileKind();
    s.filter = QStringLiteral("TEXTﾌｧｲﾙ|*.txt|csvﾌｧｲﾙ|*.csv|All Files|*.*|");
    s.completionText = WindowMessages::csvWritten();
    return s;
}

// The editor's text file: no overwrite question, no notice, the path label
// left alone.
Settings textFile()
{
    Settings s;
    s.file = TextFile::fileKind();
    s.filter = QStringLiteral("text|*.txt|html|*.html|All Files|*.*|");
    s.defaultSuffix = QStringLiteral("txt");
    s.nameFromSelection = false;
    s.askOverwrite = false;
    s.showPathInLabel = false;
    return s;
}
} // namespace

const Settings &settings(Kind kind)
{
    static const Settings table[] = {
        page(OverwriteForm::A, WindowMessages::pageWritten()),      // LinkPage
        page(OverwriteForm::A, WindowMessages::pageWritten()),      // TextPage
        page(OverwriteForm::A, WindowMessages::imodePageWritten()), // ImodePage
        page(OverwriteForm::B, WindowMessages::pageWritten()),      // TablePage
        csvFile(),
        textFile(),
    };
    return table[int(kind)];
}

QString textOpenFilter()
{
    return QStringLiteral("text|*.txt|All Files|*.*|");
}

Result run(SaveContext &context, Kind kind, const std::function<void(LineSink &)> &body)
{
    const Settings &s = settings(kind);
    UserDialogs &dialogs = context.dialogs();
    FileDialogRequest request;
    request.filter = s.filter;
    request.folder = context.currentFolder();
    request.presetName = s.nameFromSelection ? s.file.proposeFileName(context.selectedFileName()) : s.file.fallbackName;
    request.defaultSuffix = s.defaultSuffix;

    const std::optional<QString> chosen = dialogs.saveFileName(request);
    if (!chosen || chosen->isEmpty())
        return Result::Cancelled;
    const QString path = *chosen;

    const QFileInfo info(path);
    if (s.askOverwrite && info.exists() && info.isFile()) {
        if (!dialogs.confirm(PageMessages::overwriteTitle(), PageMessages::overwriteQuestion(path, s.form),
                             UserDialogs::DefaultAnswer::No))
            return Result::Declined;
    }
    if (s.showPathInLabel)
        context.setPathLabel(path);

    // The lines go straight into the new file; the old one is replaced only
    // once all of them are on disk.
    qsizetype replaced = 0;
    const Outcome saved = LineFile::save(path, s.file.unmappable, body, &replaced);
    if (!saved.ok) {
        dialogs.error(SafeSave::failureMessage(path, saved.message));
        return Result::Failed;
    }
    context.refreshFileList();
    if (replaced > 0 && s.file.unmappable == Cp932::Unmappable::QuestionMark)
        dialogs.notify(PageMessages::replacedNotice(replaced));
    if (!s.completionText.isEmpty())
        dialogs.notify(s.completionText);
    return Result::Written;
}

} // namespace SaveProcedure

} // namespace tabulink
