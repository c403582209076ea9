#pragma once

#include <QWidget>

class QCloseEvent;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kelvane {

class DataControl;
class FieldBinding;

// The test run started from the main window's "اجراي تست": asks for the code, finds the
// test-taker, makes sure an answer row exists and opens the test window modally. Returns at once;
// the window stores and resets itself when it closes.
void StartTestRun(QWidget *mainWindow);

// The test window: one statement at a time, answered with five options, over the test-taker's
// answer row and particulars. One instance is loaded on first use and reused by every run.
class FrmTest : public QWidget {
    Q_OBJECT
public:
    ~FrmTest() override;

    // The window, loaded (hidden) if it was not.
    static FrmTest *instance();
    // The loaded window, or nullptr.
    static FrmTest *loaded();
    // Releases the window and its data controls; the next instance() loads it anew.
    static void unload();

    DataControl *dataControl(const QString &name) const;
    // After "شروع" until the window closes.
    bool isRunning() const { return m_running; }

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    FrmTest();
    friend void StartTestRun(QWidget *mainWindow);

    void buildControls();
    void buildParticulars();
    void showInitialState();
    bool ensureAnswerRow(const QString &code, QWidget *owner);

    void Activate();
    void command1Clicked();
    void questionChanged();
    void showQuestion(const QString &number);
    void ShowStoredAnswer();
    void clearOptions();
    void optionClicked(int value);
    void stepQuestion(int delta);
    bool storeAnswers();
    bool storeAll();

    DataControl *m_adodc2 = nullptr; // Answer: the working answer row
    DataControl *m_adodc3 = nullptr; // IDE: the particulars
    DataControl *m_adodc4 = nullptr;
    DataControl *m_adodc5 = nullptr;
    DataControl *m_adodc6 = nullptr; // QUS: the statements

    QLabel *m_title = nullptr;        // SkinLabel3
    QLabel *m_instructions = nullptr; // SkinLabel4
    QLabel *m_statement = nullptr;    // SkinLbl5
    QWidget *m_frame1 = nullptr;
    QGroupBox *m_frame2 = nullptr;
    QLineEdit *m_text1 = nullptr;
    QLineEdit *m_text6 = nullptr;  // the question number
    QLineEdit *m_text12 = nullptr; // the current answer
    QLineEdit *m_text14 = nullptr; // Code of the answer row
    FieldBinding *m_answerBinding = nullptr;
    QRadioButton *m_options[5] = {};
    QPushButton *m_command1 = nullptr;
    QPushButton *m_command5 = nullptr;
    QPushButton *m_cmdNext = nullptr;
    QPushButton *m_cmdBack = nullptr;

    bool m_running = false;
    // Set while a step already reported its failed store, so one click shows one error box.
    bool m_quietStore = false;
};

} // namespace kelvane
