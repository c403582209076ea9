#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace kelvane {

class DataControl;

// Binds a text box, label, multi-line box or check box to a field of a data control's current
// row: the control shows the field (empty without a current row), and every change of the
// control's text, typed or set by the program, is written into the row. update() stores it.
// A check box holds "1" when ticked and "0" when not.
class FieldBinding : public QObject {
    Q_OBJECT
public:
    FieldBinding(QWidget *control, DataControl *data, const QString &field);

    const QString &field() const { return m_field; }
    // Binds the control to another field of the same row and shows it.
    void rebind(const QString &field);
    // Shows the current row's value again.
    void reload();

private:
    void show(const QString &value);
    void controlChanged();

    QPointer<QWidget> m_control;
    QPointer<DataControl> m_data;
    QString m_field;
    bool m_showing = false;
};

FieldBinding *bindField(QWidget *control, DataControl *data, const QString &field);

} // namespace kelvane
