#include "RecentFiles.h"

namespace {
const QString kSection = QStringLiteral("Recent File List");

QString Key(int index) {
    return kSection + QStringLiteral("/File%1").arg(index + 1);
}
} // namespace

RecentFileList::RecentFileList(std::unique_ptr<QSettings> settings, int capacity)
    : m_settings(std::move(settings)), m_capacity(capacity) {
    for (int i = 0; i < m_capacity; ++i) {
        const QString path = m_settings->value(Key(i)).toString();
        if (!path.isEmpty() && !m_files.contains(path))
            m_files.append(path);
    }
}

void RecentFileList::Add(const QString& path) {
    m_files.removeAll(path);
    m_files.prepend(path);
    while (m_files.size() > m_capacity)
        m_files.removeLast();
    Save();
}

void RecentFileList::Remove(int index) {
    if (index < 0 || index >= m_files.size())
        return;
    m_files.removeAt(index);
    Save();
}

void RecentFileList::Save() {
    for (int i = 0; i < m_capacity; ++i) {
        if (i < m_files.size())
            m_settings->setValue(Key(i), m_files[i]);
        else
            m_settings->remove(Key(i));
    }
    m_settings->sync();
}
