#pragma once

#include <QString>

#include <algorithm>
#include <cstdint>

// Posted with the group as its object whenever its count of captures changes.
inline const QString TCWindowButtonGroupDidUpdateRolloverStateNotification =
    QStringLiteral("TCWindowButtonGroupDidUpdateRolloverStateNotification");

// The buttons of one window's title bar that show their roll-over pictures together: it
// counts how many of them hold the pointer. Groups live in a process-wide registry by
// identifier, from the first request until the process ends. Main thread only.
class TCWindowButtonGroup {
public:
    static const QString kDefaultIdentifier;

    // The registered group, made on first request; a null identifier names the default group.
    static TCWindowButtonGroup& groupWithIdentifier(const QString& identifier = QString());

    explicit TCWindowButtonGroup(const QString& identifier) : identifier_(identifier) {}
    TCWindowButtonGroup(const TCWindowButtonGroup&) = delete;
    TCWindowButtonGroup& operator=(const TCWindowButtonGroup&) = delete;

    const QString& identifier() const { return identifier_; }
    std::int64_t numberOfCaptures() const { return numberOfCaptures_; }
    // A negative count or the present one is ignored; any other is kept and posted.
    void setNumberOfCaptures(std::int64_t count); // kept: named by the design, no caller yet

    // The count alone, announcing nothing: the button that the pointer entered or left
    // re-chooses its own picture. A release never takes the count below zero (after a reset
    // under the pointer, the next visit would show no roll-over).
    void didCaptureMousePointer() { ++numberOfCaptures_; }
    void didReleaseMousePointer() { numberOfCaptures_ = std::max<std::int64_t>(0, numberOfCaptures_ - 1); }
    void resetMouseCaptures() { numberOfCaptures_ = 0; }

    bool shouldDisplayRollOver() const { return numberOfCaptures_ > 0; }

private:
    QString identifier_;
    std::int64_t numberOfCaptures_ = 0;
};
