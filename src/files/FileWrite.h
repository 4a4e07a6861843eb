#pragma once

#include <QByteArray>
#include <QString>

// Writes that never leave a user's file half written and never report a failed write as
// done. Every byte is flushed and synced to disk before the file counts as written, because
// QSaveFile::commit() in Qt 6.4 ignores the error of its own final flush and would rename an
// empty temporary file over the original on a full disk. Error texts are the system's
// reason ("No space left on device").

// Replaces the file at path by data through a temporary file in the same folder: on failure
// the file is left byte for byte as it was and no temporary file remains. Anything there that
// is not a regular file (a FIFO, a device, a folder) is refused. The new file keeps the old
// one's owner, group and mode; where the process may not set them (someone else's file) the
// file is still written, and noticeText says what changed.
bool ReplaceFile(const QString& path, const QByteArray& data, QString* errorText = nullptr,
                 QString* noticeText = nullptr);

// Writes data to a new file of its own in the temporary folder, readable by its owner only,
// named nameStart + unique letters + nameEnd. The file is created there and then, so nobody
// can choose in advance where it lands (a planted file or symlink is never opened). Returns
// its path, empty on failure (the error text says why; nothing is left behind).
QString WritePrivateTempFile(const QString& nameStart, const QString& nameEnd,
                             const QByteArray& data, QString* errorText = nullptr);
