#include "textio/SafeSave.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace SafeSave {

namespace {
QString shortWriteReason()
{
    return QStringLiteral("書き込みが途中で止まりました（ディスクの空き容量が足りない可能性があります）");
}
} // namespace

bool writeWith(const QString &path, const std::function<bool(QIODevice *)> &write, QString *errorText)
{
    auto fail = [&](const QString &reason) {
        if (errorText)
            *errorText = reason;
        return false;
    };
    const QFileInfo info(path);
    if (info.isDir())
        return fail(QStringLiteral("同じ名前のフォルダがあります"));
    // A device or a FIFO is never replaced: the rename would put a plain file
    // in its place (for root even over /dev/null).
    if (info.exists() && !info.isFile())
        return fail(QStringLiteral("通常のファイルではないため保存できません"));

    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    // Unbuffered: every write reaches the system at once, so a short write on
    // a full disk shows in its return value instead of vanishing in a buffer.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(file.errorString());
    // pos() counts the bytes write() had accepted; the file on disk must hold
    // exactly as many, or a short write went unreported.
    const bool written = write(&file);
    if (!written || file.error() != QFileDevice::NoError || !file.flush() || file.size() != file.pos()) {
        const QString reason = file.error() != QFileDevice::NoError ? file.errorString() : shortWriteReason();
        file.cancelWriting();
        return fail(reason);
    }
    const QString reasonBeforeCommit = file.errorString();
    if (!file.commit()) {
        const QString reason = file.errorString();
        return fail(reason.isEmpty() ? reasonBeforeCommit : reason);
    }
    return true;
}

bool writeBytes(const QString &path, const QByteArray &content, QString *errorText)
{
    return writeWith(path, [&content](QIODevice *file) {
        qsizetype done = 0;
        while (done < content.size()) {
            const qint64 n = file->write(content.constData() + done, content.size() - done);
            if (n <= 0)
                return false;
            done += n;
        }
        return true;
    }, errorText);
}

QString failureMessage(const QString &path, const QString &reason)
{
    return QStringLiteral("ファイルを保存できませんでした。\n%1\n%2")
        .arg(QDir::toNativeSeparators(path), reason);
}

} // namespace SafeSave
