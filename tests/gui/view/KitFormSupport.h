#pragma once

#include <QAbstractButton>

#include "gui/forms/CTemplateLayout.h"
#include "gui/view/CKorvantaView.h"
#include "gui/view/TwoStationFormTemplate.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/PipeFactory.h"

namespace korvanta::test {

// The two-station form's START in the running program once the form offers it (link up, the
// stations polled); fails the test when it never does.
inline QAbstractButton* StartButtonWhenReady(QWidget* form)
{
    auto* view = qobject_cast<gui::CKorvantaView*>(form);
    EXPECT_NE(view, nullptr) << "the two-station form is not shown";
    if (view == nullptr)
        return nullptr;
    auto* start = view->findChild<QAbstractButton*>(gui::CTemplateLayout::ControlName(gui::view101::kStartStop));
    EXPECT_TRUE(ProcessEventsUntil([&] {
        view->StatusPollTick();
        return start->isEnabled();
    })) << "START was never offered";
    return start;
}

// The pipe of the kit's default scenario: 120 m of PVC, 110 mm; the leak lies 43.5 m from red.
inline PipeSections KitDefaultPipe()
{
    return Pipe({Section(8, 120.0f, 363.0f, 110.0f)});
}

}  // namespace korvanta::test
