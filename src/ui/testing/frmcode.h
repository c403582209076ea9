#pragma once

#include <QWidget>

class QComboBox;
class QLineEdit;
class QStringListModel;
class QTableView;

namespace kelvane {

class DataControl;
class DataControlModel;

// The directory of registered test-takers: a read-only grid narrowed by first name, last name
// or group (one search at a time), and the deletion of a test-taker with the answers. The main
// window stays hidden while it is open and is shown again when it closes.
class FrmCode : public QWidget {
    Q_OBJECT
public:
    explicit FrmCode(QWidget *parent = nullptr);
    ~FrmCode() override;

    DataControl *dataControl(const QString &name) const;
    DataControlModel *listModel() const { return m_model; }

    // For the printed list of one group: the group box, the clinic address, and Adodc2 as the
    // last search left it.
    QString groupText() const;
    QString clinicAddress() const;
    // Re-reads Adodc2, so the grid lists every test-taker; the search boxes keep their text.
    void refreshList();

    // Command2 and Enter in Text5.
    void deleteTestTaker();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    enum class Search { FirstName, LastName, Group };

    void buildControls();
    void openDataControls();
    QComboBox *searchBox(Search search) const;
    void connectSearch(Search search);
    void runSearch(Search search);
    void clearBox(QComboBox *box);
    void reloadNameLists();

    DataControl *m_list = nullptr; // Adodc2
    DataControlModel *m_model = nullptr;
    QTableView *m_grid = nullptr;
    QComboBox *m_firstName = nullptr;
    QComboBox *m_lastName = nullptr;
    QComboBox *m_group = nullptr;
    QStringListModel *m_firstNames = nullptr;
    QStringListModel *m_lastNames = nullptr;
    QLineEdit *m_code = nullptr;
    QLineEdit *m_address = nullptr;
    // Set while the program changes the search boxes, so their own searches stay quiet.
    bool m_quiet = false;
};

// Opens the directory without waiting; it deletes itself when closed.
FrmCode *OpenDirectory();

} // namespace kelvane
