#pragma once

#include <QWizard>
#include <QWizardPage>
#include <functional>

#include "core/pipe/CMaterialDatabase.h"
#include "core/threestation/ThreeStationSetup.h"
#include "core/values/UnitSystem.h"

class QComboBox;
class QLineEdit;

namespace korvanta::gui {

// The control IDs of the set-up pages.
namespace setupsheetctl {
inline constexpr int kRedBlueDistance = 1514;
inline constexpr int kRedBlueUnit = 1516;
inline constexpr int kRedBluePicture = 1518;
inline constexpr int kBlueYellowDistance = 1520;
inline constexpr int kBlueYellowUnit = 1519;
inline constexpr int kBlueYellowPicture = 1521;
inline constexpr int kSummaryPicture = 1522;
inline constexpr int kFilterChoice = 1523;
inline constexpr int kLowCutoff = 1526;
inline constexpr int kHighCutoff = 1527;
}  // namespace setupsheetctl

// What the wizard works with; everything must outlive it.
struct ThreeStationSetupContext {
    UnitSystem units = UnitSystem::Metric;
    const CMaterialDatabase* materials = nullptr;
    // Shows a refused distance's message (a plain box with OK); tests record it instead.
    std::function<void(const QString&)> showRangeMessage;
};

// A distance page: page 1 asks for red-blue, page 2 for blue-yellow.
class CThreeStationDistancePage : public QWizardPage {
    Q_OBJECT
public:
    CThreeStationDistancePage(int page, ThreeStationSetup& setup, const ThreeStationSetupContext& context);

    void initializePage() override;
    bool validatePage() override;
    QLineEdit* Entry() const { return entry_; }

private:
    int page_;
    ThreeStationSetup& setup_;
    const ThreeStationSetupContext& context_;
    QLineEdit* entry_ = nullptr;
};

class CThreeStationSetupPage1 final : public CThreeStationDistancePage {
    Q_OBJECT
public:
    CThreeStationSetupPage1(ThreeStationSetup& setup, const ThreeStationSetupContext& context)
        : CThreeStationDistancePage(1, setup, context)
    {
    }
};

class CThreeStationSetupPage2 final : public CThreeStationDistancePage {
    Q_OBJECT
public:
    CThreeStationSetupPage2(ThreeStationSetup& setup, const ThreeStationSetupContext& context)
        : CThreeStationDistancePage(2, setup, context)
    {
    }
};

// Page 3: the layout as entered, for confirmation.
class CThreeStationSetupPage3 final : public QWizardPage {
    Q_OBJECT
public:
    CThreeStationSetupPage3(ThreeStationSetup& setup, const ThreeStationSetupContext& context);
};

// Page 4: the material for the default cut-offs, "Ingen filtre" for none.
class CThreeStationSetupPage4 final : public QWizardPage {
    Q_OBJECT
public:
    CThreeStationSetupPage4(ThreeStationSetup& setup, const ThreeStationSetupContext& context);

    void initializePage() override;
    bool validatePage() override;
    QComboBox* Materials() const { return combo_; }

private:
    // The material of the selection, or ThreeStationSetup::kNoMaterial.
    int SelectedMaterial() const;
    void ShowDefaults();

    ThreeStationSetup& setup_;
    const ThreeStationSetupContext& context_;
    QComboBox* combo_ = nullptr;
    QLineEdit* low_ = nullptr;
    QLineEdit* high_ = nullptr;
    CutoffPair cutoffs_;
};

// The four-page setup wizard of the three-station mode. After Finish, Setup() holds the
// distances, ranges, default band, bounds and mean.
class CThreeStationSetupSheet final : public QWizard {
    Q_OBJECT
public:
    explicit CThreeStationSetupSheet(ThreeStationSetupContext context, QWidget* parent = nullptr);

    const ThreeStationSetup& Setup() const { return setup_; }

private:
    ThreeStationSetupContext context_;
    ThreeStationSetup setup_;
};

}  // namespace korvanta::gui
