#include "gui/view/CViewGraphs.h"

#include "core/text/StringIds.h"
#include "gui/view/CorrelationGraphPainter.h"
#include "gui/view/PipeLayoutPainter.h"

namespace korvanta::gui {

namespace {

// The picture's image, or null after telling the user (once) that it cannot be had.
QImage* ImageOf(CImagePicture& picture, TwoStationViewModel& model, bool& failureShown, uint32_t message)
{
    QImage& image = picture.Image();
    if (!image.isNull())
        return &image;
    if (!picture.size().isEmpty() && !failureShown) {
        failureShown = true;
        model.ShowMessage(message, kStyleStop);
    }
    return nullptr;
}

}  // namespace

void CViewGraphs::Redraw(TwoStationViewModel& model, std::span<const int32_t> trace)
{
    if (QImage* image = ImageOf(graph_, model, graphFailureShown_, str::kCannotCreateGraph)) {
        CorrelationGraphPainter::Paint(*image, model.Display(), trace);
        graph_.Show();
    }
    if (QImage* image = ImageOf(strip_, model, stripFailureShown_, str::kCannotCreatePipeLayout)) {
        PipeLayoutPainter::Paint(*image, model.Display().LayoutBands());
        strip_.Show();
    }
}

}  // namespace korvanta::gui
