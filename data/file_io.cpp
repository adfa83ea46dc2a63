#include "data/file_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace heatnet {
namespace {

bool WriteAll(int descriptor, const std::string& bytes) {
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t result = ::write(descriptor, bytes.data() + written, bytes.size() - written);
        if (result < 0 && errno == EINTR) continue;
        if (result <= 0) return false;
        written += static_cast<size_t>(result);
    }
    return true;
}

// A full disk may show only at fsync or close (delayed allocation, network
// folders), so both count as part of the write.
bool WriteNewFile(const std::string& path, const std::string& bytes) {
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (descriptor < 0) return false;
    bool complete = WriteAll(descriptor, bytes);
    // Character devices (a temporary name pointing at /dev/full in the tests)
    // cannot be synchronised; what they refused has been seen by write already.
    if (complete && ::fsync(descriptor) != 0 && errno != EINVAL && errno != EROFS) complete = false;
    if (::close(descriptor) != 0) complete = false;
    return complete;
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > kMaxReadBytes) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad() || bytes.size() > kMaxReadBytes) return std::nullopt;
    return bytes;
}

bool IsTooLargeToRead(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return false;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    return !error && size > kMaxReadBytes;
}

bool WriteFileReplacing(const std::string& path, const std::string& bytes) {
    const std::string temporary = path + ".heatnet-tmp";
    std::error_code error;
    if (!WriteNewFile(temporary, bytes)) {
        // Only a file of ours goes; a folder that happens to carry the name stays.
        if (!std::filesystem::is_directory(std::filesystem::symlink_status(temporary, error)))
            std::filesystem::remove(temporary, error);
        return false;
    }
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

bool CreateEmptyFile(const std::string& path) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    return static_cast<bool>(out);
}

bool FileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

}  // namespace heatnet
