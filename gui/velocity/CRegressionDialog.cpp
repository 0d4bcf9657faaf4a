#include "gui/velocity/CRegressionDialog.h"

#include <QAction>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

#include <filesystem>

#include "core/app/CommandIds.h"
#include "core/text/StringIds.h"
#include "core/text/StringTable.h"
#include "core/velocity/KvrFile.h"
#include "core/app/RegressionMenu.h"
#include "gui/forms/CMenuBuilder.h"
#include "gui/forms/CTemplateControls.h"
#include "gui/forms/CTemplateGroupBox.h"
#include "gui/forms/FormControls.h"
#include "gui/document/CFileInformationDialog.h"
#include "gui/velocity/CStaticSensorDialog.h"
#include "gui/velocity/RegressionChartPainter.h"
#include "gui/forms/CImagePicture.h"

namespace korvanta::gui {

namespace {

using namespace regressionctl;

constexpr DialogItemTemplate kItems[] = {
    {kChartGroup, 7, 3, 406, 152, "Regressionsgraf", ControlKind::Group},
    {kChart, 14, 14, 392, 136, nullptr, ControlKind::Picture},
    {kMeasurementGroup, 7, 158, 148, 68, "Måledata", ControlKind::Group},
    {kStaticId, 13, 171, 54, 9, "Filnavn"},
    {kFileName, 68, 169, 82, 12, nullptr, ControlKind::Edit},
    {kDelayLabel, 13, 188, 54, 9, "Løbetid"},
    {kDelay, 68, 186, 82, 12, nullptr, ControlKind::Edit},
    {kLengthLabel, 13, 205, 54, 9, "Rørlængde"},
    {kLength, 68, 203, 82, 12, nullptr, ControlKind::Edit},
    {kResultGroup, 160, 158, 186, 68, "Regressionsresultat", ControlKind::Group},
    {kVelocityLabel, 166, 171, 108, 9, "Beregnet hastighed"},
    {kVelocity, 276, 169, 64, 12, nullptr, ControlKind::Edit},
    {kDistanceLabel, 166, 188, 108, 9, "Længde"},
    {kDistance, 276, 186, 64, 12, nullptr, ControlKind::Edit},
    {kStaticId, 166, 205, 108, 9, "Statisk sensor"},
    {kStaticSensor, 276, 203, 64, 12, nullptr, ControlKind::Edit},
    {kDataGroup, 351, 158, 62, 68, "Regressionsdata", ControlKind::Group},
    {kAdd, 357, 169, 50, 14, "&Tilføj", ControlKind::Button},
    {kToggle, 357, 186, 50, 14, nullptr, ControlKind::Button},
    {kPrevious, 357, 204, 24, 14, "<", ControlKind::Button},
    {kNext, 383, 204, 24, 14, ">", ControlKind::Button},
    {kClose, 363, 232, 50, 14, "&Luk", ControlKind::Button},
};

constexpr DialogTemplate kTemplate = {275, "Regressionsanalyse", "Tahoma", 8, 400, false, 420, 252, kItems};

constexpr int kEdits[] = {kFileName, kDelay, kLength, kVelocity, kDistance, kStaticSensor};

}  // namespace

CRegressionDialog::CRegressionDialog(RegressionDialogContext context, QWidget* parent)
    : QDialog(parent), context_(std::move(context)), session_(context_.units, context_.time)
{
    setObjectName(QStringLiteral("regressionDialog"));
    setWindowTitle(QString::fromUtf8(kTemplate.caption));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->setSizeConstraint(QLayout::SetFixedSize);
    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("regressionMenu"));
    column->setMenuBar(bar);
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("regressionClient"));
    column->addWidget(client_);

    CreateControls();
    layout_.Apply(client_, kTemplate);
    CreateMenu(bar);

    SetText(kDelayLabel, LoadString(session_.DelayLabel()));
    SetText(kLengthLabel, LoadString(session_.LengthLabel()));
    SetText(kVelocityLabel, LoadString(session_.VelocityLabel()));
    SetText(kDistanceLabel, LoadString(session_.DistanceLabel()));
    session_.Emptied();
    Refresh();
}

CRegressionDialog::~CRegressionDialog() = default;

void CRegressionDialog::CreateControls()
{
    const CTemplateControls controls(client_, kTemplate);
    chart_ = controls.Get<CImagePicture>(kChart);
    for (const int id : {kAdd, kToggle, kPrevious, kNext, kClose}) {
        QPushButton* button = controls.Get<QPushButton>(id);
        button->setAutoDefault(false);
        buttons_.insert(id, button);
        connect(button, &QPushButton::clicked, this, [this, id] { OnCommand(static_cast<uint32_t>(id)); });
    }
    for (const int id : kEdits) {
        auto* edit = controls.Get<QLineEdit>(id);
        edit->setReadOnly(true);
        edits_.insert(id, edit);
    }
}

void CRegressionDialog::CreateMenu(QMenuBar* bar)
{
    const auto built = CMenuBuilder::BuildMenu(
        bar, this, [this](uint32_t id) { OnCommand(id); }, RegressionMenu());
    actions_ = built.actions;
    for (uint32_t sensor = 0; sensor < kNoStaticSensor; ++sensor) {
        if (QAction* action = actions_.value(CommandOfStaticSensor(sensor))) {
            action->setCheckable(true);
        }
    }
    // "&Data" holds no command of its own.
    for (QMenu* menu : built.topLevelMenus) {
        if (menu->actions().isEmpty()) {
            menu->menuAction()->setEnabled(false);
        }
    }
}

void CRegressionDialog::OnCommand(uint32_t id)
{
    if (const auto sensor = StaticSensorOfCommand(id)) {
        session_.Data().SetStaticSensor(*sensor);
        Refresh();
        return;
    }
    switch (id) {
    case kAdd:
        AddPoint();
        break;
    case kToggle:
        ToggleCurrent();
        break;
    case kPrevious:
        session_.Previous();
        Refresh();
        break;
    case kNext:
        session_.Next();
        Refresh();
        break;
    case cmd::kRegressionNew:
        session_.Emptied();
        Refresh();
        break;
    case cmd::kRegressionOpen:
        OpenFile();
        break;
    case cmd::kRegressionSave:
        SaveFile();
        break;
    case cmd::kRegressionInformation:
        ShowInformation();
        break;
    case cmd::kRegressionClose:
    case kClose:
        accept();
        break;
    default:
        break;
    }
}

void CRegressionDialog::AddPoint()
{
    if (!session_.Controls().add) {
        return;
    }
    const QString path = AskFile(RegressionFileRequest::OpenMeasurement);
    if (path.isEmpty()) {
        return;
    }
    CRegressionData& data = session_.Data();
    if (!reader_.ReadMeasurement(ToPath(path), data, *context_.messages)) {
        return;
    }
    const auto point = reader_.MakePoint(ToPath(path), *context_.messages);
    if (!point) {
        return;
    }
    // The first measurement of a set decides which sensor stayed and which pipe the set is on.
    if (data.Count() == 0) {
        CStaticSensorDialog sensor(this);
        sensor.exec();
        data.SetStaticSensor(sensor.Choice());
        data.SetReference(reader_.FirstSection());
    }
    data.Add(*point);
    session_.PointAdded();
    Refresh();
}

void CRegressionDialog::ToggleCurrent()
{
    session_.Toggle(*context_.messages);
    Refresh();
}

void CRegressionDialog::OpenFile()
{
    const QString path = AskFile(RegressionFileRequest::OpenRegression);
    if (!path.isEmpty()) {
        OpenFile(path);
    }
}

bool CRegressionDialog::OpenFile(const QString& path)
{
    FileProblem problem;
    if (const auto message = ReadKvrFile(ToPath(path), session_.Data(), &problem)) {
        ShowFileFailure(*message, str::kFileOpenFailedNamed, path, problem);
        return false;
    }
    session_.Opened();
    Refresh();
    return true;
}

void CRegressionDialog::ShowFileFailure(uint32_t id, uint32_t pattern, const QString& path, const FileProblem& problem)
{
    // The system's reason where there is one, else what the file holds that is wrong.
    const char* own = LoadString(id);
    const std::string reason = problem.kind != FileProblem::Kind::None ? FileProblemText(problem)
                                                                       : std::string(own != nullptr ? own : "");
    context_.messages->ShowText(id, FileFailureText(pattern, ToUtf8(path), reason), kStyleOk);
}

void CRegressionDialog::SaveFile()
{
    if (!session_.Controls().save) {
        return;
    }
    const QString path = AskFile(RegressionFileRequest::SaveRegression);
    if (path.isEmpty()) {
        return;
    }
    FileProblem problem;
    if (const auto message = WriteKvrFile(ToPath(path), session_.Data(), &problem)) {
        ShowFileFailure(*message, str::kFileSaveFailedNamed, path, problem);
    }
}

void CRegressionDialog::ShowInformation()
{
    if (!session_.Controls().information) {
        return;
    }
    // A look at the measurement's texts: what is changed there is not kept.
    CFileInformationDialog dialog(session_.CurrentInformation(), this);
    dialog.exec();
}

QString CRegressionDialog::AskFile(RegressionFileRequest request)
{
    if (context_.askFile) {
        return context_.askFile(request);
    }
    const bool save = request == RegressionFileRequest::SaveRegression;
    const bool measurement = request == RegressionFileRequest::OpenMeasurement;
    QFileDialog dialog(this, QString(), QString(),
                       FileFilterText(measurement ? str::kFileFilterMeasurement : str::kFileFilterRegression));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save) {
        dialog.setDefaultSuffix(QStringLiteral("kvr"));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().front();
}

void CRegressionDialog::Refresh()
{
    const RegressionControls controls = session_.Controls();
    buttons_.value(kAdd)->setEnabled(controls.add);
    for (const int id : {kToggle, kPrevious, kNext}) {
        buttons_.value(id)->setEnabled(controls.toggle);
    }
    buttons_.value(kToggle)->setText(StringText(controls.showRestore ? str::kRestore : str::kRemove));
    actions_.value(cmd::kRegressionSave)->setEnabled(controls.save);
    actions_.value(cmd::kRegressionInformation)->setEnabled(controls.information);

    SetText(kFileName, session_.NameText());
    SetText(kDelay, session_.DelayText());
    SetText(kLength, session_.LengthText());
    SetText(kVelocity, session_.VelocityText());
    SetText(kDistance, session_.DistanceText());
    SetText(kStaticSensor, session_.StaticSensorText());
    const uint32_t sensor = session_.Data().StaticSensor();
    for (uint32_t unit = 0; unit < kNoStaticSensor; ++unit) {
        actions_.value(CommandOfStaticSensor(unit))->setChecked(unit == sensor);
    }
    PaintChart();
}

void CRegressionDialog::PaintChart()
{
    RegressionChartPainter::Paint(chart_->Image(), session_);
    chart_->Show();
}

void CRegressionDialog::SetText(int id, const std::string& text)
{
    if (QLineEdit* edit = edits_.value(id)) {
        edit->setText(FromUtf8(text));
    } else if (auto* label =
                   client_->findChild<QLabel*>(CTemplateLayout::ControlName(id), Qt::FindDirectChildrenOnly)) {
        label->setText(FromUtf8(text));
    }
}

}  // namespace korvanta::gui
