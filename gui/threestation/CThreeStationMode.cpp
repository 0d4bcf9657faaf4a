#include "gui/threestation/CThreeStationMode.h"

#include <QFileDialog>
#include <QTimer>
#include <cstdlib>
#include <memory>

#include "core/app/CommandIds.h"
#include "core/text/StringIds.h"
#include "core/text/StringTable.h"
#include "gui/forms/FormControls.h"
#include "gui/threestation/CThreeStationForm.h"
#include "gui/threestation/CThreeStationSetupSheet.h"
#include "sim/InProcessKit.h"
#include "sim/scenario/ScenarioFile.h"
#include "sim/scenario/ThreeStationScenario.h"

namespace korvanta::gui {

CThreeStationMode::CThreeStationMode(ThreeStationModeContext context) : context_(std::move(context)) {}

CThreeStationMode::~CThreeStationMode() = default;

bool CThreeStationMode::OnCommand(uint32_t id)
{
    if (id != cmd::kThreeStationMode) {
        return false;
    }
    if (!context_.document->IsThreeStationMode()) {
        Enter();
    }
    return true;
}

bool CThreeStationMode::Enter()
{
    CKorvantaDoc& doc = *context_.document;
    if (doc.IsModified()) {
        // The two-station measurement would be dropped: the user decides first, as for a new one.
        const MessageAnswer answer =
            context_.messages->ShowMessage(str::kSaveBeforeThreeStation, kStyleYesNoCancel | kStyleQuestion);
        if (answer == MessageAnswer::Cancel) {
            return false;
        }
        if (answer == MessageAnswer::Yes && !(context_.saveDocument && context_.saveDocument())) {
            return false;
        }
    }
    doc.EnterThreeStationMode();

    ThreeStationFormContext form;
    form.document = &doc;
    form.link = context_.link;
    form.frame = context_.frame;
    form.messages = context_.messages;
    form.clock = context_.clock;
    form.units = context_.settings->GetUnitSystem();
    form.time = context_.settings->GetTimeUnit();
    form.sensorMaskBefore = context_.settings->GetSensorPairCode();
    form.runSetup = context_.runSetup ? context_.runSetup : [this] { return RunSetupWizard(); };
    form.setupApplied = [this](float redBlue, float blueYellow) { LayOutSimulatedMain(redBlue, blueYellow); };
    form.askFileName = context_.askFileName ? context_.askFileName : [this](bool save) { return AskFileName(save); };
    // Deferred: the form asks from inside its own command handler.
    form.leave = [this] { QTimer::singleShot(0, context_.frame->Window(), [this] { Leave(); }); };
    form_ = new CThreeStationForm(std::move(form));
    context_.frame->SetThreeStationMenu(true);
    context_.frame->SetDocumentTitle(StringText(str::kUntitledDocument));
    context_.frame->SetStationChecks(false, true);
    context_.frame->SetForm(form_, form_);
    return true;
}

void CThreeStationMode::Leave()
{
    if (form_ == nullptr) {
        return;
    }
    form_ = nullptr;
    context_.document->SetThreeStationMode(false);
    if (context_.kit != nullptr) {
        context_.kit->Kit().SetScenario(nullptr);
    }
    context_.frame->SetForm(nullptr, nullptr);  // the form goes, putting the sensor mask back
    context_.frame->SetThreeStationMenu(false);
    context_.frame->SetStationChecks(true, false);
    context_.frame->EnableAllMenus(true);
    if (context_.restoreView) {
        context_.restoreView();
    }
}

std::optional<ThreeStationSetup> CThreeStationMode::RunSetupWizard()
{
    ThreeStationSetupContext setup;
    setup.units = context_.settings->GetUnitSystem();
    setup.materials = &context_.document->Materials();
    setup.showRangeMessage = [this](const QString& text) {
        context_.messages->ShowText(str::kDataOutOfRange, ToUtf8(text), kStyleOk);
    };
    CThreeStationSetupSheet sheet(std::move(setup), context_.frame->Window());
    if (sheet.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return sheet.Setup();
}

QString CThreeStationMode::AskFileName(bool save)
{
    const QString filter = FileFilterText(str::kFileFilterThreeStation);
    QFileDialog dialog(context_.frame->Window(), QString(), QString(), filter);
    dialog.setDefaultSuffix(QStringLiteral("kv3"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // Saving over a file asks first (the dialog's own question).
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().front();
}

void CThreeStationMode::LayOutSimulatedMain(float redBlue, float blueYellow)
{
    const char* named = std::getenv(sim::kScenarioVariable);
    if (context_.kit == nullptr || (named != nullptr && *named != '\0')) {
        return;  // a scenario named by the user stays as it is
    }
    context_.kit->Kit().SetScenario(std::make_shared<sim::Scenario>(sim::ThreeStationScenario(redBlue, blueYellow)));
}

}  // namespace korvanta::gui
