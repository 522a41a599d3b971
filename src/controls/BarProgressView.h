#pragma once

#include "platform/ui/View.h"

#include <memory>

// What the two progress views share: a track that holds one bar child, which starts empty,
// stretches with the track and is set to a share of the track's width.
class BarProgressView : public platform::ui::View {
public:
    // Takes 0 to 100 (see progressBarWidth for what lies outside).
    void changeProgressValue(float value);

    platform::ui::View* progressBar() const { return pProgress1; }

protected:
    // The bar gets the frame (0, 0, 0, track height), flexible width and right margin.
    BarProgressView(const platform::ui::Rect& frame, std::unique_ptr<platform::ui::View> bar);

    platform::ui::View* pProgress1; // owned as a subview
};
