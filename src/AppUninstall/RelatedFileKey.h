#pragma once

#include <QList>
#include <QString>

// A key an application's files are found by: its name or its bundle identifier. A key takes an
// entry whose name starts with it (or with it without blanks), ignoring case, when no letter or
// digit follows, so "Lum" never takes "Luminous". A short key (an identifier of fewer than three
// dot-separated parts, a name of fewer than three characters) takes only the whole name or the
// name with a file-name suffix, so an identifier "com" never takes every "com.*" file; so does a
// name where a dot follows it ("com" takes "com.plist", not "com.apple.finder.plist"). A name
// that holds a dot is taken for an identifier. The Library's shared folders (ByHost, …) are no
// key's.
class RelatedFileKey {
public:
    enum class Kind { Name, Identifier };

    RelatedFileKey(const QString& key, Kind kind);

    // How many characters at the start of `entryName` the key takes; 0 when it does not match.
    qsizetype matchLength(const QString& entryName) const;
    // Whether a key of another application takes at least the `length` characters of the entry
    // that this key took: the entry is that application's, or no one can tell whose it is.
    static bool claimedByAnother(const QString& entryName, qsizetype length, const QList<RelatedFileKey>& others);

private:
    qsizetype takes(const QString& loweredName, const QString& key) const;

    QString whole_;
    QString blankFree_;
    Kind kind_;
    bool shortIdentifier_ = false;
};
