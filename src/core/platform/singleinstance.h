#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace kelvane {

// One running copy per program folder. The lock names the holder's process, so a copy that
// crashed leaves a stale lock that the next start takes over.
class SingleInstance {
public:
    explicit SingleInstance(const QString &programFolder);
    ~SingleInstance();
    // False when another running copy holds the lock.
    bool acquire();
    QString lockPath() const;

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace kelvane
