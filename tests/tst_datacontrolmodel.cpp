#include "data/datacontrol.h"
#include "data/datacontrolmodel.h"
#include "programfixture.h"

#include <QTest>

using namespace kelvane;

class TestDataControlModel : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void readsKeysFirstThenOnlyTheAskedPages();
    void followsTheFilter_data();
    void followsTheFilter();
    void rowsChangedSinceReloadKeepTheirLines();
    void captionsAndReadOnly();
    void unopenedSourceGivesNoRows();

private:
    QStringList column(const DataControlModel &model, int column) const;

    ProgramFixture *m_fixture = nullptr;
    DataControl *m_control = nullptr;
};

namespace {
QVector<DataControlModel::Column> columns() {
    return {{"Code", "code"}, {"FName", "first"}, {"Group", "group"}};
}
} // namespace

void TestDataControlModel::init() {
    m_fixture = new ProgramFixture;
    const char *const groups = "ABCABCABCA";
    for (int n = 1; n <= 10; ++n)
        m_fixture->addTestTaker(QString::number(n * 10),
                                {{"FName", QStringLiteral("name%1").arg(n)},
                                 {"Group", QString(QLatin1Char(groups[n - 1]))}});
    m_control = openDataControl(nullptr, "Adodc2", schema::FileKind::Main, "IDE");
    QVERIFY(m_control->isOpen());
}

void TestDataControlModel::cleanup() {
    delete m_control;
    delete m_fixture;
}

QStringList TestDataControlModel::column(const DataControlModel &model, int column) const {
    QStringList values;
    for (int row = 0; row < model.rowCount(); ++row)
        values << model.index(row, column).data().toString();
    return values;
}

void TestDataControlModel::readsKeysFirstThenOnlyTheAskedPages() {
    DataControlModel model(m_control, columns());
    model.setPageSize(3);
    QVERIFY(model.reload().ok());
    QCOMPARE(model.rowCount(), 10);
    QCOMPARE(model.columnCount(), 3);
    QCOMPARE(model.pagesRead(), 0);

    QCOMPARE(model.index(4, 1).data().toString(), QStringLiteral("name5"));
    QCOMPARE(model.pagesRead(), 1);
    QCOMPARE(model.index(3, 0).data().toString(), QStringLiteral("40"));
    QCOMPARE(model.pagesRead(), 1);

    QCOMPARE(column(model, 0),
             QStringList({"10", "20", "30", "40", "50", "60", "70", "80", "90", "100"}));
    QCOMPARE(column(model, 2), QStringList({"A", "B", "C", "A", "B", "C", "A", "B", "C", "A"}));
    QCOMPARE(model.pagesRead(), 4);
    QVERIFY(!model.index(10, 0).data().isValid());
}

void TestDataControlModel::followsTheFilter_data() {
    QTest::addColumn<QString>("group");
    QTest::addColumn<QStringList>("codes");
    QTest::newRow("A") << "A" << QStringList{"10", "40", "70", "100"};
    QTest::newRow("C") << "C" << QStringList{"30", "60", "90"};
    QTest::newRow("none") << "H" << QStringList{};
}

void TestDataControlModel::followsTheFilter() {
    QFETCH(QString, group);
    QFETCH(QStringList, codes);
    DataControlModel model(m_control, columns());
    model.setPageSize(2);
    QVERIFY(m_control->setFilter("Group", group).ok());
    QVERIFY(model.reload().ok());
    QCOMPARE(column(model, 0), codes);
    QCOMPARE(m_control->rowCount(), codes.size());

    QVERIFY(m_control->refresh().ok());
    QVERIFY(model.reload().ok());
    QCOMPARE(model.rowCount(), 10);
}

void TestDataControlModel::rowsChangedSinceReloadKeepTheirLines() {
    m_fixture->exec("DELETE FROM IDE WHERE Code = '30'");
    DataControlModel model(m_control, columns());
    model.setPageSize(4);
    QVERIFY(model.reload().ok());
    const qint64 gone = model.keyAt(3); // code 50
    // Another window deletes one row and adds one whose key falls into the gap.
    m_fixture->exec("DELETE FROM IDE WHERE Code = '50'");
    m_fixture->exec("INSERT INTO IDE (RowOrder, Code) VALUES (?, 'new')", {model.keyAt(1) + 1});
    QVERIFY(gone > model.keyAt(1) + 1);

    QCOMPARE(column(model, 0), QStringList({"10", "20", "40", "", "60", "70", "80", "90", "100"}));
}

void TestDataControlModel::captionsAndReadOnly() {
    DataControlModel model(m_control, columns());
    QVERIFY(model.reload().ok());
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("code"));
    QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("group"));
    const QModelIndex cell = model.index(0, 1);
    QVERIFY(!(model.flags(cell) & Qt::ItemIsEditable));
    QVERIFY(model.flags(cell) & Qt::ItemIsSelectable);
    QVERIFY(!model.setData(cell, "changed"));
    QCOMPARE(cell.data().toString(), QStringLiteral("name1"));
}

void TestDataControlModel::unopenedSourceGivesNoRows() {
    DataControl closed(m_fixture->path() + "/missing.mdb", "IDE");
    DataControlModel model(&closed, columns());
    const Status status = model.reload();
    QVERIFY(!status.ok());
    QVERIFY(!status.error().isEmpty());
    QCOMPARE(model.rowCount(), 0);
}

QTEST_MAIN(TestDataControlModel)
#include "tst_datacontrolmodel.moc"
