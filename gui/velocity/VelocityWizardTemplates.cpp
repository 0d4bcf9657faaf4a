#include "gui/velocity/VelocityWizardTemplates.h"

#include "gui/forms/FormControls.h"

namespace korvanta::gui {

namespace {

constexpr const char* kCaption = "Løbehastighedsberegning";
constexpr int kPageWidth = 250;
constexpr int kPageHeight = 116;

constexpr DialogItemTemplate kFirstItems[] = {
    {kStaticId, 7, 7, 236, 26,
     "Løbehastigheden beregnes ud fra den målte løbetid og en støjkilde med kendt placering, "
     "f.eks. en lækage eller en åbnet hane."},
    {kStaticId, 7, 42, 236, 9, "Indtast den totale rørlængde imellem sensorerne:"},
    {kVelocityLengthEdit, 7, 55, 60, 12, nullptr, ControlKind::Edit},
    {kVelocityLengthUnit, 71, 57, 30, 9, "m"},
};

constexpr DialogItemTemplate kSecondItems[] = {
    {kStaticId, 7, 7, 236, 9, "Er lækagen placeret imellem sensorerne?"},
    {kVelocitySourceBetween, 14, 20, 60, 10, "Ja", ControlKind::Radio},
    {kVelocitySourceOutside, 14, 33, 60, 10, "Nej", ControlKind::Radio},
    {kVelocityDistancePrompt, 7, 60, 142, 9, "Indtast afstanden imellem lækagen og"},
    {kVelocitySensorIcon, 149, 51, 22, 24},
    {kVelocityDistanceEdit, 7, 80, 60, 12, nullptr, ControlKind::Edit},
    {kVelocityDistanceUnit, 71, 82, 30, 9, "m"},
};

constexpr DialogItemTemplate kThirdItems[] = {
    {kStaticId, 7, 7, 90, 9, "Beregnet løbehastighed:"},
    {kVelocityText, 100, 7, 40, 9},
    {kVelocityUnit, 143, 7, 30, 9, "m/s"},
    {kVelocitySaveBox, 7, 24, 200, 10, "Gem den beregnede hastighed", ControlKind::Check},
    {kVelocityDiameterPrompt, 19, 42, 100, 9, "Indtast rørdiameter"},
    {kVelocityDiameterEdit, 19, 53, 60, 12, nullptr, ControlKind::Edit},
    {kVelocityDiameterUnit, 83, 55, 30, 9, "mm"},
    {kVelocityMaterialPrompt, 19, 72, 100, 9, "Vælg rørmateriale"},
    {kVelocityMaterialCombo, 19, 83, 100, 14, nullptr, ControlKind::Combo},
};

constexpr DialogTemplate kFirst = {268, kCaption, "Tahoma", 8, 400, false, kPageWidth, kPageHeight, kFirstItems};
constexpr DialogTemplate kSecond = {269, kCaption, "Tahoma", 8, 400, false, kPageWidth, kPageHeight, kSecondItems};
constexpr DialogTemplate kThird = {270, kCaption, "Tahoma", 8, 400, false, kPageWidth, kPageHeight, kThirdItems};

}  // namespace

const DialogTemplate& VelocityFirstPageTemplate()
{
    return kFirst;
}

const DialogTemplate& VelocitySecondPageTemplate()
{
    return kSecond;
}

const DialogTemplate& VelocityThirdPageTemplate()
{
    return kThird;
}

}  // namespace korvanta::gui
