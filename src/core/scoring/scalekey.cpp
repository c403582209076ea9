#include "scoring/scalekey.h"

#include "common/textnumber.h"

namespace kelvane::scalekey {

namespace {
QString answerOf(const QStringList &answers, int question) {
    return question >= 1 && question <= answers.size() ? answers.at(question - 1) : QString();
}
} // namespace

QVector<int> questions(int scale) {
    QVector<int> numbers;
    if (scale < 1 || scale > ScaleCount)
        return numbers;
    for (int question = scale; question <= QuestionCount; question += ScaleCount)
        numbers.append(question);
    return numbers;
}

double itemValue(const QString &answer) {
    return leadingNumber(answer);
}

double scaleScore(const QStringList &answers, int scale) {
    double sum = 0.0;
    for (int question : questions(scale))
        sum += itemValue(answerOf(answers, question));
    return sum;
}

QVector<double> scores(const QStringList &answers) {
    QVector<double> result;
    for (int scale = 1; scale <= ScaleCount; ++scale)
        result.append(scaleScore(answers, scale));
    return result;
}

QString scoreText(double score) {
    return plainNumber(score);
}

QStringList scoreTexts(const QStringList &answers) {
    QStringList texts;
    for (double score : scores(answers))
        texts << scoreText(score);
    return texts;
}

QString unansweredList(const QStringList &answers) {
    QString list;
    for (int question = 1; question <= QuestionCount; ++question) {
        if (answerOf(answers, question).isEmpty())
            list += QLatin1Char(' ') + QString::number(question) + QStringLiteral("  ");
    }
    return list;
}

} // namespace kelvane::scalekey
