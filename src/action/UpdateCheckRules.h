#pragma once

#include "platform/ui/Geometry.h"

#include <QByteArray>
#include <QString>
#include <QVariant>

#include <functional>
#include <optional>
#include <vector>

// The decisions of the update check, apart from the dialog: reading the remote list, comparing
// build numbers and laying out the change notes.
namespace UpdateCheckRules {

// The states of the dialog; it leaves Checking once.
enum class UpdateState { Checking, NoNetwork, NoUpdate, HaveUpdate };

// A real update list is a few kilobytes; anything larger is refused unread.
constexpr qsizetype kMaximumListSize = 64 * 1024;

// The remote list: a property-list dictionary of at most kMaximumListSize bytes, or nothing.
std::optional<QVariantMap> remoteListFromData(const QByteArray& data);

// A build number: an integer, a real by its integer value (cut toward zero), or a text holding
// only an integer (blanks around it allowed).
std::optional<qint64> buildNumber(const QVariant& value);

// What the finished check shows. No list, or one without a readable "VersionCheck", is a
// failed check; a missing or unreadable local number counts as 0.
UpdateState stateFor(const std::optional<QVariantMap>& remote, const QVariant& localBuild);

// "Tavrin <remote> is now available-you have <local>. ..."
QString updateMessage(const QString& remoteVersion, const QString& localVersion);

// One note field: its text "i:value", its tool tip (the value) and its frame in the notes view.
struct NoteField {
    QString text;
    QString toolTip;
    platform::ui::Rect frame;
};
struct NotesLayout {
    double height = 0; // of the notes view, at least 140
    std::vector<NoteField> fields;
};

// The notes are the remote list without "VersionCheck" and "Version", shown in the order of
// their numbers from the top. `measure` gives the height of a note's text at width 200.
NotesLayout notesLayout(QVariantMap notes, const std::function<double(const QString&)>& measure);

} // namespace UpdateCheckRules
