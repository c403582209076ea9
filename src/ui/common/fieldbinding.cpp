#include "common/fieldbinding.h"

#include "data/datacontrol.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace kelvane {

FieldBinding::FieldBinding(QWidget *control, DataControl *data, const QString &field)
    : QObject(control), m_control(control), m_data(data), m_field(field) {
    connect(data, &DataControl::currentRowChanged, this, &FieldBinding::reload);
    connect(data, &DataControl::fieldChanged, this,
            [this](const QString &name, const QString &value) {
                if (name.compare(m_field, Qt::CaseInsensitive) == 0)
                    show(value);
            });
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        connect(edit, &QLineEdit::textChanged, this, &FieldBinding::controlChanged);
    else if (auto *text = qobject_cast<QPlainTextEdit *>(control))
        connect(text, &QPlainTextEdit::textChanged, this, &FieldBinding::controlChanged);
    else if (auto *check = qobject_cast<QCheckBox *>(control))
        connect(check, &QCheckBox::stateChanged, this, &FieldBinding::controlChanged);
    reload();
}

void FieldBinding::rebind(const QString &field) {
    m_field = field;
    reload();
}

void FieldBinding::reload() {
    if (m_data)
        show(m_data->field(m_field));
}

void FieldBinding::show(const QString &value) {
    if (!m_control)
        return;
    m_showing = true;
    if (auto *edit = qobject_cast<QLineEdit *>(m_control)) {
        if (edit->text() != value)
            edit->setText(value);
    } else if (auto *label = qobject_cast<QLabel *>(m_control)) {
        label->setText(value);
    } else if (auto *text = qobject_cast<QPlainTextEdit *>(m_control)) {
        if (text->toPlainText() != value)
            text->setPlainText(value);
    } else if (auto *check = qobject_cast<QCheckBox *>(m_control)) {
        check->setChecked(value.trimmed() == QLatin1String("1") ||
                          value.trimmed().compare(QLatin1String("true"), Qt::CaseInsensitive) == 0);
    }
    m_showing = false;
}

void FieldBinding::controlChanged() {
    if (m_showing || !m_data || !m_control)
        return;
    QString value;
    if (auto *edit = qobject_cast<QLineEdit *>(m_control))
        value = edit->text();
    else if (auto *text = qobject_cast<QPlainTextEdit *>(m_control))
        value = text->toPlainText();
    else if (auto *check = qobject_cast<QCheckBox *>(m_control))
        value = check->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    m_data->setField(m_field, value);
}

FieldBinding *bindField(QWidget *control, DataControl *data, const QString &field) {
    return new FieldBinding(control, data, field);
}

} // namespace kelvane
