#pragma once

#include "controls/DowndLoadOutLineView.h"

#include <functional>

// The related-files outline: a double click runs the double action with the clicked row.
class RelatedFilesOutlineView : public DowndLoadOutLineView {
public:
    using DowndLoadOutLineView::DowndLoadOutLineView;

    void setDoubleAction(std::function<void(int row)> action) { doubleAction_ = std::move(action); }
    void mouseDown(const platform::ui::Event& event) override;

private:
    std::function<void(int row)> doubleAction_;
};
