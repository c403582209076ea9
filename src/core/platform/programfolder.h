#pragma once

#include <QString>
#include <QStringList>

namespace kelvane {

// The folder that holds the databases, the skins and the logo. It is the executable's folder
// unless the command line ("--program-folder DIR") or KELVANE_PROGRAM_FOLDER names another one,
// for installs whose executable folder is read-only and for tests.
class ProgramFolder {
public:
    static QString path();
    static void setPath(const QString &folder);
    // Picks the folder from the arguments, then the environment, then the executable's folder.
    static QString resolve(const QStringList &arguments, const QString &executableFolder);

    static QString file(const QString &name) { return path() + QLatin1Char('/') + name; }
    static QString mainDatabase() { return file(QStringLiteral("DBKelvane.mdb")); }
    static QString settingsDatabase() { return file(QStringLiteral("Theme.skn")); }
    static QString skinFolder() { return file(QStringLiteral("skin")); }
    // The logo file is named by its extension alone.
    static QString logoFile() { return file(QStringLiteral(".jpg")); }
};

} // namespace kelvane
