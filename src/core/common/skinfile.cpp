#include "common/skinfile.h"

#include <QFile>

namespace kelvane {

QString SkinFile::listPath(const QString &programFolder) {
    return programFolder + QStringLiteral("/skin/skin.txt");
}

QString SkinFile::skinPath(const QString &programFolder, const QString &name) {
    return programFolder + QStringLiteral("/skin/") + name + QStringLiteral(".skn");
}

std::optional<QString> SkinFile::readCurrentName(const QString &programFolder) {
    QFile file(listPath(programFolder));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QString line = QString::fromUtf8(file.readLine(4096));
    qsizetype start = 0;
    while (start < line.size() && line.at(start).isSpace())
        ++start;
    line = line.mid(start);
    qsizetype end = 0;
    while (end < line.size() && line.at(end) != QLatin1Char(',') &&
           line.at(end) != QLatin1Char('\r') && line.at(end) != QLatin1Char('\n'))
        ++end;
    return line.left(end);
}

std::optional<QString> SkinFile::readSheet(const QString &programFolder, const QString &name) {
    // A name that climbs out of the skin folder is no skin of ours.
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return std::nullopt;
    QFile file(skinPath(programFolder, name));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return QString::fromUtf8(file.readAll());
}

} // namespace kelvane
