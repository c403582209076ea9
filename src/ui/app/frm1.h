#pragma once

#include <QPixmap>
#include <QWidget>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kelvane {

class DataControl;
class RegistrationPanel;

// The main window: the hub with its menu column, header, notice and panels. Other windows read
// the clinic particulars, logo and contact block from its controls (see MainWindowHost).
class Frm1 : public QWidget {
    Q_OBJECT
public:
    explicit Frm1(QWidget *parent = nullptr);
    ~Frm1() override;

    void HidePanels();
    void BuildContactBlock();

    // "2": closing opens the exit window; "1": closing lets the window go quietly.
    QString leaveFlag() const;
    void setLeaveFlag(const QString &flag);
    const QString &skinName() const { return m_skinName; }

    DataControl *dataControl(const QString &name) const;
    QString clinicName() const;
    QString clinicAddress() const;
    QString contactBlock() const;
    QPixmap logo() const { return m_logo; }
    bool printsLogo() const;

    // The outside links, hosts of the publisher.
    static QString helpUrl();
    static QString softwareListUrl();
    static QString channelUrl();
    static QString siteUrl();
    static QString shopUrl();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void buildPanels();
    void openDataControls();
    void loadLogo();
    void showHint(const QString &hint);
    void hideHint();

    void command2Clicked();
    void command3Clicked();
    void command4Clicked();
    void command5Clicked();
    void command6Clicked();
    void cmdPasokhClicked();

    QString m_skinName;
    QString m_contactText; // with its CR LF line ends, which the text box would not keep
    QPixmap m_logo;
    QLabel *m_header = nullptr;
    QLabel *m_hint = nullptr;
    QFrame *m_menu = nullptr;
    QLineEdit *m_leaveFlag = nullptr;
    QPlainTextEdit *m_contactBlock = nullptr;
    QLineEdit *m_clinicName = nullptr;
    QLineEdit *m_clinicAddress = nullptr;
    QCheckBox *m_logoFlag = nullptr;
    QLabel *m_image1 = nullptr;
    QLabel *m_picture2 = nullptr;
    QPushButton *m_command1 = nullptr;
    RegistrationPanel *m_registration = nullptr;
    QList<QFrame *> m_panels; // hidden by HidePanels
};

} // namespace kelvane
