#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace FileIo {

// The whole file, or nullopt when it cannot be read.
std::optional<QByteArray> readAll(const QString& path);

// Replaces the file atomically; on failure the old file stays whole and
// `error` (when given) says why.
bool writeAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

bool isFile(const QString& path);

}  // namespace FileIo
