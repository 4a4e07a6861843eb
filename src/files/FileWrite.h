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

// Writes all of data to the open file fd, past any buffer, and syncs it to disk; false with the
// system's reason when a step fails.
bool WriteAndSync(int fd, const QByteArray& data, QString* errorText = nullptr);
