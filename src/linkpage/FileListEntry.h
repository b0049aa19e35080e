#pragma once

#include <QString>

// One row of the link tab's file list: a bare file name, optionally followed
// by one comma and a description. A row is split at its first comma, so any
// further commas belong to the description.
struct FileListEntry {
    QString fileName;
    QString description;
    // The row held a comma. Then the description is the link's label, even
    // when it is empty; without a comma the file name is the label.
    bool hasComma = false;

    static FileListEntry split(const QString &row);
    // The file name alone when the description is empty, else name "," description.
    static QString build(const QString &fileName, const QString &description);
};
