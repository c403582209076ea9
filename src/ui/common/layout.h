#pragma once

#include <QFont>
#include <QString>

class QWidget;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kelvane {

// Window layouts are given in twips: 15 twips make one pixel at 96 dpi.
constexpr int twips(int value) {
    return (value + (value >= 0 ? 7 : -7)) / 15;
}
void placeTwips(QWidget *widget, int left, int top, int width, int height);
void sizeTwips(QWidget *widget, int width, int height);
// Outer position of a top-level window.
void moveWindowTwips(QWidget *window, int left, int top);

// Fonts by the names the layouts use; missing families fall back to installed Persian-capable
// ones (see installFontSubstitutions).
QFont layoutFont(const QString &family, double pointSize, bool bold = false);
void installFontSubstitutions();

// Right-to-left text box: direction and alignment together.
void makeRightToLeft(QWidget *widget);

// Small builders that name every control after the system's name, so tests and the skin
// find it.
QLabel *makeLabel(QWidget *parent, const QString &name, const QString &text, int left, int top,
                  int width, int height);
// A caption beside a box: right-to-left, "B Nazanin" 12 bold.
QLabel *makeCaption(QWidget *parent, const QString &name, const QString &text, int left, int top,
                    int width, int height);
// A skinned label: drawn in the current skin's caption style.
QLabel *makeSkinLabel(QWidget *parent, const QString &name, const QString &text, int left, int top,
                      int width, int height);
QLineEdit *makeTextBox(QWidget *parent, const QString &name, int left, int top, int width,
                       int height);
// Makes the button the window's cancel button: Esc presses it.
void makeCancelButton(QWidget *window, QPushButton *button);
QPushButton *makeButton(QWidget *parent, const QString &name, const QString &caption, int left,
                        int top, int width, int height);

} // namespace kelvane
