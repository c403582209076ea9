#pragma once

#include <QString>

class QWidget;

namespace kelvane {

// Applies the skin named in the skin list to the window and returns that name. A missing or
// unreadable list or skin file leaves the default look, without a message.
QString ApplySavedSkin(QWidget *window);
// Applies a skin by name; false (and the default look) when its file cannot be read.
bool ApplySkin(QWidget *window, const QString &name);

} // namespace kelvane
