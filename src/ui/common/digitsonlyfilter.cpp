#include "common/digitsonlyfilter.h"

#include "common/messages.h"
#include "common/textnumber.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace kelvane {

DigitsOnlyFilter::DigitsOnlyFilter(QLineEdit *field, int highestDigit, const QString &message)
    : QObject(field), m_field(field), m_highestDigit(highestDigit), m_message(message) {
    field->installEventFilter(this);
    // Paste, drop and the X11 selection would bring text in without a key press; what the
    // keys cannot bring, the validator keeps out.
    field->setContextMenuPolicy(Qt::NoContextMenu);
    field->setAcceptDrops(false);
    field->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-%1]*").arg(highestDigit)), field));
}

DigitsOnlyFilter::Verdict DigitsOnlyFilter::judge(const QString &typed, int key, int highestDigit) {
    if (key == Qt::Key_Backspace || key == Qt::Key_Return || key == Qt::Key_Enter)
        return Verdict::Pass;
    // Moving and deleting keys type a control character on X11 ("\t", DEL) but type nothing.
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Delete)
        return Verdict::Pass;
    if (typed.isEmpty())
        return Verdict::Pass; // navigation and modifier keys type nothing
    if (typed.size() == 1) {
        const int value = digitValue(typed.at(0));
        if (value >= 0 && value <= highestDigit)
            return typed.at(0).unicode() < 128 ? Verdict::Pass : Verdict::PassAsAscii;
    }
    return Verdict::Refuse;
}

bool DigitsOnlyFilter::eventFilter(QObject *watched, QEvent *event) {
    if (watched != m_field || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto *keyEvent = static_cast<QKeyEvent *>(event);
    QString typed = keyEvent->text();
    if (keyEvent->matches(QKeySequence::Paste) || keyEvent->matches(QKeySequence::Cut) ||
        keyEvent->matches(QKeySequence::Copy))
        typed = QStringLiteral("\x16"); // a control character, refused like any other
    switch (judge(typed, keyEvent->key(), m_highestDigit)) {
    case Verdict::Pass:
        return false;
    case Verdict::PassAsAscii:
        if (m_field->isReadOnly())
            return true;
        m_field->insert(asciiDigits(typed));
        return true;
    case Verdict::Refuse:
        break;
    }
    QApplication::beep();
    TimedMessage(m_field->window(), m_message);
    return true;
}

DigitsOnlyFilter *attachDigitsOnly(QLineEdit *field, int highestDigit) {
    return new DigitsOnlyFilter(field, highestDigit, QStringLiteral("شما بايد عدد وارد كنيد"));
}

} // namespace kelvane
