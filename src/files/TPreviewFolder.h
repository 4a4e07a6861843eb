#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The private folder that HTML previews go to: XDG_RUNTIME_DIR/pixolan, or pixolan-<uid> in the
// temporary folder where XDG_RUNTIME_DIR is not set (or is no folder of this user's). Only a real
// folder of ours that nobody else may enter (0700) is used; anything else there is refused, because
// whoever can write into it could swap a preview for a page of their own.
//
// The object removes the previews it wrote when it goes, and on being made the previews of
// earlier runs older than a day (left by a run that crashed). It only ever removes regular files
// of ours named as previews, inside that folder, never through a link.
class TPreviewFolder {
public:
    explicit TPreviewFolder(const QString& path = DefaultPath());
    ~TPreviewFolder();
    TPreviewFolder(const TPreviewFolder&) = delete;
    TPreviewFolder& operator=(const TPreviewFolder&) = delete;

    static QString DefaultPath();
    // The one folder of the process, made on first use and gone at exit.
    static TPreviewFolder& Current();

    const QString& Path() const { return Folder; }

    // Writes data to a new preview file there, readable by its owner only, under a name nobody
    // can choose in advance. Returns its path, empty on failure (the error text says why;
    // nothing is left behind).
    QString Write(const QByteArray& data, QString* errorText = nullptr);

    // Removes the previews older than maxAge seconds; how many went.
    int RemoveOlderThan(qint64 maxAge);

private:
    QString Folder;
    QList<QByteArray> Written; // names inside Folder
};
