#pragma once

#include <QDirIterator>
#include <QStringList>

// Everything below folder, hidden entries and subfolders included.
inline QStringList Listing(const QString& folder) {
    QStringList names;
    for (QDirIterator it(folder,
                         QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        names << it.next();
    }
    return names;
}
