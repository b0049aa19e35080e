#pragma once

#include <QByteArray>
#include <QString>

namespace tabulink {

// One row of the link tab's file list: a bare file name and its description.
// The two are kept apart, so a file name holding a comma stays whole; the
// list shows them joined by a comma.
struct FileListEntry {
    QString fileName;
    QString description;
    // The description is the link's label even when empty. Rows read from
    // text ("name,") can say so; a row without a description has the file
    // name as its label.
    bool hasComma = false;
    // The name's bytes as the file system holds them, for a name that is not
    // UTF-8 (shown decoded as code page 932); empty for every other name.
    QByteArray nativeName;
    // Typed into the edit row since the last link page was written.
    bool unsaved = false;

    static FileListEntry named(const QString &fileName, const QByteArray &nativeName = QByteArray());
    // A row of text split at its first comma: further commas belong to the
    // description. For text that joins name and description, as the command
    // line's description file does.
    static FileListEntry split(const QString &row);
    // The file name alone when the description is empty, else name "," description.
    static QString build(const QString &fileName, const QString &description);

    QString shown() const { return hasComma ? fileName + u',' + description : build(fileName, description); }
    QString label() const { return hasComma || !description.isEmpty() ? description : fileName; }
};

} // namespace tabulink
