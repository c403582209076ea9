#pragma once

#include "platform/dialogservice.h"

#include <QList>
#include <QQueue>
#include <QString>

#include <functional>

// Stands in for the real dialogs: records every box and answers from queues, so window tests
// run without modal loops. Installs itself for its lifetime.
class ScriptedDialogs : public kelvane::DialogService {
public:
    enum class Kind { Timed, Message, Input, OpenFile, SaveFile };
    struct Entry {
        Kind kind;
        QString title;
        QString text; // the prompt for input boxes and captions for file dialogs
        Icon icon = Icon::None;
        Buttons buttons = Buttons::Ok;
        bool rightToLeft = false;
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;

    void pushReply(Reply reply) { m_replies.enqueue(reply); }
    void pushInput(const QString &text) { m_inputs.enqueue(text); }
    void pushFile(const QString &path) { m_files.enqueue(path); }
    // Runs whenever a box is shown, before it is answered: a window's state mid-handler.
    void onShow(std::function<void(const Entry &)> callback) { m_onShow = std::move(callback); }

    const QList<Entry> &entries() const { return m_entries; }
    // The texts of every box shown so far, in order.
    QStringList texts() const;
    QStringList timedTexts() const;
    void clear() { m_entries.clear(); }
    int unusedReplies() const { return int(m_replies.size() + m_inputs.size() + m_files.size()); }

    void timedMessage(QWidget *owner, const QString &text, int delayMs) override;
    Reply message(QWidget *owner, const Message &message) override;
    QString inputBox(QWidget *owner, const QString &prompt, const QString &title,
                     const QString &defaultText) override;
    QString openFileName(QWidget *owner, const QString &caption, const QString &folder,
                         const QString &filter) override;
    QString saveFileName(QWidget *owner, const QString &caption, const QString &proposal,
                         const QString &filter) override;

private:
    void record(const Entry &entry);

    QList<Entry> m_entries;
    QQueue<Reply> m_replies;
    QQueue<QString> m_inputs;
    QQueue<QString> m_files;
    std::function<void(const Entry &)> m_onShow;
};
