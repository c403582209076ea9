#pragma once

#include "common/status.h"

#include <QList>
#include <QWidget>

class QFrame;
class QLineEdit;
class QPlainTextEdit;

namespace kelvane {

class DataControl;

// The scoring window: asks for a code, shows and edits the test-taker's particulars, warns about
// unanswered questions, sums the answers with the scale key, shows the eight scores and writes
// them into the test-taker's row. Unloading it brings the main window back.
class FrmkLID : public QWidget {
    Q_OBJECT
public:
    explicit FrmkLID(QWidget *parent = nullptr);
    ~FrmkLID() override;

    // The help panel's text, with its CR LF line ends as stored.
    static QString helpText();

    DataControl *dataControl(const QString &name) const;
    // The eight score boxes in scale order.
    const QList<QLineEdit *> &scoreBoxes() const { return m_scoreBoxes; }
    // A test-taker is chosen: both panels are up.
    bool isChosen() const;

    // Command1: choose a test-taker and score.
    void chooseAndScore();
    // Cmdsave: store the edited particulars.
    void saveParticulars();
    // Cmdprof: fill the profile sheet from this window's boxes and show it.
    void openProfile();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildParticulars();
    void buildCommands();
    void buildScores();
    void buildHelp();
    void openDataControls();
    QLineEdit *box(const QString &name) const;
    QStringList answers() const;
    // Stores the particulars' row when it holds edits not yet stored.
    Status storeEditedParticulars();

    QFrame *m_particulars = nullptr;
    QFrame *m_commands = nullptr;
    QFrame *m_scorePanel = nullptr;
    QFrame *m_help = nullptr;
    QPlainTextEdit *m_helpText = nullptr;
    QList<QLineEdit *> m_scoreBoxes;
    QList<QLineEdit *> m_answerBoxes; // Txt3(1) … Txt3(80)
};

// Opens the scoring window without waiting and returns it; it deletes itself when closed.
FrmkLID *OpenScoring();

} // namespace kelvane
