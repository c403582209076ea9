#pragma once

#include "platform/dialogservice.h"

#include <QApplication>
#include <QByteArray>
#include <QList>
#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

struct sqlite3;

// Shared by the benchmarks: a program folder full of test-takers, the run's set-up, a plain
// SQLite connection for the baselines, and a timer that reports the median of repeated runs next
// to a baseline measured in the same run.

// How many test-takers the benchmarks' folder holds.
constexpr int TestTakers = 100000;

// Registered codes "1" … TestTakers visited in a scattered order, so repeated probes do not
// keep hitting the same cached pages.
class CodeCycle {
public:
    QByteArray next() { return QByteArray::number(1 + (m_probe++ * 7919) % TestTakers); }

private:
    int m_probe = 0;
};

// Creates both databases in the folder (when missing) and registers `count` test-takers with
// codes "1" … count, names drawn from small pools (so name searches hit many rows), groups
// A–G, and a full answer row each. Returns false with a message on stderr on failure.
bool generateProgramFolder(const QString &folder, int count);

// Median wall time of `runs` calls, in microseconds; `setup` (not timed) runs before each call.
double medianMicros(int runs, const std::function<void()> &work,
                    const std::function<void()> &setup = {});

// One line of the report: the operation, our time, the baseline's time and their ratio.
void reportRow(const QString &operation, double oursMicros, double baselineMicros);
void reportHeader(const QString &title, int testTakers);

// The folder used by the benchmarks: argv[1] if given, else a generated one under /tmp with
// `count` test-takers (kept between runs, since generating takes a few seconds).
QString benchFolder(int argc, char **argv, int count);

// Answers every box at once: input boxes from `input`, questions with Yes.
class SilentDialogs : public kelvane::DialogService {
public:
    QString input;
    int timed = 0;
    int messages = 0;

    int shown() const { return timed + messages; }
    void reset() { timed = messages = 0; }

    void timedMessage(QWidget *, const QString &, int) override { ++timed; }
    Reply message(QWidget *, const Message &message) override {
        ++messages;
        return message.buttons == Buttons::YesNo ? Reply::Yes : Reply::Ok;
    }
    QString inputBox(QWidget *, const QString &, const QString &, const QString &) override {
        return input;
    }
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override {
        return QString();
    }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &) override {
        return QString();
    }
};

// A benchmark run: the application (offscreen unless a platform is chosen), the program folder
// of TestTakers test-takers (see benchFolder) and SilentDialogs installed. Declare it first in
// main(): when it goes, every connection must be closed, since it then removes the main
// database's journal if this run created it.
class BenchRun {
public:
    BenchRun(int &argc, char **argv);
    ~BenchRun();
    BenchRun(const BenchRun &) = delete;
    BenchRun &operator=(const BenchRun &) = delete;

    // False when the folder could not be made (the reason is on stderr).
    bool ready() const { return !m_folder.isEmpty(); }
    const QString &folder() const { return m_folder; }
    QString mainFile() const;
    SilentDialogs &dialogs() { return m_dialogs; }

private:
    QApplication m_app;
    QString m_folder;
    bool m_hadJournal = false;
    SilentDialogs m_dialogs;
};

// A plain connection for the baselines, set up as the program sets up its own (persistent
// rollback journal, full sync). Failures are reported on stderr, since a failed baseline is no
// baseline.
class RawDb {
public:
    explicit RawDb(const QString &path);
    ~RawDb();
    RawDb(const RawDb &) = delete;
    RawDb &operator=(const RawDb &) = delete;

    // Runs one statement to the end with text parameters, reading every column of every row.
    void exec(const QByteArray &sql, const QList<QByteArray> &values = {});
    // The same, keeping the first row's columns (empty when there is no row; NULL is a null
    // QByteArray, and a null value binds NULL).
    QList<QByteArray> row(const QByteArray &sql, const QList<QByteArray> &values = {});
    // The same, keeping the first row's first column (empty when there is no row).
    QByteArray value(const QByteArray &sql, const QList<QByteArray> &values = {});

private:
    // Keeps up to `keep` columns of the first row.
    QList<QByteArray> run(const QByteArray &sql, const QList<QByteArray> &values, int keep);

    sqlite3 *m_db = nullptr;
};

template <typename T> T *child(QWidget *window, const char *name) {
    T *widget = window->findChild<T *>(QString::fromLatin1(name));
    if (!widget)
        qFatal("no control %s", name);
    return widget;
}
