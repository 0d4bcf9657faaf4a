#include "core/diagnostics/SystemStatusModel.h"

#include "core/diagnostics/SystemStatusImages.h"

namespace korvanta {

void SystemStatusModel::Prepare()
{
    link_.SetChargeUpdated(false);
    link_.SetSensorStatusUpdated(false);
    LinkCommand charge;
    charge.code = TM_GET_CHARGE_STATUS;
    link_.PostCommand(charge);
    LinkCommand sensors;
    sensors.code = TM_GET_SENSOR_STATUS;
    sensors.unitMask = 15;
    link_.PostCommand(sensors);
}

void SystemStatusModel::Tick()
{
    Refresh();
    if (++ticks_ >= kTicksPerRequest) {
        ticks_ = 0;
        Prepare();
    }
}

void SystemStatusModel::Refresh()
{
    std::array<int, kUnits> batteries = {};
    int charging = 0;
    link_.GetChargeStatus(batteries, charging);
    for (int unit = 0; unit < kUnits; ++unit) {
        UnitView& view = units_[unit];
        link_.GetUnitStatus(unit, view.present, view.sensor);
        view.sensorIcon = SystemStatusImages::SensorIcon(unit, view.present, view.sensor);
        view.radioIcon = SystemStatusImages::RadioIcon(view.present, radioMode_);
        view.charging = unit == 0 && view.present && charging != 0;
        view.batteryLevel =
            view.present ? SystemStatusImages::BatteryLevel(batteries[unit]) : SystemStatusImages::kUnknownLevel;
        view.batteryImage = view.charging ? SystemStatusImages::kChargingImage
                                          : SystemStatusImages::BatteryImage(unit, view.batteryLevel);
    }
}

}  // namespace korvanta
