#include "core/velocity/RegressionSession.h"

#include <cmath>
#include <cstring>
#include <memory>

#include "core/document/RecordTexts.h"
#include "core/pipe/UnitConversion.h"
#include "core/text/Cp1252.h"
#include "core/text/StringIds.h"
#include "core/text/StringTable.h"

namespace korvanta {

void RegressionSession::DataChanged()
{
    if (data_.Count() == 0) {
        current_ = 0;
    } else if (current_ >= data_.Count()) {
        current_ = data_.Count() - 1;
    }
    data_.Refit();
}

void RegressionSession::PointAdded()
{
    DataChanged();
}

void RegressionSession::Opened()
{
    current_ = 0;
    DataChanged();
}

void RegressionSession::Emptied()
{
    data_.Clear();
    current_ = 0;
    DataChanged();
}

void RegressionSession::Toggle(IMessageSink& messages)
{
    if (data_.Count() == 0) {
        return;
    }
    if (data_.Point(current_).included != 1) {
        data_.SetIncluded(current_, true);
        DataChanged();
        return;
    }
    switch (messages.ShowMessage(str::kRemovePermanently, kStyleQuestion | kStyleYesNoCancel)) {
    case MessageAnswer::Yes:
        data_.Remove(current_);
        if (data_.Count() == 0) {
            data_.SetStaticSensor(kNoStaticSensor);
        }
        break;
    case MessageAnswer::No:
        data_.SetIncluded(current_, false);
        break;
    default:
        return;
    }
    DataChanged();
}

void RegressionSession::Previous()
{
    if (data_.Count() > 0) {
        current_ = current_ == 0 ? data_.Count() - 1 : current_ - 1;
    }
}

void RegressionSession::Next()
{
    if (data_.Count() > 0) {
        current_ = current_ + 1 >= data_.Count() ? 0 : current_ + 1;
    }
}

RegressionControls RegressionSession::Controls() const
{
    RegressionControls controls;
    const size_t count = data_.Count();
    controls.add = !data_.Full();
    controls.toggle = count > 0;
    controls.save = count > 1;
    controls.information = count > 0;
    controls.showRestore = count > 0 && data_.Point(current_).included != 1;
    return controls;
}

std::string RegressionSession::NameText() const
{
    return data_.Count() > 0 ? ReadFixedField(data_.Point(current_).name) : std::string();
}

std::string RegressionSession::DelayText() const
{
    if (data_.Count() == 0) {
        return {};
    }
    const double delay = data_.Point(current_).delay;
    return FormatNumber("%f", time_ == TimeUnit::Milliseconds ? delay * kSecondsToMilliseconds : delay);
}

std::string RegressionSession::LengthText() const
{
    if (data_.Count() == 0) {
        return {};
    }
    return FormatNumber("%0.2f", LengthForDisplay(data_.Point(current_).length, units_));
}

std::string RegressionSession::VelocityText() const
{
    const RegressionFit& fit = data_.Fit();
    if (!fit.HasLine()) {
        return {};
    }
    double velocity = std::fabs(fit.slope);
    if (units_ == UnitSystem::Imperial) {
        velocity *= kMetresToFeet;
    }
    if (time_ == TimeUnit::Milliseconds) {
        velocity /= 1000.0;
    }
    return FormatNumber("%f", velocity);
}

std::string RegressionSession::DistanceText() const
{
    const RegressionFit& fit = data_.Fit();
    if (!fit.HasLine()) {
        return {};
    }
    return FormatNumber("%f", LengthForDisplay(fit.intercept / 2.0f, units_));
}

std::string RegressionSession::StaticSensorText() const
{
    static constexpr uint32_t kNames[] = {str::kUnitNameInterface, str::kUnitNameRed, str::kUnitNameBlue,
                                          str::kUnitNameYellow};
    const uint32_t sensor = data_.StaticSensor();
    return sensor < kNoStaticSensor && data_.Count() > 0 ? LoadString(kNames[sensor]) : std::string();
}

FileInformationForm RegressionSession::CurrentInformation() const
{
    FileInformationForm form;
    if (data_.Count() == 0) {
        return form;
    }
    // The point keeps the record's first bytes only; the texts are read from a record around them.
    auto record = std::make_unique<MeasurementRecord>(MakeEmptyRecord());
    std::memcpy(reinterpret_cast<char*>(record.get()), data_.Point(current_).header.data(), kPointHeaderBytes);
    RecordTexts texts(*record);
    const FileInformation information = texts.Information({});
    form.title = information.title;
    form.comments = texts.CommentLines();
    form.userInformation = information.userInformation;
    form.date = information.date;
    form.time = information.time;
    return form;
}

uint32_t RegressionSession::DelayLabel() const
{
    return time_ == TimeUnit::Milliseconds ? str::kDelayLabelMilliseconds : str::kDelayLabelSeconds;
}

uint32_t RegressionSession::LengthLabel() const
{
    return units_ == UnitSystem::Imperial ? str::kPipeLengthLabelFoot : str::kPipeLengthLabelMetre;
}

uint32_t RegressionSession::VelocityLabel() const
{
    if (units_ == UnitSystem::Imperial) {
        return time_ == TimeUnit::Milliseconds ? str::kVelocityLabelFootPerMillisecond
                                               : str::kVelocityLabelFootPerSecond;
    }
    return time_ == TimeUnit::Milliseconds ? str::kVelocityLabelMetrePerMillisecond : str::kVelocityLabelMetrePerSecond;
}

uint32_t RegressionSession::DistanceLabel() const
{
    return units_ == UnitSystem::Imperial ? str::kStaticDistanceLabelFoot : str::kStaticDistanceLabelMetre;
}

}  // namespace korvanta
