#include "gui/app/AppOptions.h"

namespace korvanta::gui {

bool ParseCommandLine(const QStringList& arguments, AppOptions& options, QString& error)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--port") || argument.startsWith(QLatin1String("--port="))) {
            QString name = argument.mid(7);
            if (argument == QLatin1String("--port")) {
                if (i + 1 >= arguments.size()) {
                    error = QStringLiteral("--port needs a port name");
                    return false;
                }
                name = arguments[++i];
            }
            if (name.isEmpty()) {
                error = QStringLiteral("--port needs a port name");
                return false;
            }
            options.ports.push_back(name.toStdString());
        } else if (argument == QLatin1String("--")) {
            options.files.append(arguments.mid(i + 1));
            break;
        } else if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            error = QStringLiteral("unknown option %1").arg(argument);
            return false;
        } else {
            options.files.append(argument);
        }
    }
    return true;
}

}  // namespace korvanta::gui
