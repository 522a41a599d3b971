#pragma once

#include <QHash>
#include <QMutex>
#include <QString>
#include <QStringList>

namespace platform {

// The pictures of the hicolor theme, which every icon theme falls back on and which is there
// whether or not a desktop is declared, and of the pixmaps folders: an icon name's file, the
// scalable drawing first, then the sizes nearest to a list's, applications before other kinds.
// Each name is looked for once. Safe to share between threads.
class HicolorIcons {
public:
    // Folders that hold "icons/hicolor" and "pixmaps", in order of precedence.
    explicit HicolorIcons(QStringList dataFolders);
    // $XDG_DATA_HOME, then each of $XDG_DATA_DIRS.
    static QStringList defaultDataFolders();

    // The file of that name, or "" when there is none (and for a name that is a path).
    QString fileFor(const QString& name);

private:
    QStringList pictureFolders() const;

    QStringList dataFolders_;
    QMutex mutex_;
    QStringList folders_;
    bool listed_ = false;
    QHash<QString, QString> found_;
};

} // namespace platform
