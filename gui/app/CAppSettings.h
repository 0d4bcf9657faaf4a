#pragma once

#include <QSettings>

#include <string>

#include "core/app/AppSettingsValues.h"
#include "core/app/RecentFileList.h"
#include "core/host/IDocumentSettings.h"

namespace korvanta::gui {

// The user's settings: group "Settings" with "Length", "Time", "Sensors" and "COM Port", and
// the recent-file list, read once at start and written once at exit. On Windows the store is
// the registry key Software\Veltmark\Korvanta of the current user; elsewhere Qt's file for the
// organisation "Veltmark" and application "Korvanta".
class CAppSettings final : public IDocumentSettings {
public:
    static constexpr const char* kOrganisation = "Veltmark";
    static constexpr const char* kApplication = "Korvanta";

    // Values of the wrong kind or out of range take their defaults.
    void Load(QSettings& store);
    // False when the store could not be written (disk full, no access).
    bool Save(QSettings& store) const;

    const AppSettingsValues& Values() const { return values_; }
    RecentFileList& RecentFiles() { return recent_; }
    const RecentFileList& RecentFiles() const { return recent_; }

    int GetSensorPairCode() const override { return values_.sensors; }
    void SetSensorPairCode(int code) override { values_.sensors = code; }
    UnitSystem GetUnitSystem() const override { return static_cast<UnitSystem>(values_.lengthUnit); }
    void SetUnitSystem(UnitSystem units) { values_.lengthUnit = static_cast<int>(units); }
    TimeUnit GetTimeUnit() const override { return static_cast<TimeUnit>(values_.timeUnit); }
    void SetTimeUnit(TimeUnit time) { values_.timeUnit = static_cast<int>(time); }
    const std::string& GetComPort() const { return values_.comPort; }
    void SetComPort(const std::string& port) { values_.comPort = port; }

private:
    AppSettingsValues values_;
    RecentFileList recent_;
};

}  // namespace korvanta::gui
