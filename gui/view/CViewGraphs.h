#pragma once

#include <span>

#include "core/view/TwoStationViewModel.h"
#include "gui/forms/CImagePicture.h"

namespace korvanta::gui {

// The two-station form's pictures: the correlation graph and the pipe strip under it, painted
// into their images when something changed. An image that cannot be had is reported once.
class CViewGraphs {
public:
    CViewGraphs(CImagePicture& graph, CImagePicture& strip) : graph_(graph), strip_(strip) {}

    void Redraw(TwoStationViewModel& model, std::span<const int32_t> trace);

private:
    CImagePicture& graph_;
    CImagePicture& strip_;
    bool graphFailureShown_ = false;
    bool stripFailureShown_ = false;
};

}  // namespace korvanta::gui
