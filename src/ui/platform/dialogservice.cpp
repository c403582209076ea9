#include "platform/dialogservice.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

namespace kelvane {

namespace {
DialogService *&installed() {
    static DialogService *service = nullptr;
    return service;
}

QMessageBox::Icon boxIcon(DialogService::Icon icon) {
    switch (icon) {
    case DialogService::Icon::Information:
        return QMessageBox::Information;
    case DialogService::Icon::Warning:
        return QMessageBox::Warning;
    case DialogService::Icon::Critical:
        return QMessageBox::Critical;
    case DialogService::Icon::Question:
        return QMessageBox::Question;
    case DialogService::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

DialogService &DialogService::current() {
    static QtDialogService real;
    return installed() ? *installed() : real;
}

void DialogService::install(DialogService *service) {
    installed() = service;
}

void QtDialogService::timedMessage(QWidget *owner, const QString &text, int delayMs) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("پيام"), text, QMessageBox::Ok, owner);
    box.setObjectName(QStringLiteral("TimedMessage"));
    // The tick belongs to this box alone: it can never close a box someone else opened.
    QTimer::singleShot(delayMs, &box, [&box] { box.done(QMessageBox::Ok); });
    box.exec();
}

DialogService::Reply QtDialogService::message(QWidget *owner, const Message &message) {
    const QString title = message.title.isEmpty() ? QApplication::applicationName() : message.title;
    const auto buttons = message.buttons == Buttons::YesNo
                             ? QMessageBox::Yes | QMessageBox::No
                             : QMessageBox::StandardButtons(QMessageBox::Ok);
    QMessageBox box(boxIcon(message.icon), title, message.text, buttons, owner);
    if (message.rightToLeft)
        box.setLayoutDirection(Qt::RightToLeft);
    const int result = box.exec();
    if (message.buttons == Buttons::Ok)
        return Reply::Ok;
    return result == QMessageBox::Yes ? Reply::Yes : Reply::No;
}

QString QtDialogService::inputBox(QWidget *owner, const QString &prompt, const QString &title,
                                  const QString &defaultText) {
    QInputDialog dialog(owner);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.textValue();
}

QString QtDialogService::openFileName(QWidget *owner, const QString &caption, const QString &folder,
                                      const QString &filter) {
    return QFileDialog::getOpenFileName(owner, caption, folder, filter);
}

QString QtDialogService::saveFileName(QWidget *owner, const QString &caption,
                                      const QString &proposal, const QString &filter) {
    return QFileDialog::getSaveFileName(owner, caption, proposal, filter);
}

} // namespace kelvane
