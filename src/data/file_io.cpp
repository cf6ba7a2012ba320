// Bounded whole-file reads and atomic replacement of the data files.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fstream>

#include "data/byte_io.h"
#include "data/data.h"

namespace heliomark {

namespace detail {

std::vector<unsigned char> ReadFilePrefix(const std::filesystem::path& file, std::size_t maxBytes,
                                          bool& truncated) {
    std::error_code ec;
    const auto status = std::filesystem::status(file, ec);
    if (!std::filesystem::exists(status)) throw DataFileError(file, "the file is missing");
    if (std::filesystem::is_directory(status)) throw DataFileError(file, "the name belongs to a folder");
    std::ifstream in(file, std::ios::binary);
    if (!in) throw DataFileError(file, "the file cannot be opened");
    // The size the file system reports only sets the reservation (never above the cap); the bytes
    // that actually arrive decide the length.
    std::vector<unsigned char> bytes;
    const auto reported = std::filesystem::file_size(file, ec);
    if (!ec) bytes.reserve(static_cast<std::size_t>(std::min<std::uintmax_t>(reported, maxBytes)));
    constexpr std::size_t Chunk = 64 * 1024;
    while (bytes.size() < maxBytes) {
        const std::size_t old = bytes.size();
        const std::size_t want = std::min(Chunk, maxBytes - old);
        bytes.resize(old + want);
        in.read(reinterpret_cast<char*>(bytes.data() + old), static_cast<std::streamsize>(want));
        const auto got = static_cast<std::size_t>(in.gcount());
        bytes.resize(old + got);
        if (got < want) {
            if (in.bad()) throw DataFileError(file, "the file cannot be read");
            truncated = false;
            return bytes;
        }
    }
    truncated = in.peek() != std::char_traits<char>::eof();
    return bytes;
}

std::string RecordLabel(const char* kind, std::size_t number, const std::string& name) {
    return std::string(kind) + " " + std::to_string(number) + " (\"" + name + "\")";
}

}  // namespace detail

std::vector<unsigned char> ReadWholeFile(const std::filesystem::path& file, std::size_t maxBytes) {
    bool truncated = false;
    auto bytes = detail::ReadFilePrefix(file, maxBytes, truncated);
    if (truncated) {
        throw DataFileError(
            file, "the file is larger than the " + std::to_string(maxBytes) + " bytes this reader accepts");
    }
    return bytes;
}

namespace {

std::string SystemError(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

// Closes and removes the temporary file unless it was handed over by rename.
class TemporaryFile {
  public:
    explicit TemporaryFile(const std::filesystem::path& target) {
        static std::atomic<unsigned> counter{0};
        for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
            // A dot-name beside the target, so that rename stays within one file system.
            std::string name = ".";
            name += target.filename().string();
            name += ".tmp";
            name += std::to_string(::getpid());
            name += '-';
            name += std::to_string(counter++);
            path_ = target.parent_path() / name;
            fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ < 0 && errno != EEXIST) break;
        }
        if (fd_ < 0) throw DataFileError(target, SystemError("the temporary file cannot be created"));
    }
    ~TemporaryFile() {
        if (fd_ >= 0) ::close(fd_);
        if (!renamed_) ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int Descriptor() const { return fd_; }
    const std::filesystem::path& Path() const { return path_; }
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }
    void Renamed() { renamed_ = true; }

  private:
    std::filesystem::path path_;
    int fd_ = -1;
    bool renamed_ = false;
};

}  // namespace

void WriteFileAtomically(const std::filesystem::path& file, const void* data, std::size_t size) {
    std::error_code ec;
    if (std::filesystem::is_directory(file, ec)) throw DataFileError(file, "the name belongs to a folder");
    TemporaryFile temp(file);
    const auto* p = static_cast<const unsigned char*>(data);
    std::size_t written = 0;
    while (written < size) {
        const ssize_t n = ::write(temp.Descriptor(), p + written, size - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw DataFileError(file, SystemError("the file cannot be written"));
        }
        written += static_cast<std::size_t>(n);
    }
    // The data must be on the disk before the name points at it, or a crash could leave an empty file.
    if (::fsync(temp.Descriptor()) != 0) throw DataFileError(file, SystemError("the file cannot be flushed"));
    if (!temp.Close()) throw DataFileError(file, SystemError("the file cannot be closed"));
    if (::rename(temp.Path().c_str(), file.c_str()) != 0) {
        throw DataFileError(file, SystemError("the file cannot be replaced"));
    }
    temp.Renamed();
    // Make the rename itself durable; a failure here no longer endangers the old or the new data.
    const auto folder = file.parent_path().empty() ? std::filesystem::path(".") : file.parent_path();
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

}  // namespace heliomark
