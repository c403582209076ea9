#pragma once

#include <QFrame>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace kelvane {

class DataControl;
class Frm1;

// The registration panel (Frame10) of the main window: proposes a free code, takes the
// particulars and stores the test-taker row (IDE) and an empty answer row (Answer) together.
class RegistrationPanel : public QFrame {
    Q_OBJECT
public:
    explicit RegistrationPanel(Frm1 *mainWindow);
    // Binds the panel's boxes to the main window's data controls, once they are open, and
    // wires the main window's registration button.
    void bindData();

    // Command1: a new unsaved row with today's date, the time and a proposed code.
    void openRegistration();
    // Puts the next whole number after the most recently added code into Text11, skipping
    // codes in use; nothing when no test-taker is registered.
    void ProposeCode();
    // Raises the code in Text11 until no test-taker uses it.
    void SkipUsedCodes();

private:
    void save();
    void cancel();
    // The first empty particular: its message shown and focus given; false when all are there.
    bool checkParticulars(const QString &code);
    void buildControls();
    QLineEdit *box(const char *name) const;

    Frm1 *m_main;
    QPushButton *m_command1 = nullptr;
    DataControl *m_testTakers = nullptr; // Adodc2: the row being registered
    DataControl *m_answers = nullptr;    // Adodc3: its answer row
    DataControl *m_lookup = nullptr;     // Adodc5: codes in use
    QComboBox *m_marital = nullptr;      // Combo1
    QComboBox *m_sex = nullptr;          // Combo2
    QComboBox *m_group = nullptr;        // Combo3
};

} // namespace kelvane
