#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace heatnet {

// No file the program reads is anywhere near this size; a larger one is some
// other file chosen by mistake and is not loaded into memory.
inline constexpr std::uintmax_t kMaxReadBytes = 64u << 20;

// The whole content of a regular file; nullopt when it is missing, not a
// regular file, unreadable or larger than kMaxReadBytes.
std::optional<std::string> ReadWholeFile(const std::string& path);

// True for a regular file larger than kMaxReadBytes, for the message.
bool IsTooLargeToRead(const std::string& path);

// Writes the bytes under a temporary name in the same folder, forces them to
// the disk and moves them over `path` only when complete, so a failed write
// (full disk, read-only folder, a folder of that name) never replaces a good
// file and leaves no temporary file behind.
bool WriteFileReplacing(const std::string& path, const std::string& bytes);

// Creates or truncates the file (the report's life starts empty).
bool CreateEmptyFile(const std::string& path);

bool FileExists(const std::string& path);

}  // namespace heatnet
