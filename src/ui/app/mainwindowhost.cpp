#include "app/mainwindowhost.h"

#include "app/frm1.h"

#include <QPointer>

namespace kelvane {

namespace {
QPointer<Frm1> &instance() {
    static QPointer<Frm1> window;
    return window;
}
} // namespace

Frm1 *MainWindowHost::loaded() {
    Frm1 *window = instance().data();
    // A window that is closing is already unloaded; it is deleted once its close has run.
    return window && !window->property("unloading").toBool() ? window : nullptr;
}

Frm1 *MainWindowHost::ensureLoaded() {
    if (Frm1 *window = loaded())
        return window;
    auto *window = new Frm1;
    instance() = window;
    return window;
}

Frm1 *MainWindowHost::show() {
    Frm1 *window = ensureLoaded();
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace kelvane
