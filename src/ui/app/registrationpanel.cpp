#include "app/registrationpanel.h"

#include "app/frm1.h"

namespace kelvane {

RegistrationPanel::RegistrationPanel(Frm1 *mainWindow) : QFrame(mainWindow), m_main(mainWindow) {
    setObjectName(QStringLiteral("Frame10"));
    hide();
}

void RegistrationPanel::bindData() {}

} // namespace kelvane
