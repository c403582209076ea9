#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

namespace kelvane {

// The fixed key of the questionnaire: scale k (1 to 8) is the plain sum of the values of
// questions k, k+8, …, k+72. Answers are given as texts, answers[i] for question i + 1; a
// missing entry reads as empty.
namespace scalekey {

inline constexpr int ScaleCount = 8;
inline constexpr int QuestionCount = 80;
inline constexpr int QuestionsPerScale = 10;

// The ten question numbers of scale k (1 to 8), ascending; empty for any other k.
QVector<int> questions(int scale);

// The leading decimal number of an answer, leading blanks skipped; 0 when there is none.
double itemValue(const QString &answer);

// Sum of the item values of the scale's questions.
double scaleScore(const QStringList &answers, int scale);
// The eight sums in scale order.
QVector<double> scores(const QStringList &answers);

// A sum as shown and stored: plain decimal, no fraction digits when whole.
QString scoreText(double score);
QStringList scoreTexts(const QStringList &answers);

// The unanswered questions as the warning lists them: " n  " for every empty answer, in
// ascending order. A non-empty answer counts as answered whatever it holds.
QString unansweredList(const QStringList &answers);

} // namespace scalekey
} // namespace kelvane
