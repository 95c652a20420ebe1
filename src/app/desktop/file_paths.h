// A path between the window's texts and the core's std::filesystem::path,
// by the bytes the file system spells the name with, both ways.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <filesystem>

namespace qudrim::app {

inline std::filesystem::path toPath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// As the user knows the name.
inline QString toQString(const std::filesystem::path& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

}  // namespace qudrim::app
