#pragma once

#include <cstdint>
#include <string>

#include "core/dialogs/FileInformationForm.h"
#include "core/host/IMessageSink.h"
#include "core/values/UnitSystem.h"
#include "core/velocity/CRegressionData.h"

namespace korvanta {

// What the regression dialog enables and shows, all derived from the data set, the current point
// and the units, so every change (a point added, removed, excluded, a file opened, the set
// emptied) leaves the controls consistent with what the set holds.
struct RegressionControls {
    bool add = true;           // "&Tilføj": fewer than ten points
    bool toggle = false;       // 1503, "<", ">": at least one point
    bool save = false;         // "&Gem": at least two points
    bool information = false;  // "&Information": at least one point
    bool showRestore = false;  // 1503 reads "Gendan" for an excluded current point, else "Fjern"
};

class RegressionSession {
public:
    RegressionSession(UnitSystem units, TimeUnit time) : units_(units), time_(time) {}

    CRegressionData& Data() { return data_; }
    const CRegressionData& Data() const { return data_; }
    size_t Current() const { return current_; }

    // After the data set changed: the current point stays within the set and the fit is redone.
    void DataChanged();
    // A point was appended.
    void PointAdded();
    // A file was opened: the first point is current.
    void Opened();
    void Emptied();
    // 1503: an excluded point is included again; else the user is asked (Yes/No/Cancel) whether
    // to delete it for good (Yes) or only exclude it (No).
    void Toggle(IMessageSink& messages);
    void Previous();
    void Next();

    RegressionControls Controls() const;
    // The six edits: the current point's name, delay and length; the velocity, the distance from
    // the static sensor and the static sensor's name. Empty where there is nothing to show.
    std::string NameText() const;
    std::string DelayText() const;
    std::string LengthText() const;
    std::string VelocityText() const;
    std::string DistanceText() const;
    std::string StaticSensorText() const;
    // The texts of the file information dialog from the current point's copy of its measurement's
    // date, time, title, comments and user information; empty without points.
    FileInformationForm CurrentInformation() const;
    // The labels that carry the units.
    uint32_t DelayLabel() const;
    uint32_t LengthLabel() const;
    uint32_t VelocityLabel() const;
    uint32_t DistanceLabel() const;

    UnitSystem Units() const { return units_; }
    TimeUnit Time() const { return time_; }

private:
    CRegressionData data_;
    size_t current_ = 0;
    UnitSystem units_;
    TimeUnit time_;
};

}  // namespace korvanta
