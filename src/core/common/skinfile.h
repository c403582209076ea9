#pragma once

#include <QString>

#include <optional>

namespace kelvane {

// The skin list "skin/skin.txt": its first item names the current skin; "skin/N.skn" is that
// skin's style sheet. A missing or unreadable file yields nothing: the default look stays.
class SkinFile {
public:
    static QString listPath(const QString &programFolder);
    static QString skinPath(const QString &programFolder, const QString &name);
    // The first item of the list's first line: leading blanks skipped, up to a comma.
    static std::optional<QString> readCurrentName(const QString &programFolder);
    static std::optional<QString> readSheet(const QString &programFolder, const QString &name);
};

} // namespace kelvane
