#include "common/messages.h"

#include "platform/dialogservice.h"

namespace kelvane {

void TimedMessage(QWidget *owner, const QString &text) {
    DialogService::current().timedMessage(owner, text, 1000);
}

void ShowStorageError(QWidget *owner, const QString &what, const QString &systemError) {
    DialogService::Message message;
    message.title = QStringLiteral("خطا");
    message.text = what + QStringLiteral("\n\n") + systemError;
    message.icon = DialogService::Icon::Critical;
    message.rightToLeft = true;
    DialogService::current().message(owner, message);
}

bool ConfirmCloseWithoutStoring(QWidget *owner, const QString &what, const QString &systemError) {
    DialogService::Message message;
    message.title = QStringLiteral("خطا");
    message.text = what + QStringLiteral("\n\n") + systemError + QStringLiteral("\n\n") +
                   QStringLiteral("بدون ذخيره بسته شود؟");
    message.icon = DialogService::Icon::Warning;
    message.buttons = DialogService::Buttons::YesNo;
    message.rightToLeft = true;
    return DialogService::current().message(owner, message) == DialogService::Reply::Yes;
}

} // namespace kelvane
