#include "gui/forms/FormControls.h"

#include "core/text/StringTable.h"

namespace korvanta::gui {

namespace {

QPushButton* MakeTemplateButton(QWidget* parent, const DialogItemTemplate& item)
{
    auto* button = MakeControl<QPushButton>(parent, item.id);
    if (item.text != nullptr)
        button->setText(QString::fromUtf8(item.text));
    return button;
}

}  // namespace

QPushButton* MakeOkButton(QDialog* dialog, const DialogItemTemplate& item)
{
    QPushButton* ok = MakeTemplateButton(dialog, item);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    return ok;
}

QPushButton* MakeCancelButton(QDialog* dialog, const DialogItemTemplate& item)
{
    QPushButton* cancel = MakeTemplateButton(dialog, item);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return cancel;
}

void SetWizardButtonTexts(QWizard& wizard)
{
    wizard.setButtonText(QWizard::BackButton, QStringLiteral("< &Tilbage"));
    wizard.setButtonText(QWizard::NextButton, QStringLiteral("&Næste >"));
    wizard.setButtonText(QWizard::FinishButton, QStringLiteral("Udfør"));
    wizard.setButtonText(QWizard::CancelButton, QStringLiteral("Annuller"));
}

QString StringText(uint32_t id)
{
    QString text = QString::fromUtf8(LoadString(id));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

QString FileFilterText(uint32_t id)
{
    return StringText(id).section(QLatin1Char('|'), 0, 0);
}

QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToUtf8(const QString& text)
{
    return text.toUtf8().toStdString();
}

std::filesystem::path ToPath(const QString& path)
{
    return std::filesystem::path(path.toStdU16String());
}

QString FromPath(const std::filesystem::path& path)
{
    return QString::fromStdU16String(path.u16string());
}

std::string ToPathText(const QString& path)
{
    return ToPath(path).string();
}

QString FromPathText(const std::string& path)
{
    return FromPath(std::filesystem::path(path));
}

}  // namespace korvanta::gui
