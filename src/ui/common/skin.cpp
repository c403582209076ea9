#include "common/skin.h"

#include "common/skinfile.h"
#include "platform/programfolder.h"

#include <QWidget>

namespace kelvane {

bool ApplySkin(QWidget *window, const QString &name) {
    const auto sheet = SkinFile::readSheet(ProgramFolder::path(), name);
    window->setStyleSheet(sheet.value_or(QString()));
    return sheet.has_value();
}

QString ApplySavedSkin(QWidget *window) {
    const auto name = SkinFile::readCurrentName(ProgramFolder::path());
    if (!name) {
        window->setStyleSheet(QString());
        return QString();
    }
    ApplySkin(window, *name);
    return *name;
}

} // namespace kelvane
