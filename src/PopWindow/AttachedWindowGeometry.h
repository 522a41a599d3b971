#pragma once

#include "platform/ui/Geometry.h"

// Side codes of an attached window: where it lies relative to its anchor point.
enum AttachedWindowSide : int {
    AttachedSideLeft = 0,
    AttachedSideBelow = 1,
    AttachedSideRight = 2,
    AttachedSideAbove = 3,
    AttachedSideLeftUpward = 4,
    AttachedSideLeftDownward = 5,
    AttachedSideRightUpward = 6,
    AttachedSideRightDownward = 7,
    AttachedSideAboveLeftward = 8,
    AttachedSideAboveRightward = 9,
    AttachedSideBelowLeftward = 10,
    AttachedSideBelowRightward = 11,
    AttachedSideAutomatic = 12,
};

// The settable lengths and flags of an attached window, in points.
struct AttachedWindowMetrics {
    double borderWidth = 0;
    double viewMargin = 1;
    double arrowBaseWidth = 15;
    double arrowHeight = 10;
    bool hasArrow = false;
    double cornerRadius = 8;
    bool drawsRoundCornerBesideArrow = true;
};

// The arithmetic of attached windows: where the window and its view go, which side the
// automatic placement picks, and the limits that the setters apply. `scale` is the screen's
// user-space scale factor.
class AttachedWindowGeometry {
public:
    struct Placement {
        platform::ui::Rect windowFrame; // screen coordinates
        platform::ui::Rect viewFrame;   // in the window
    };

    // Distance from a corner of the window to the middle of an arrow beside it.
    static double arrowInset(const AttachedWindowMetrics& metrics, double scale);

    // The window around a view of `viewSize`, next to `anchor` (screen coordinates) on `side`,
    // `distance` away. The strip for the arrow is kept on the anchor side whether or not an
    // arrow is drawn. Unknown sides (12 among them) put the origin at the anchor, no strip.
    static Placement placement(platform::ui::Size viewSize, platform::ui::Point anchor, int side, float distance,
                               const AttachedWindowMetrics& metrics, double scale);

    // The side that the automatic placement picks: below if the window fits there, else right,
    // left or above, then a corner variant when the centred window would stick out of
    // `referenceFrame` (the anchor window's frame, or `visibleFrame` without one).
    static int bestSideForAutomaticPosition(platform::ui::Size viewSize, platform::ui::Point anchor, float distance,
                                            const AttachedWindowMetrics& metrics, double scale,
                                            const platform::ui::Rect& visibleFrame,
                                            const platform::ui::Rect& referenceFrame);

    // The limits of the setters, against the view frame's size and the values held now.
    static double clampedBorderWidth(double value, double viewMargin);
    static double clampedViewMargin(double value);
    static double clampedCornerRadius(double value, platform::ui::Size viewSize, double viewMargin,
                                      double arrowBaseWidth);
    static double clampedArrowBaseWidth(double value, platform::ui::Size viewSize, double viewMargin,
                                        double cornerRadius, bool drawsRoundCornerBesideArrow);
};
