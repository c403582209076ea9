#pragma once

#include <QString>

namespace kelvane {

// Outcome of a storage or file step. Library code never shows a box: it hands the system's
// error text to the window, which decides what the user sees.
class Status {
public:
    Status() = default; // success
    static Status success() { return Status(); }
    static Status failure(const QString &error) {
        return Status(error.isEmpty() ? QStringLiteral("?") : error);
    }

    bool ok() const { return m_error.isEmpty(); }
    explicit operator bool() const { return ok(); }
    const QString &error() const { return m_error; }

private:
    explicit Status(const QString &error) : m_error(error) {}
    QString m_error;
};

} // namespace kelvane
