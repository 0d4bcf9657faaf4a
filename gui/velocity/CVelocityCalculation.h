#pragma once

#include <QWizard>

#include "core/host/IMessageSink.h"
#include "core/velocity/VelocityWizardResult.h"
#include "core/velocity/VelocityWizardSetup.h"
#include "gui/velocity/CVelocityCalcFirstPage.h"
#include "gui/velocity/CVelocityCalcSecondPage.h"
#include "gui/velocity/CVelocityCalcThirdPage.h"

namespace korvanta::gui {

// "Løbehastighedsberegning": the three-page wizard that derives the pipe's sound velocity from
// the measured delay over a noise source at a known place. It works on its own copy of what it
// is given; after Finish, Answer() holds what goes into the document.
class CVelocityCalculation final : public QWizard {
    Q_OBJECT
public:
    enum PageId { kFirstPage = 0, kSecondPage = 1, kThirdPage = 2 };

    CVelocityCalculation(const VelocityWizardSetup& setup, IMessageSink& messages, QWidget* parent = nullptr);

    const CVelocityCalcFirstPage& FirstPage() const { return *first_; }
    const CVelocityCalcSecondPage& SecondPage() const { return *second_; }
    const CVelocityCalcThirdPage& ThirdPage() const { return *third_; }
    VelocityWizardAnswer Answer() const;
    // As big as the pages' templates make it: QWizard would otherwise ask for at least
    // 500 x 360 and float the fixed-size pages in the middle of empty space.
    QSize sizeHint() const override { return minimumSizeHint(); }

private:
    CVelocityCalcFirstPage* first_ = nullptr;
    CVelocityCalcSecondPage* second_ = nullptr;
    CVelocityCalcThirdPage* third_ = nullptr;
};

}  // namespace korvanta::gui
