#pragma once

#include <QMap>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantList>

// A fresh program folder with both databases created as at a first start, and a raw SQL
// connection of its own for arranging rows and checking what was stored. The program folder
// points here for the fixture's lifetime.
class ProgramFixture {
public:
    explicit ProgramFixture(bool createDatabases = true);
    ~ProgramFixture();

    QString path() const { return m_dir.path(); }
    QString mainDatabase() const;
    QString settingsDatabase() const;

    // Runs one statement on the main (or settings) file; fails the test on an error.
    void exec(const QString &sql, const QVariantList &values = {}, bool settings = false);
    // The first column of every row of a query, as text.
    QStringList column(const QString &sql, const QVariantList &values = {}, bool settings = false);
    // The first column of the first row ("" when none).
    QString value(const QString &sql, const QVariantList &values = {}, bool settings = false);

    // A registered test-taker: Code plus the given IDE fields (others empty).
    void addTestTaker(const QString &code, const QMap<QString, QString> &fields = {});
    // An answer row: answers[i] is the answer to question i + 1 (missing ones empty).
    void addAnswers(const QString &code, const QStringList &answers = {});
    // The 80 answers of a code as stored ("" for empty).
    QStringList answers(const QString &code);
    int count(const QString &table, bool settings = false);

    // Makes every INSERT, UPDATE or DELETE on the table fail with the given error text, as a
    // full disk or a locked file would; undo with allowWrites().
    void failWrites(const QString &table, const QString &operation,
                    const QString &error = QStringLiteral("disk I/O error"));
    void allowWrites(const QString &table, const QString &operation);

    // Copies the built skins into the folder and names the current one.
    void installSkins(const QString &current = QStringLiteral("1"));

private:
    QSqlDatabase connection(bool settings);

    QTemporaryDir m_dir;
    QString m_mainConnection;
    QString m_settingsConnection;
};
