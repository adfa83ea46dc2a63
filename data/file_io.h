#pragma once

#include <optional>
#include <string>

namespace heatnet {

std::optional<std::string> ReadWholeFile(const std::string& path);

// Writes the bytes under a temporary name in the same folder and moves them over
// `path` only when complete, so a failed write never replaces a good file.
bool WriteFileReplacing(const std::string& path, const std::string& bytes);

// Creates or truncates the file (the report's life starts empty).
bool CreateEmptyFile(const std::string& path);

bool FileExists(const std::string& path);

}  // namespace heatnet
