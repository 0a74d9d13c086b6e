#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

/// A throwaway working folder with the help files a test needs.
class HelpTestFolder
{
public:
    QString path() const { return m_dir.path(); }

    bool write(const QString &relative, const QByteArray &bytes) const
    {
        const QString full = m_dir.filePath(relative);
        QDir().mkpath(QFileInfo(full).path());
        QFile file(full);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
    }

private:
    QTemporaryDir m_dir;
};
