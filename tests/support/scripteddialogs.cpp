#include "scripteddialogs.h"

ScriptedDialogs::ScriptedDialogs() {
    kelvane::DialogService::install(this);
}
ScriptedDialogs::~ScriptedDialogs() {
    kelvane::DialogService::install(nullptr);
}

QStringList ScriptedDialogs::texts() const {
    QStringList result;
    for (const Entry &entry : m_entries)
        result << entry.text;
    return result;
}

QStringList ScriptedDialogs::timedTexts() const {
    QStringList result;
    for (const Entry &entry : m_entries) {
        if (entry.kind == Kind::Timed)
            result << entry.text;
    }
    return result;
}

void ScriptedDialogs::record(const Entry &entry) {
    m_entries << entry;
    if (m_onShow)
        m_onShow(entry);
}

void ScriptedDialogs::timedMessage(QWidget *, const QString &text, int) {
    record({Kind::Timed, QStringLiteral("پيام"), text, Icon::None, Buttons::Ok, false});
}

kelvane::DialogService::Reply ScriptedDialogs::message(QWidget *, const Message &message) {
    record({Kind::Message, message.title, message.text, message.icon, message.buttons,
            message.rightToLeft});
    if (message.buttons == Buttons::Ok)
        return Reply::Ok;
    return m_replies.isEmpty() ? Reply::No : m_replies.dequeue();
}

QString ScriptedDialogs::inputBox(QWidget *, const QString &prompt, const QString &title,
                                  const QString &) {
    record({Kind::Input, title, prompt, Icon::None, Buttons::Ok, false});
    return m_inputs.isEmpty() ? QString() : m_inputs.dequeue();
}

QString ScriptedDialogs::openFileName(QWidget *, const QString &caption, const QString &,
                                      const QString &) {
    record({Kind::OpenFile, caption, caption, Icon::None, Buttons::Ok, false});
    return m_files.isEmpty() ? QString() : m_files.dequeue();
}

QString ScriptedDialogs::saveFileName(QWidget *, const QString &caption, const QString &,
                                      const QString &) {
    record({Kind::SaveFile, caption, caption, Icon::None, Buttons::Ok, false});
    return m_files.isEmpty() ? QString() : m_files.dequeue();
}
