#include "gui/app/CAppSettings.h"

#include "gui/forms/FormControls.h"

#include <vector>

namespace korvanta::gui {

namespace {

constexpr const char* kGroup = "Settings";
constexpr const char* kRecentGroup = "Recent File List";

std::optional<long long> ReadInteger(const QSettings& store, const char* key)
{
    const QVariant value = store.value(QString::fromLatin1(key));
    if (!value.isValid()) {
        return std::nullopt;
    }
    // Registry numbers come back as numbers, the text file's as text.
    const int type = value.typeId();
    if (type != QMetaType::Int && type != QMetaType::UInt && type != QMetaType::LongLong &&
        type != QMetaType::ULongLong && type != QMetaType::QString && type != QMetaType::QByteArray) {
        return std::nullopt;
    }
    bool ok = false;
    const long long number = value.toLongLong(&ok);
    return ok ? std::optional(number) : std::nullopt;
}

std::optional<QString> ReadText(const QSettings& store, const QString& key)
{
    const QVariant value = store.value(key);
    if (value.typeId() != QMetaType::QString) {
        return std::nullopt;
    }
    return value.toString();
}

}  // namespace

void CAppSettings::Load(QSettings& store)
{
    store.beginGroup(QString::fromLatin1(kGroup));
    RawAppSettings raw;
    raw.lengthUnit = ReadInteger(store, "Length");
    raw.timeUnit = ReadInteger(store, "Time");
    raw.sensors = ReadInteger(store, "Sensors");
    if (const auto port = ReadText(store, QStringLiteral("COM Port"))) {
        raw.comPort = ToUtf8(*port);
    }
    store.endGroup();
    values_ = SanitizeAppSettings(raw);

    store.beginGroup(QString::fromLatin1(kRecentGroup));
    std::vector<std::string> paths;
    for (size_t i = 1; i <= recent_.Capacity(); ++i) {
        if (const auto path = ReadText(store, QStringLiteral("File%1").arg(i))) {
            paths.push_back(ToPathText(*path));
        }
    }
    store.endGroup();
    recent_.Assign(paths);
}

bool CAppSettings::Save(QSettings& store) const
{
    store.beginGroup(QString::fromLatin1(kGroup));
    store.setValue(QStringLiteral("Length"), values_.lengthUnit);
    store.setValue(QStringLiteral("Time"), values_.timeUnit);
    store.setValue(QStringLiteral("Sensors"), values_.sensors);
    store.setValue(QStringLiteral("COM Port"), FromUtf8(values_.comPort));
    store.endGroup();

    store.beginGroup(QString::fromLatin1(kRecentGroup));
    store.remove(QString());
    for (size_t i = 0; i < recent_.Paths().size(); ++i) {
        store.setValue(QStringLiteral("File%1").arg(i + 1), FromPathText(recent_.Paths()[i]));
    }
    store.endGroup();
    store.sync();
    return store.status() == QSettings::NoError;
}

}  // namespace korvanta::gui
