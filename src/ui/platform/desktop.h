#pragma once

#include <QUrl>

#include <functional>

namespace kelvane {

// The desktop's handlers: web addresses and the calculator. Tests put a recorder in their place.
class Desktop {
public:
    static void openUrl(const QUrl &url);
    // The desktop's calculator program, started without waiting; false when none is installed.
    static bool startCalculator();

    static void setUrlHandler(std::function<void(const QUrl &)> handler);
    static void setCalculatorHandler(std::function<bool()> handler);
};

} // namespace kelvane
