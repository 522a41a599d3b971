#pragma once

#include <QString>

namespace platform::ui {

// Names of the notifications that windows and the application post, with themselves as the
// object.
inline const QString NSWindowWillCloseNotification = QStringLiteral("NSWindowWillCloseNotification");
inline const QString NSWindowDidResizeNotification = QStringLiteral("NSWindowDidResizeNotification");
inline const QString NSWindowDidMoveNotification = QStringLiteral("NSWindowDidMoveNotification");
inline const QString NSWindowDidBecomeKeyNotification = QStringLiteral("NSWindowDidBecomeKeyNotification");
inline const QString NSWindowDidResignKeyNotification = QStringLiteral("NSWindowDidResignKeyNotification");
inline const QString NSWindowDidBecomeMainNotification = QStringLiteral("NSWindowDidBecomeMainNotification");
inline const QString NSWindowDidResignMainNotification = QStringLiteral("NSWindowDidResignMainNotification");
inline const QString NSWindowDidMiniaturizeNotification = QStringLiteral("NSWindowDidMiniaturizeNotification");
inline const QString NSWindowDidDeminiaturizeNotification = QStringLiteral("NSWindowDidDeminiaturizeNotification");
inline const QString NSWindowWillEnterFullScreenNotification = QStringLiteral("NSWindowWillEnterFullScreenNotification");
inline const QString NSWindowDidEnterFullScreenNotification = QStringLiteral("NSWindowDidEnterFullScreenNotification");
inline const QString NSWindowWillExitFullScreenNotification = QStringLiteral("NSWindowWillExitFullScreenNotification");
inline const QString NSWindowDidExitFullScreenNotification = QStringLiteral("NSWindowDidExitFullScreenNotification");
inline const QString NSWindowDidEndSheetNotification = QStringLiteral("NSWindowDidEndSheetNotification");
inline const QString NSApplicationDidBecomeActiveNotification = QStringLiteral("NSApplicationDidBecomeActiveNotification");
inline const QString NSApplicationDidResignActiveNotification = QStringLiteral("NSApplicationDidResignActiveNotification");
inline const QString NSApplicationDidFinishLaunchingNotification =
    QStringLiteral("NSApplicationDidFinishLaunchingNotification");

} // namespace platform::ui
