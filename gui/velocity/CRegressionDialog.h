#pragma once

#include <QDialog>
#include <QHash>
#include <QLineEdit>
#include <QPushButton>
#include <QString>

#include <cstdint>
#include <functional>

#include "core/fileio/FileProblem.h"
#include "core/host/IMessageSink.h"
#include "core/values/UnitSystem.h"
#include "core/velocity/RegressionPointReader.h"
#include "core/velocity/RegressionSession.h"
#include "gui/forms/CTemplateLayout.h"

class QAction;
class QMenuBar;

namespace korvanta::gui {

// The control IDs of the dialog's template.
namespace regressionctl {
enum ControlId {
    kClose = 1,
    kChart = 1495,
    kFileName = 1496,
    kDelay = 1497,
    kLength = 1498,
    kVelocity = 1499,
    kDistance = 1500,
    kStaticSensor = 1501,
    kAdd = 1502,
    kToggle = 1503,
    kPrevious = 1504,
    kNext = 1505,
    kDelayLabel = 1507,
    kLengthLabel = 1508,
    kVelocityLabel = 1509,
    kDistanceLabel = 1510,
    kChartGroup = 1520,
    kMeasurementGroup = 1521,
    kResultGroup = 1522,
    kDataGroup = 1523,
};
}  // namespace regressionctl

class CImagePicture;

// The file the regression dialog asks the user for.
enum class RegressionFileRequest { OpenMeasurement, OpenRegression, SaveRegression };

struct RegressionDialogContext {
    UnitSystem units = UnitSystem::Metric;
    TimeUnit time = TimeUnit::Seconds;
    IMessageSink* messages = nullptr;
    // Asks for a file; an empty answer cancels. Empty for the real file dialogs (tests answer in
    // their place).
    std::function<QString(RegressionFileRequest)> askFile;
};

// "Regressionsanalyse": the sound velocity and the place of a noise source from several saved
// measurements with one sensor kept in place. Points come from kvd files; the set can be saved
// and reopened as a kvr file. Its own menu sits above the controls of template 275; what the
// dialog enables and shows comes from RegressionSession.
class CRegressionDialog final : public QDialog {
    Q_OBJECT

public:
    explicit CRegressionDialog(RegressionDialogContext context, QWidget* parent = nullptr);
    ~CRegressionDialog() override;

    // The widget that holds the template's controls (below the menu).
    QWidget* Client() const { return client_; }
    QAction* MenuAction(uint32_t id) const { return actions_.value(id); }
    const RegressionSession& Session() const { return session_; }

    // The commands of the buttons and the menu.
    void OnCommand(uint32_t id);
    void AddPoint();
    void ToggleCurrent();
    void OpenFile();
    // Opens the regression file at `path` (a kvr file named on the command line).
    bool OpenFile(const QString& path);
    void SaveFile();
    void ShowInformation();

private:
    void CreateControls();
    void CreateMenu(QMenuBar* bar);
    QString AskFile(RegressionFileRequest request);
    void ShowFileFailure(uint32_t id, uint32_t pattern, const QString& path, const FileProblem& problem);
    // Shows what the session holds: enable states, texts, menu checks and the chart.
    void Refresh();
    void PaintChart();
    void SetText(int id, const std::string& text);

    RegressionDialogContext context_;
    RegressionSession session_;
    RegressionPointReader reader_;
    QWidget* client_ = nullptr;
    CImagePicture* chart_ = nullptr;
    QHash<int, QLineEdit*> edits_;
    QHash<int, QPushButton*> buttons_;
    QHash<uint32_t, QAction*> actions_;
    CTemplateLayout layout_;
};

}  // namespace korvanta::gui
