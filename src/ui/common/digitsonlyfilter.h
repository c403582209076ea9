#pragma once

#include <QObject>
#include <QString>

class QLineEdit;

namespace kelvane {

// Lets only Backspace, Enter and the digits 0 up to the highest digit into a text box; Persian
// and Arabic-Indic digits count as digits and enter as ASCII. Any other typed character beeps,
// is dropped, and the field's message is shown in the self-closing box. Keys that type nothing
// (arrows, Home, Delete, Tab) keep their usual meaning; paste is refused like any other
// non-digit, so only digits ever reach the field from the keyboard.
class DigitsOnlyFilter : public QObject {
    Q_OBJECT
public:
    DigitsOnlyFilter(QLineEdit *field, int highestDigit, const QString &message);

    // What the filter does with one typed character (exposed for the tests' key tables).
    enum class Verdict { Pass, PassAsAscii, Refuse };
    static Verdict judge(const QString &typed, int key, int highestDigit);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_field;
    int m_highestDigit;
    QString m_message;
};

// The filter of the numeric fields, with the usual message.
DigitsOnlyFilter *attachDigitsOnly(QLineEdit *field, int highestDigit = 9);

} // namespace kelvane
