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
#include "gui/app/CTemplateGroupBox.h"
#include "gui/app/FormControls.h"

namespace korvanta::gui {

namespace {

using namespace filterctl;

// The graphs are 336 dialog units wide: 504 pixels, one per frequency column.
constexpr DialogItemTemplate kItems[] = {
    {kStaticId, 8, 8, 28, 9, "100"},
    {kStaticId, 8, 53, 28, 9, "Mag"},
    {kStaticId, 8, 99, 28, 9, "0"},
    {kUpperGraph, 40, 8, 336, 100},
    {kStaticId, 8, 114, 28, 9, "100"},
    {kStaticId, 8, 159, 28, 9, "Mag"},
    {kStaticId, 8, 205, 28, 9, "0"},
    {kLowerGraph, 40, 114, 336, 100},
    {kStaticId, 40, 217, 36, 9, "| 0Hz"},
    {kStaticId, 95, 217, 36, 9, "| 200Hz"},
    {kStaticId, 150, 217, 36, 9, "| 400Hz"},
    {kStaticId, 205, 217, 36, 9, "| 600Hz"},
    {kStaticId, 260, 217, 36, 9, "| 800Hz"},
    {kStaticId, 315, 217, 40, 9, "| 1000Hz"},
    {kStaticId, 370, 217, 40, 9, "| 1200Hz"},
    {kSlider, 36, 229, 344, 14},
    {kStaticId, 40, 249, 34, 9, "Markør:"},
    {kCursorText, 76, 249, 24, 9, "0"},
    {kStaticId, 101, 249, 14, 9, "Hz"},
    {kCutoffFrame, 410, 4, 104, 52, "Cut-Off"},
    {kStaticId, 418, 18, 22, 9, "Lav"},
    {kLowCutoff, 442, 16, 44, 12},
    {kStaticId, 490, 18, 15, 9, "Hz"},
    {kStaticId, 418, 36, 22, 9, "Høj"},
    {kHighCutoff, 442, 34, 44, 12},
    {kStaticId, 490, 36, 15, 9, "Hz"},
    {kNotchFrame, 410, 60, 104, 92, "Notch-filter"},
    {kNotchRadio1, 415, 74, 19, 10, "1"},
    {kNotchRadio1 + 1, 434, 74, 19, 10, "2"},
    {kNotchRadio1 + 2, 453, 74, 19, 10, "3"},
    {kNotchRadio1 + 3, 472, 74, 19, 10, "4"},
    {kNotchRadio1 + 4, 491, 74, 19, 10, "5"},
    {kStaticId, 418, 92, 22, 9, "Lav"},
    {kNotchLow, 442, 90, 44, 12},
    {kStaticId, 490, 92, 15, 9, "Hz"},
    {kStaticId, 418, 110, 22, 9, "Høj"},
    {kNotchHigh, 442, 108, 44, 12},
    {kStaticId, 490, 110, 15, 9, "Hz"},
    {kAddNotch, 418, 129, 44, 14, "Tilføj"},
    {kDeleteNotch, 466, 129, 44, 14, "Slet"},
    {kAutomatic, 414, 160, 96, 10, "Autofilter"},
    {kClearAll, 410, 177, 104, 14, "Slet"},
    {kAccept, 410, 199, 104, 14, "Accept"},
    {kOk, 410, 217, 104, 14, "OK"},
    {kCancel, 410, 235, 104, 14, "Cancel"},
    // The two stations' coherence on the same frequency columns, and the band it proposes.
    {kStaticId, 8, 262, 28, 9, "1"},
    {kStaticId, 8, 281, 30, 9, "Koh."},
    {kStaticId, 8, 301, 28, 9, "0"},
    {kCoherenceGraph, 40, 262, 336, 48},
    {kStaticId, 40, 313, 36, 9, "| 0Hz"},
    {kStaticId, 95, 313, 36, 9, "| 200Hz"},
    {kStaticId, 150, 313, 36, 9, "| 400Hz"},
    {kStaticId, 205, 313, 36, 9, "| 600Hz"},
    {kStaticId, 260, 313, 36, 9, "| 800Hz"},
    {kStaticId, 315, 313, 40, 9, "| 1000Hz"},
    {kStaticId, 370, 313, 40, 9, "| 1200Hz"},
    {kCoherenceButton, 410, 262, 104, 14, "Kohærens"},
};

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
    for (const DialogItemTemplate& item : kTemplate.items) {
        switch (item.id) {
        case kUpperGraph:
            upperPicture_ = MakeControl<QLabel>(this, item.id);
            break;
        case kLowerGraph:
            lowerPicture_ = MakeControl<QLabel>(this, item.id);
            break;
        case kCoherenceGraph:
            coherencePicture_ = MakeControl<QLabel>(this, item.id);
            break;
        case kCoherenceButton:
            coherenceButton_ = MakeTemplateButton(this, item);
            coherenceButton_->setText(StringText(str::kFilterCoherence));
            break;
        case kSlider:
            slider_ = MakeControl<QSlider>(this, item.id);
            break;
        case kCursorText:
            cursorText_ = MakeTemplateLabel(this, item);
            break;
        case kCutoffFrame:
        case kNotchFrame:
            MakeControl<CTemplateGroupBox>(this, item.id)->setTitle(QString::fromUtf8(item.text));
            break;
        case kLowCutoff:
        case kHighCutoff:
        case kNotchLow:
        case kNotchHigh: {
            const auto which =
                static_cast<size_t>(std::find(kEditIds.begin(), kEditIds.end(), item.id) - kEditIds.begin());
            edits_[which] = MakeControl<QLineEdit>(this, item.id);
            edits_[which]->setAlignment(Qt::AlignRight);
            break;
        }
        case kAddNotch:
            addNotch_ = MakeTemplateButton(this, item);
            break;
        case kDeleteNotch:
            deleteNotch_ = MakeTemplateButton(this, item);
            break;
        case kAutomatic:
            automatic_ = MakeControl<QCheckBox>(this, item.id);
            automatic_->setText(QString::fromUtf8(item.text));
            break;
        case kClearAll:
            connect(MakeTemplateButton(this, item), &QPushButton::clicked, this, &CFilterDialog::ClearAll);
            break;
        case kAccept:
            connect(MakeTemplateButton(this, item), &QPushButton::clicked, this, &CFilterDialog::AcceptClicked);
            break;
        default:
            if (item.id >= kNotchRadio1 && item.id < kNotchRadio1 + kNotchCount) {
                auto* radio = MakeControl<QRadioButton>(this, item.id);
                radio->setText(QString::fromUtf8(item.text));
                notchGroup_.addButton(radio, item.id - kNotchRadio1);
            } else {
                MakeCommonControl(this, item);
            }
            break;
        }
    }
    layout_.Apply(this, kTemplate);

    slider_->setOrientation(Qt::Horizontal);
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
