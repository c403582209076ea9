#pragma once

#include <QString>

class QWidget;

namespace kelvane {

// Every message box, self-closing message, input box and file dialog goes through the one
// installed service, so window tests script the answers instead of running modal loops.
class DialogService {
public:
    enum class Icon { None, Information, Warning, Critical, Question };
    enum class Buttons { Ok, YesNo };
    enum class Reply { Ok, Yes, No };

    struct Message {
        QString title; // empty: the application title
        QString text;
        Icon icon = Icon::None;
        Buttons buttons = Buttons::Ok;
        bool rightToLeft = false;
    };

    virtual ~DialogService() = default;

    // The box titled "پيام" with one OK button and no icon; it closes itself after the delay as
    // if OK were pressed. Returns when it has closed.
    virtual void timedMessage(QWidget *owner, const QString &text, int delayMs) = 0;
    // An ordinary box that waits for the user.
    virtual Reply message(QWidget *owner, const Message &message) = 0;
    // Cancel gives empty text.
    virtual QString inputBox(QWidget *owner, const QString &prompt, const QString &title,
                             const QString &defaultText) = 0;
    // Cancel gives empty text.
    virtual QString openFileName(QWidget *owner, const QString &caption, const QString &folder,
                                 const QString &filter) = 0;
    virtual QString saveFileName(QWidget *owner, const QString &caption, const QString &proposal,
                                 const QString &filter) = 0;

    static DialogService &current();
    // Installs another service (tests); nullptr puts the real dialogs back. Not owned.
    static void install(DialogService *service);
};

// The real dialogs on Qt Widgets.
class QtDialogService : public DialogService {
public:
    void timedMessage(QWidget *owner, const QString &text, int delayMs) override;
    Reply message(QWidget *owner, const Message &message) override;
    QString inputBox(QWidget *owner, const QString &prompt, const QString &title,
                     const QString &defaultText) override;
    QString openFileName(QWidget *owner, const QString &caption, const QString &folder,
                         const QString &filter) override;
    QString saveFileName(QWidget *owner, const QString &caption, const QString &proposal,
                         const QString &filter) override;
};

} // namespace kelvane
