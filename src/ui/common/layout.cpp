#include "common/layout.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QWidget>

namespace kelvane {

void placeTwips(QWidget *widget, int left, int top, int width, int height) {
    widget->setGeometry(twips(left), twips(top), twips(width), twips(height));
}

void sizeTwips(QWidget *widget, int width, int height) {
    widget->setFixedSize(twips(width), twips(height));
}

void moveWindowTwips(QWidget *window, int left, int top) {
    window->move(twips(left), twips(top));
}

QFont layoutFont(const QString &family, double pointSize, bool bold) {
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

void installFontSubstitutions() {
    // Naskh faces for the Persian display fonts, DejaVu (which carries Arabic script) for the
    // Latin UI faces; both come from Debian font packages the set-up installs.
    const QStringList naskh{QStringLiteral("Nazli"), QStringLiteral("Noto Naskh Arabic"),
                            QStringLiteral("DejaVu Sans")};
    const QStringList sans{QStringLiteral("DejaVu Sans"), QStringLiteral("Nazli")};
    for (const char *name : {"B Nazanin", "Arabic Transparent", "B Titr", "B Yekan"})
        QFont::insertSubstitutions(QString::fromLatin1(name), naskh);
    for (const char *name : {"MS Sans Serif", "Arial", "Tahoma"})
        QFont::insertSubstitutions(QString::fromLatin1(name), sans);
}

void makeRightToLeft(QWidget *widget) {
    widget->setLayoutDirection(Qt::RightToLeft);
    if (auto *edit = qobject_cast<QLineEdit *>(widget))
        edit->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
    else if (auto *label = qobject_cast<QLabel *>(widget))
        label->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
}

QLabel *makeLabel(QWidget *parent, const QString &name, const QString &text, int left, int top,
                  int width, int height) {
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    placeTwips(label, left, top, width, height);
    return label;
}

QLabel *makeCaption(QWidget *parent, const QString &name, const QString &text, int left, int top,
                    int width, int height) {
    QLabel *label = makeLabel(parent, name, text, left, top, width, height);
    label->setFont(layoutFont(QStringLiteral("B Nazanin"), 12, true));
    makeRightToLeft(label);
    return label;
}

QLabel *makeSkinLabel(QWidget *parent, const QString &name, const QString &text, int left, int top,
                      int width, int height) {
    QLabel *label = makeLabel(parent, name, text, left, top, width, height);
    label->setProperty("skinLabel", true);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setLayoutDirection(Qt::RightToLeft);
    return label;
}

QLineEdit *makeTextBox(QWidget *parent, const QString &name, int left, int top, int width,
                       int height) {
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    placeTwips(box, left, top, width, height);
    return box;
}

QPushButton *makeButton(QWidget *parent, const QString &name, const QString &caption, int left,
                        int top, int width, int height) {
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    placeTwips(button, left, top, width, height);
    return button;
}

void makeCancelButton(QWidget *window, QPushButton *button) {
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    QObject::connect(escape, &QShortcut::activated, button, &QPushButton::click);
}

} // namespace kelvane
