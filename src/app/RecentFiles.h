#pragma once

#include <QSettings>
#include <QStringList>
#include <memory>

// The recent-file list of the File menu, newest first, kept in the per-user settings and
// written back at every change, so a crash loses nothing.
class RecentFileList {
public:
    explicit RecentFileList(std::unique_ptr<QSettings> settings, int capacity = 4);

    const QStringList& Files() const { return m_files; }
    void Add(const QString& path);
    void Remove(int index);

private:
    void Save();

    std::unique_ptr<QSettings> m_settings;
    int m_capacity;
    QStringList m_files;
};
