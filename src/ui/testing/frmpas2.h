#pragma once

#include "common/status.h"

#include <QVector>
#include <QWidget>

class QFrame;
class QLabel;
class QLineEdit;

namespace kelvane {

class DataControl;

// The paper answer-sheet window: a test-taker is picked by code and the 80 answers are typed
// from the sheet into a grid of one-digit boxes, or answers stored earlier are corrected.
// Each answer box Txt1(n) has a hidden twin Txt2(n) bound to field "n" of the working answer
// row; the twin carries the value between the box and the database.
class Frmpas2 : public QWidget {
    Q_OBJECT
public:
    explicit Frmpas2(QWidget *parent = nullptr);
    ~Frmpas2() override;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void openDataControls();

    void command3Clicked(); // select the test-taker typed in Text4
    void command1Clicked(); // store the row on screen
    void command2Clicked(); // leave

    bool answerKeyPressed(int n, QKeyEvent *event);
    void answerBoxChanged(int n);
    void twinChanged(int n);
    void setBoxText(int n, const QString &text);

    bool typing() const;
    void setTyping(bool typing);
    void advanceSaveCounter(int steps);

    // Writes the working answer row; an unchanged row is not written.
    Status storeAnswerRow();
    bool hasUnstoredAnswers() const;

    DataControl *m_answers = nullptr; // Adodc2: the working answer row, bound to the twins
    DataControl *m_answers3 = nullptr;
    DataControl *m_answers4 = nullptr;
    DataControl *m_testTakers = nullptr; // Adodc8

    QFrame *m_grid = nullptr;
    QVector<QLineEdit *> m_boxes; // index n = Txt1(n), 1..80
    QVector<QLineEdit *> m_twins; // index n = Txt2(n)
    QLabel *m_entryMode = nullptr;
    QLineEdit *m_saveCounter = nullptr;
    QLineEdit *m_firstName = nullptr;
    QLineEdit *m_lastName = nullptr;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_code = nullptr;

    QString m_selectedCode;
    bool m_hasSelection = false;
    bool m_programChange = false;
};

// The main window's "پاسخنامه": opens the window modally over the main window and returns it
// at once; it deletes itself when closed.
Frmpas2 *OpenAnswerSheet(QWidget *mainWindow);

} // namespace kelvane
