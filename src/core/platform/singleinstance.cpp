#include "platform/singleinstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>

namespace kelvane {

SingleInstance::SingleInstance(const QString &programFolder) {
    // The lock lives outside the program folder, which may be read-only.
    const QByteArray folder = QFileInfo(programFolder).absoluteFilePath().toUtf8();
    const QString id = QString::fromLatin1(
        QCryptographicHash::hash(folder, QCryptographicHash::Sha1).toHex().left(16));
    m_path = QDir::temp().filePath(QStringLiteral("kelvane-%1.lock").arg(id));
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::lockPath() const {
    return m_path;
}

bool SingleInstance::acquire() {
    if (m_lock && m_lock->isLocked())
        return true;
    m_lock = std::make_unique<QLockFile>(m_path);
    m_lock->setStaleLockTime(0); // stale only when its process is gone
    if (m_lock->tryLock(0))
        return true;
    m_lock.reset();
    return false;
}

} // namespace kelvane
