#include "app/startup.h"

#include "app/mainwindowhost.h"
#include "common/layout.h"
#include "data/database.h"
#include "platform/dialogservice.h"
#include "platform/programfolder.h"
#include "platform/singleinstance.h"

namespace kelvane {

bool StartKelvane(std::unique_ptr<SingleInstance> &instanceLock) {
    instanceLock = std::make_unique<SingleInstance>(ProgramFolder::path());
    if (!instanceLock->acquire()) {
        DialogService::Message message;
        message.title = QStringLiteral("Warnnig");
        message.text = QStringLiteral("برنامه در حال اجراست");
        message.icon = DialogService::Icon::Information;
        DialogService::current().message(nullptr, message);
        instanceLock.reset();
        return false;
    }
    const Status databases = Database::prepareAll(ProgramFolder::path());
    if (!databases) {
        DialogService::Message message;
        message.title = QStringLiteral("خطا");
        message.text = databases.error();
        message.icon = DialogService::Icon::Critical;
        message.rightToLeft = true;
        DialogService::current().message(nullptr, message);
        return false;
    }
    MainWindowHost::show();
    return true;
}

} // namespace kelvane
