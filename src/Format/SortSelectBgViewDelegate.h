#pragma once

class SortSelectBgView;

// Hears which option tile was clicked (optional).
class SortSelectBgViewDelegate {
public:
    virtual ~SortSelectBgViewDelegate() = default;
    virtual void selectSortType(SortSelectBgView& /*tile*/) {}
};
