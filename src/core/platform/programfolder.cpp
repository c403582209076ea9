#include "platform/programfolder.h"

#include <QDir>

namespace kelvane {

namespace {
QString &currentFolder() {
    static QString folder = QDir::currentPath();
    return folder;
}
} // namespace

QString ProgramFolder::path() {
    return currentFolder();
}

void ProgramFolder::setPath(const QString &folder) {
    currentFolder() = QDir::cleanPath(QDir(folder).absolutePath());
}

QString ProgramFolder::resolve(const QStringList &arguments, const QString &executableFolder) {
    const QString option = QStringLiteral("--program-folder");
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments.at(i) == option && i + 1 < arguments.size())
            return arguments.at(i + 1);
        if (arguments.at(i).startsWith(option + QLatin1Char('=')))
            return arguments.at(i).mid(option.size() + 1);
    }
    const QString fromEnvironment = qEnvironmentVariable("KELVANE_PROGRAM_FOLDER");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return executableFolder;
}

} // namespace kelvane
