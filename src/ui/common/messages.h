#pragma once

#include <QString>

class QWidget;

namespace kelvane {

// The self-closing box titled "پيام": shown modally to the owner, closed after one second as if
// OK were pressed; returns when it has closed.
void TimedMessage(QWidget *owner, const QString &text);

// A failed write: a Persian box with the system's error text that waits for the user.
void ShowStorageError(QWidget *owner, const QString &what, const QString &systemError);

// A window that cannot store what was typed asks before it closes: the box titled "خطا" with the
// system's error text and a Yes/No question. True (Yes) means close and let the edits go.
bool ConfirmCloseWithoutStoring(QWidget *owner, const QString &what, const QString &systemError);

} // namespace kelvane
