#include "gui/document/CFilterDialog.h"

#include <QContextMenuEvent>
#include <algorithm>
#include <QGroupBox>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QSignalBlocker>

#include "core/dialogs/FrequencyScale.h"
#include "core/dialogs/SpectrumGraph.h"
#include "core/text/StringIds.h"
#include "gui/forms/CTemplateControls.h"
#include "gui/forms/FormControls.h"

namespace korvanta::gui {

namespace {

using namespace filterctl;

// The graphs are 336 dialog units wide: 504 pixels, one per frequency column. Each has its
// scale's top, middle and bottom at its left.
constexpr int kGraphLeft = 40;
constexpr int kGraphWidth = 336;

constexpr std::array<DialogItemTemplate, 4> Graph(int id, int y, int height, const char* top, const char* middle,
                                                  int middleWidth)
{
    return {{{kStaticId, 8, y, 28, 9, top},
             {kStaticId, 8, y + (height - 9) / 2, middleWidth, 9, middle},
             {kStaticId, 8, y + height - 9, 28, 9, "0"},
             {id, kGraphLeft, y, kGraphWidth, height}}};
}

// The frequency axis under a graph, a mark every 200 Hz.
constexpr std::array<DialogItemTemplate, 7> FrequencyAxis(int y)
{
    return {{{kStaticId, 40, y, 36, 9, "| 0Hz"},
             {kStaticId, 95, y, 36, 9, "| 200Hz"},
             {kStaticId, 150, y, 36, 9, "| 400Hz"},
             {kStaticId, 205, y, 36, 9, "| 600Hz"},
             {kStaticId, 260, y, 36, 9, "| 800Hz"},
             {kStaticId, 315, y, 40, 9, "| 1000Hz"},
             {kStaticId, 370, y, 40, 9, "| 1200Hz"}}};
}

constexpr std::array<DialogItemTemplate, 31> kSettingsItems = {{
    {kSlider, 36, 229, 344, 14, nullptr, ControlKind::Slider},
    {kStaticId, 40, 249, 34, 9, "Markør:"},
    {kCursorText, 76, 249, 24, 9, "0"},
    {kStaticId, 101, 249, 14, 9, "Hz"},
    {kCutoffFrame, 410, 4, 104, 52, "Cut-Off", ControlKind::Group},
    {kStaticId, 418, 18, 22, 9, "Lav"},
    {kLowCutoff, 442, 16, 44, 12, nullptr, ControlKind::Edit},
    {kStaticId, 490, 18, 15, 9, "Hz"},
    {kStaticId, 418, 36, 22, 9, "Høj"},
    {kHighCutoff, 442, 34, 44, 12, nullptr, ControlKind::Edit},
    {kStaticId, 490, 36, 15, 9, "Hz"},
    {kNotchFrame, 410, 60, 104, 92, "Notch-filter", ControlKind::Group},
    {kNotchRadio1, 415, 74, 19, 10, "1", ControlKind::Radio},
    {kNotchRadio1 + 1, 434, 74, 19, 10, "2", ControlKind::Radio},
    {kNotchRadio1 + 2, 453, 74, 19, 10, "3", ControlKind::Radio},
    {kNotchRadio1 + 3, 472, 74, 19, 10, "4", ControlKind::Radio},
    {kNotchRadio1 + 4, 491, 74, 19, 10, "5", ControlKind::Radio},
    {kStaticId, 418, 92, 22, 9, "Lav"},
    {kNotchLow, 442, 90, 44, 12, nullptr, ControlKind::Edit},
    {kStaticId, 490, 92, 15, 9, "Hz"},
    {kStaticId, 418, 110, 22, 9, "Høj"},
    {kNotchHigh, 442, 108, 44, 12, nullptr, ControlKind::Edit},
    {kStaticId, 490, 110, 15, 9, "Hz"},
    {kAddNotch, 418, 129, 44, 14, "Tilføj", ControlKind::Button},
    {kDeleteNotch, 466, 129, 44, 14, "Slet", ControlKind::Button},
    {kAutomatic, 414, 160, 96, 10, "Autofilter", ControlKind::Check},
    {kClearAll, 410, 177, 104, 14, "Slet", ControlKind::Button},
    {kAccept, 410, 199, 104, 14, "Accept", ControlKind::Button},
    {kOk, 410, 217, 104, 14, "OK"},
    {kCancel, 410, 235, 104, 14, "Cancel"},
}};

// The two stations' coherence on the same frequency columns, and the band it proposes.
constexpr auto kItems = JoinItems(Graph(kUpperGraph, 8, 100, "100", "Mag", 28),
                                  Graph(kLowerGraph, 114, 100, "100", "Mag", 28), FrequencyAxis(217), kSettingsItems,
                                  Graph(kCoherenceGraph, 262, 48, "1", "Koh.", 30), FrequencyAxis(313),
                                  std::array<DialogItemTemplate, 1>{
                                      {{kCoherenceButton, 410, 262, 104, 14, "Kohærens", ControlKind::Button}}});

constexpr DialogTemplate kTemplate = {148, "Filterindstillinger", "Tahoma", 8, 400, false, 521, 326, kItems};
// Coherence is drawn in dark green over a light grey where the applied filters remove it.
constexpr QRgb kCoherenceColour = qRgb(0, 110, 60);
constexpr QRgb kRemovedBackground = qRgb(215, 215, 215);

constexpr std::array<int, kFrequencyEdits> kEditIds = {kLowCutoff, kHighCutoff, kNotchLow, kNotchHigh};

int CodePointsBefore(const QString& text, int position)
{
    return static_cast<int>(text.left(position).toUcs4().size());
}

}  // namespace

CFilterDialog::CFilterDialog(const FilterSettings& settings, std::span<const int32_t> upper,
                             std::span<const int32_t> lower, uint32_t pairCode, const CoherenceSpectrum& coherence,
                             IMessageSink& messages, QWidget* parent)
    : QDialog(parent),
      model_(settings, coherence),
      upper_(upper.begin(), upper.end()),
      lower_(lower.begin(), lower.end()),
      pairCode_(pairCode),
      messages_(messages)
{
    setObjectName(QStringLiteral("filterDialog"));
    setWindowTitle(QString::fromUtf8(kTemplate.caption));
    const CTemplateControls controls(this, kTemplate);
    upperPicture_ = controls.Get<QLabel>(kUpperGraph);
    lowerPicture_ = controls.Get<QLabel>(kLowerGraph);
    coherencePicture_ = controls.Get<QLabel>(kCoherenceGraph);
    coherenceButton_ = controls.Get<QPushButton>(kCoherenceButton);
    coherenceButton_->setText(StringText(str::kFilterCoherence));
    slider_ = controls.Get<QSlider>(kSlider);
    cursorText_ = controls.Get<QLabel>(kCursorText);
    for (size_t which = 0; which < kEditIds.size(); ++which) {
        edits_[which] = controls.Get<QLineEdit>(kEditIds[which]);
        edits_[which]->setAlignment(Qt::AlignRight);
    }
    addNotch_ = controls.Get<QPushButton>(kAddNotch);
    deleteNotch_ = controls.Get<QPushButton>(kDeleteNotch);
    automatic_ = controls.Get<QCheckBox>(kAutomatic);
    connect(controls.Get<QPushButton>(kClearAll), &QPushButton::clicked, this, &CFilterDialog::ClearAll);
    connect(controls.Get<QPushButton>(kAccept), &QPushButton::clicked, this, &CFilterDialog::AcceptClicked);
    for (int k = 0; k < kNotchCount; ++k) {
        notchGroup_.addButton(controls.Get<QRadioButton>(kNotchRadio1 + k), k);
    }
    layout_.Apply(this, kTemplate);

    slider_->setRange(0, FrequencyScale::kLastPosition);
    upperImage_ = QImage(upperPicture_->size(), QImage::Format_RGB32);
    lowerImage_ = QImage(lowerPicture_->size(), QImage::Format_RGB32);
    coherenceImage_ = QImage(coherencePicture_->size(), QImage::Format_RGB32);
    coherenceColumns_ = model_.CoherenceColumns();
    connect(coherenceButton_, &QPushButton::clicked, this, &CFilterDialog::ProposeFromCoherence);
    for (QLabel* picture : {upperPicture_, lowerPicture_}) {
        picture->installEventFilter(this);
    }
    for (size_t i = 0; i < edits_.size(); ++i) {
        connect(edits_[i], &QLineEdit::textChanged, this, [this, i] { EditChanged(static_cast<int>(i)); });
    }
    connect(slider_, &QSlider::valueChanged, this, &CFilterDialog::SliderMoved);
    connect(&notchGroup_, &QButtonGroup::idClicked, this, &CFilterDialog::NotchClicked);
    connect(addNotch_, &QPushButton::clicked, this, &CFilterDialog::AddNotch);
    connect(deleteNotch_, &QPushButton::clicked, this, &CFilterDialog::DeleteNotch);
    connect(automatic_, &QCheckBox::clicked, this, &CFilterDialog::AutomaticClicked);
    ShowModel();
    DrawGraphs();
}

void CFilterDialog::ShowModel()
{
    for (size_t i = 0; i < edits_.size(); ++i) {
        const QString text = FromUtf8(model_.Text(static_cast<FrequencyEdit>(i)));
        if (edits_[i]->text() != text)
            edits_[i]->setText(text);
    }
    const FilterControlStates& controls = model_.Controls();
    for (int k = 0; k < kNotchCount; ++k) {
        notchGroup_.button(k)->setEnabled(controls.notchRadio[static_cast<size_t>(k)]);
    }
    // The radios show the selected notch, or none.
    notchGroup_.setExclusive(false);
    for (int k = 0; k < kNotchCount; ++k) {
        notchGroup_.button(k)->setChecked(k == model_.SelectedNotch());
    }
    notchGroup_.setExclusive(true);
    addNotch_->setEnabled(controls.addNotch);
    deleteNotch_->setEnabled(controls.deleteNotch);
    edits_[2]->setReadOnly(!controls.notchEditsWritable);
    edits_[3]->setReadOnly(!controls.notchEditsWritable);
    edits_[0]->setReadOnly(!controls.cutoffEditsWritable);
    edits_[1]->setReadOnly(!controls.cutoffEditsWritable);
    automatic_->setChecked(controls.automaticChecked);
    coherenceButton_->setEnabled(model_.CoherenceKnown());
    {
        const QSignalBlocker quiet(slider_);
        slider_->setValue(model_.SliderPosition());
    }
    cursorText_->setText(FromUtf8(model_.CursorText()));
}

void CFilterDialog::EditChanged(int which)
{
    QLineEdit* edit = edits_[static_cast<size_t>(which)];
    const QString text = edit->text();
    const auto cleaned = model_.EditChanged(static_cast<FrequencyEdit>(which), ToUtf8(text),
                                            CodePointsBefore(text, edit->cursorPosition()));
    if (!cleaned)
        return;
    const QString written = FromUtf8(cleaned->text);
    if (written != text)
        edit->setText(written);  // its own change notice is recognised by the model and ignored
    if (cleaned->selectAll)
        edit->selectAll();
    else
        edit->setCursorPosition(cleaned->caret);
}

void CFilterDialog::ShowOutcome(const EditOutcome& outcome)
{
    if (outcome.message != str::kNoError)
        messages_.ShowMessage(outcome.message, kStyleExclamation);
    ShowModel();
}

void CFilterDialog::NotchClicked(int k)
{
    const EditOutcome outcome = model_.SelectNotch(k);
    ShowOutcome(outcome);  // a refusal puts the radio back on the selected notch
    if (outcome.done)
        DrawGraphs();
}

void CFilterDialog::AddNotch()
{
    const EditOutcome outcome = model_.AddNotch();
    ShowOutcome(outcome);
    if (outcome.done)
        edits_[2]->setFocus();
}

void CFilterDialog::DeleteNotch()
{
    ShowOutcome(model_.DeleteNotch());
}

void CFilterDialog::ClearAll()
{
    model_.ClearAll();
    ShowModel();
    DrawGraphs();
}

void CFilterDialog::ProposeFromCoherence()
{
    ShowOutcome(model_.ProposeFromCoherence());
}

void CFilterDialog::AutomaticClicked(bool on)
{
    model_.SetAutomatic(on);
    ShowModel();
}

void CFilterDialog::SliderMoved(int position)
{
    model_.MoveSlider(position);
    cursorText_->setText(FromUtf8(model_.CursorText()));
    DrawGraphs();
}

bool CFilterDialog::Apply()
{
    const std::vector<uint32_t> messages = model_.Apply();
    for (uint32_t message : messages) {
        messages_.ShowMessage(message, kStyleExclamation);
    }
    return messages.empty();
}

void CFilterDialog::AcceptClicked()
{
    if (Apply())
        DrawGraphs();
}

void CFilterDialog::accept()
{
    if (Apply())
        QDialog::accept();
}

bool CFilterDialog::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == upperPicture_ || watched == lowerPicture_) && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            model_.ClickColumn(static_cast<int>(mouse->position().x()));
            ShowModel();
            DrawGraphs();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CFilterDialog::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("filterMenu"));
    QAction* low = menu.addAction(StringText(str::kSetLowCutoff));
    QAction* high = menu.addAction(StringText(str::kSetHighCutoff));
    // With the automatic filter on, the cut-off edits are not the user's.
    low->setEnabled(model_.Controls().cutoffEditsWritable);
    high->setEnabled(model_.Controls().cutoffEditsWritable);
    QAction* chosen = menu.exec(event->globalPos());
    if (chosen == low)
        model_.CopyCursorToLowCutoff();
    else if (chosen == high)
        model_.CopyCursorToHighCutoff();
    ShowModel();
}

void CFilterDialog::DrawGraphs()
{
    DrawGraph(upperPicture_, upperImage_, upper_, SpectrumGraph::UpperColour(pairCode_));
    DrawGraph(lowerPicture_, lowerImage_, lower_, SpectrumGraph::LowerColour(pairCode_));
    DrawCoherence();
}

void CFilterDialog::DrawCoherence()
{
    coherenceImage_.fill(Qt::white);
    QPainter painter(&coherenceImage_);
    const int height = coherenceImage_.height();
    if (coherenceColumns_.empty()) {
        painter.setPen(Qt::darkGray);
        painter.drawText(coherenceImage_.rect(), Qt::AlignCenter, StringText(str::kNoCoherenceStored));
    }
    for (size_t column = 0; column < coherenceColumns_.size(); ++column) {
        const int x = static_cast<int>(column);
        if (model_.IsColumnRemoved(x)) {
            painter.setPen(QColor::fromRgb(kRemovedBackground));
            painter.drawLine(x, 0, x, height - 1);
        }
        const int top = height - 1 - static_cast<int>(coherenceColumns_[column] * static_cast<float>(height - 1));
        painter.setPen(QColor::fromRgb(kCoherenceColour));
        painter.drawLine(x, height - 1, x, top);
    }
    painter.setPen(Qt::black);
    painter.drawLine(model_.Cursor(), 0, model_.Cursor(), height - 1);
    painter.end();
    coherencePicture_->setPixmap(QPixmap::fromImage(coherenceImage_));
}

void CFilterDialog::DrawGraph(QLabel* picture, QImage& image, const std::vector<int32_t>& heights, uint32_t colour)
{
    image.fill(Qt::white);
    QPainter painter(&image);
    const int bottom = image.height();
    const auto segments = SpectrumGraph::Segments(heights, image.width(), bottom, colour,
                                                  [this](int column) { return model_.IsColumnRemoved(column); });
    for (const SpectrumSegment& segment : segments) {
        painter.setPen(QColor::fromRgb(segment.colour));
        painter.drawLine(segment.x0, segment.y0, segment.x1, segment.y1);
    }
    painter.setPen(Qt::black);
    painter.drawLine(model_.Cursor(), 0, model_.Cursor(), image.height() - 1);
    painter.end();
    picture->setPixmap(QPixmap::fromImage(image));
}

}  // namespace korvanta::gui
