#include "platform/desktop.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

namespace kelvane {

namespace {
std::function<void(const QUrl &)> &urlHandler() {
    static std::function<void(const QUrl &)> handler;
    return handler;
}
std::function<bool()> &calculatorHandler() {
    static std::function<bool()> handler;
    return handler;
}
} // namespace

void Desktop::openUrl(const QUrl &url) {
    if (urlHandler())
        urlHandler()(url);
    else
        QDesktopServices::openUrl(url);
}

bool Desktop::startCalculator() {
    if (calculatorHandler())
        return calculatorHandler()();
#ifdef Q_OS_WIN
    const char *candidates[] = {"calc"};
#else
    // Desktop calculators only: Debian's "calc" is a terminal program.
    const char *candidates[] = {"gnome-calculator", "kcalc",         "mate-calc",
                                "galculator",       "qalculate-gtk", "xcalc"};
#endif
    for (const char *name : candidates) {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!program.isEmpty())
            return QProcess::startDetached(program, {});
    }
    return false;
}

void Desktop::setUrlHandler(std::function<void(const QUrl &)> handler) {
    urlHandler() = std::move(handler);
}

void Desktop::setCalculatorHandler(std::function<bool()> handler) {
    calculatorHandler() = std::move(handler);
}

} // namespace kelvane
