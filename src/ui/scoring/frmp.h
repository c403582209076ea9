#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

class QFrame;
class QLabel;
class QPlainTextEdit;

namespace kelvane {

// The test-taker's particulars as the scoring window shows them when the profile is asked for.
struct ProfileParticulars {
    QString code;
    QString firstName;
    QString familyName;
    QString age;
    QString maritalStatus;
    QString sex;
    QString education;
    QString group;
    QString date;
};

// The profile sheet: one test-taker's eight raw scores as horizontal bars under the clinic's
// name, the test's title and the particulars. Its layout is fixed in twips because the printed
// profile and the Word export are pictures of this window. One sheet at a time; refilling it
// replaces everything it showed.
class Frmp : public QWidget {
    Q_OBJECT
public:
    // Every bar starts here; each score point is this many twips long.
    static constexpr int BarLeft = 3120;
    static constexpr int TwipsPerPoint = 165;

    // Fills the sheet (loading it when it is not loaded), shows it without waiting and returns
    // it. Closing the sheet shows returnTo again.
    static Frmp *open(QWidget *returnTo, const ProfileParticulars &particulars,
                      const QStringList &scores);
    // The loaded sheet, or nullptr.
    static Frmp *loaded();

    // The one-line particulars text the Word export puts above the chart.
    static QString particularsText(const ProfileParticulars &particulars);

    // Bar i (0 to 7, scale i + 1): its width in twips as drawn.
    int barWidthTwips(int row) const;
    // Txtid as last built.
    QString particularsTextShown() const;

    // cmdr: sets every bar from its raw-score label.
    void drawBars();
    // What runs at every activation: the bars, then Txtid.
    void redraw();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    explicit Frmp(QWidget *parent = nullptr);
    void buildHeader();
    void buildStrip();
    void buildChart();
    void buildCommandBar();
    void fill(const ProfileParticulars &particulars, const QStringList &scores);

    QPointer<QWidget> m_returnTo;
    ProfileParticulars m_particulars;
    QList<QLabel *> m_values;    // lblSID(0) … lblSID(7)
    QList<QLabel *> m_rawScores; // LblKHAM(0) … LblKHAM(7)
    QList<QFrame *> m_bars;      // shpr(0) … shpr(7)
    QList<int> m_barTwips;
    QPlainTextEdit *m_txtid = nullptr;
    QString m_txtidText; // exactly as built; the box may normalise line ends
    QWidget *m_overlay = nullptr;
};

} // namespace kelvane
