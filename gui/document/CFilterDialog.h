#pragma once

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/dialogs/FilterDialogModel.h"
#include "core/host/IMessageSink.h"
#include "gui/forms/CTemplateLayout.h"

namespace korvanta::gui {

// The control IDs of the dialog's template.
namespace filterctl {
enum ControlId {
    kOk = 1,
    kCancel = 2,
    kClearAll = 1090,
    kCursorText = 1093,
    kUpperGraph = 1109,
    kSlider = 1112,
    kNotchRadio1 = 1143,
    kAddNotch = 1149,
    kDeleteNotch = 1150,
    kLowCutoff = 1617,
    kHighCutoff = 1618,
    kNotchLow = 1619,
    kNotchHigh = 1620,
    kAccept = 1624,
    kAutomatic = 1643,
    kLowerGraph = 1383,
    kCutoffFrame = 1101,
    kNotchFrame = 1102,
    kCoherenceGraph = 1700,
    kCoherenceButton = 1701,
};
}  // namespace filterctl

// "Filterindstillinger": the band-pass limits, up to five notches or the automatic filter, set
// while looking at both sensors' spectra. The graphs are drawn into off-screen images; the
// frequencies the applied filters remove are grey. "Accept" applies and redraws without
// closing; OK applies and closes; the caller takes Applied() after OK.
class CFilterDialog final : public QDialog {
    Q_OBJECT

public:
    // `upper` is sensor 2's spectrum trace, `lower` sensor 1's (heights in pixels per column).
    CFilterDialog(const FilterSettings& settings, std::span<const int32_t> upper, std::span<const int32_t> lower,
                  uint32_t pairCode, const CoherenceSpectrum& coherence, IMessageSink& messages,
                  QWidget* parent = nullptr);

    const FilterSettings& Applied() const { return model_.Applied(); }
    const FilterDialogModel& Model() const { return model_; }

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void EditChanged(int which);
    void NotchClicked(int k);
    void AddNotch();
    void DeleteNotch();
    void ClearAll();
    void AutomaticClicked(bool on);
    void ProposeFromCoherence();
    void DrawCoherence();
    bool Apply();
    void AcceptClicked();
    void SliderMoved(int position);
    // Moves the model's texts, control states and cursor into the widgets.
    void ShowModel();
    void DrawGraphs();
    void DrawGraph(QLabel* picture, QImage& image, const std::vector<int32_t>& heights, uint32_t colour);
    void ShowOutcome(const EditOutcome& outcome);

    FilterDialogModel model_;
    std::vector<int32_t> upper_;
    std::vector<int32_t> lower_;
    uint32_t pairCode_;
    IMessageSink& messages_;
    QLabel* upperPicture_ = nullptr;
    QLabel* lowerPicture_ = nullptr;
    QImage upperImage_;
    QImage lowerImage_;
    QLabel* coherencePicture_ = nullptr;
    QImage coherenceImage_;
    std::vector<float> coherenceColumns_;
    QPushButton* coherenceButton_ = nullptr;
    QSlider* slider_ = nullptr;
    QLabel* cursorText_ = nullptr;
    std::array<QLineEdit*, kFrequencyEdits> edits_{};
    QButtonGroup notchGroup_;
    QPushButton* addNotch_ = nullptr;
    QPushButton* deleteNotch_ = nullptr;
    QCheckBox* automatic_ = nullptr;
    CTemplateLayout layout_;
};

}  // namespace korvanta::gui
