#pragma once

#include <QString>
#include <QStringList>

namespace kelvane {

// The two database files and their tables. Every value is text; each table also carries the
// integer key "RowOrder", which keeps the order in which rows were added through VACUUM, backup
// and restore (rows are always read in that order).
namespace schema {

inline constexpr int ApplicationId = 0x4B4C564E; // "KLVN"
inline constexpr int Version = 1;
inline const QString OrderKey = QStringLiteral("RowOrder");

enum class FileKind { Main, Settings };

QStringList
ideFields(); // Code, FName, LName, Sen, Tahsil, Date, Time, Taahol, Jens, Group + scores
QStringList scoreFields();  // zabani … tabeatgara, in scale order
QStringList answerFields(); // Code, "1" … "80"
QStringList qusFields();    // ID, QU
QStringList themeFields();  // Name, Adress, T1 … T6, Check1

QString fileName(FileKind kind);
// The statements that create a file's tables, indexes and seed rows.
QStringList createStatements(FileKind kind);
// The tables a file must hold to count as one of ours.
QStringList tables(FileKind kind);

QString quoted(const QString &identifier);

} // namespace schema
} // namespace kelvane
