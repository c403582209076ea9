#include "common/textnumber.h"

#include <cmath>
#include <limits>

namespace kelvane {

int digitValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= 0x06F0 && u <= 0x06F9)
        return u - 0x06F0;
    if (u >= 0x0660 && u <= 0x0669)
        return u - 0x0660;
    return -1;
}

QString asciiDigits(const QString &text) {
    QString result = text;
    for (QChar &c : result) {
        const int value = digitValue(c);
        if (value >= 0)
            c = QChar(u'0' + value);
    }
    return result;
}

namespace {
qsizetype skipBlanks(const QString &text) {
    qsizetype i = 0;
    while (i < text.size() && (text.at(i) == QLatin1Char(' ') || text.at(i) == QLatin1Char('\t')))
        ++i;
    return i;
}
} // namespace

double leadingNumber(const QString &text) {
    qsizetype i = skipBlanks(text);
    qsizetype start = i;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+')))
        ++i;
    qsizetype digits = 0;
    while (i < text.size() && text.at(i).unicode() >= '0' && text.at(i).unicode() <= '9')
        ++i, ++digits;
    if (i < text.size() && text.at(i) == QLatin1Char('.')) {
        ++i;
        while (i < text.size() && text.at(i).unicode() >= '0' && text.at(i).unicode() <= '9')
            ++i, ++digits;
    }
    if (digits == 0)
        return 0.0;
    bool ok = false;
    const double value = text.mid(start, i - start).toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

qint64 leadingWholeNumber(const QString &text) {
    constexpr qint64 limit = std::numeric_limits<qint64>::max();
    qint64 value = 0;
    for (qsizetype i = skipBlanks(text); i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        if (u < u'0' || u > u'9')
            break;
        const int digit = u - u'0';
        value = value > (limit - digit) / 10 ? limit : value * 10 + digit;
    }
    return value;
}

QString plainNumber(double value) {
    if (std::floor(value) == value && std::fabs(value) < 1e15)
        return QString::number(static_cast<qint64>(value));
    return QString::number(value, 'g', 15);
}

} // namespace kelvane
