#pragma once

#include <QFrame>

namespace kelvane {

class Frm1;

// The registration panel (Frame10) of the main window.
class RegistrationPanel : public QFrame {
    Q_OBJECT
public:
    explicit RegistrationPanel(Frm1 *mainWindow);
    // Binds the panel's boxes to the main window's data controls, once they are open.
    void bindData();

private:
    Frm1 *m_main;
};

} // namespace kelvane
