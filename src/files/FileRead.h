#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

enum class TReadResult { Read, Missing, Failed };

// Reads the whole file at path into data, but only a regular file of at most maxSize bytes:
// a FIFO, device or folder is refused at once (it is opened without blocking, so a FIFO with
// no writer cannot hang the caller, and /dev/zero is never read). Missing when nothing is
// there; Failed with the reason in errorText otherwise. data is empty unless Read.
TReadResult ReadRegularFile(const QString& path, qint64 maxSize, QByteArray& data,
                            QString* errorText = nullptr);

// Why a file of this st_mode cannot be read or replaced as a file; empty for a regular file.
QString IrregularFileReason(mode_t mode);
