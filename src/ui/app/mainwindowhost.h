#pragma once

namespace kelvane {

class Frm1;

// The main window unloads itself when scoring opens and is loaded anew when it is shown again;
// other windows reach it only through here.
class MainWindowHost {
public:
    // The loaded main window, or nullptr while it is unloaded.
    static Frm1 *loaded();
    // The main window, loaded (hidden, start-up steps run, values fresh) if it was not.
    static Frm1 *ensureLoaded();
    // Loads it anew when unloaded, then shows it.
    static Frm1 *show();
};

} // namespace kelvane
