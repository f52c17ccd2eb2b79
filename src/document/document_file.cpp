#include "document/document_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <random>
#include <string_view>
#include <system_error>
#include <vector>

#include "link/screen_text.h"
#include "document/document_codec.h"

namespace doxa {

namespace {

// Configuration files are a few hundred bytes; anything this large is not one, and is not
// worth reading into memory to find out.
constexpr off_t LargestDocument = 1 << 20;
// A new file gets what the user's umask leaves of this, as every program's new files do.
constexpr mode_t NewFileMode = 0666;
// Links that lead to links this many times over are a loop.
constexpr int MostLinksFollowed = 40;
constexpr int NameAttempts = 100;

// A save writes its file under a hidden name of this form first.
constexpr std::string_view TemporaryPrefix = ".doxa-save-";
constexpr std::size_t TemporaryLetters = 6;
// A temporary nobody has written to for this long belongs to a save that never finished.
constexpr std::time_t StaleAfterSeconds = 10;

std::string pastEndText(const std::string& path) {
    return formatText(KEPT_TEXT("An attempt was made to access %1 past its end."), {path});
}

// The documented text first, then the file and why on a line of their own.
std::string fileError(std::string_view text, const std::string& path, const std::string& reason) {
    return std::string(text) + "\n" + path + ": " + reason;
}

std::string openFailure(const std::string& path, int error) {
    return fileError(OpenFailedText, path, std::strerror(error));
}

// A configuration file of this program ends with its last field; anything longer is another
// kind of file.
std::string tooLongText(const std::string& path, off_t size) {
    // The line is one pattern, so that it is found whole when it is translated.
    return std::string(UnexpectedFormatText) + "\n" +
           formatText(UI_TEXT("%1: %2 bajtów, więcej niż ma plik konfiguracji przetwornika"),
                      {path, std::to_string(size)});
}

// Closes the descriptor however the function using it returns.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { reset(); }
    int get() const { return fd_; }
    void reset(int fd = -1) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }

private:
    int fd_;
};

// False with errno set when the system failed the read; a file that shrank meanwhile is read
// short, and the decoder says so.
bool readAll(int fd, std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t count = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) return false;
        if (count == 0) break;
        done += std::size_t(count);
    }
    bytes.resize(done);
    return true;
}


bool writeAll(int fd, const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t count = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) return false;
        done += std::size_t(count);
    }
    return true;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a save writes: a symbolic link is followed to the file it names, also when that file
// does not exist yet. Empty for links that lead round in a loop or cannot be read.
std::string savedFile(std::string path) {
    for (int followed = 0; followed < MostLinksFollowed; ++followed) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
        std::string target(PATH_MAX, '\0');
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length <= 0 || std::size_t(length) >= target.size()) return {};
        target.resize(std::size_t(length));
        path = target.front() == '/' ? target : folderOf(path) + '/' + target;
    }
    return {};
}

std::string temporaryName() {
    static constexpr std::string_view Letters =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, Letters.size() - 1);
    std::string name(TemporaryPrefix);
    for (std::size_t i = 0; i < TemporaryLetters; ++i) name += Letters[pick(random)];
    return name;
}

bool isTemporaryName(std::string_view name) {
    return name.size() == TemporaryPrefix.size() + TemporaryLetters &&
           name.starts_with(TemporaryPrefix) &&
           std::all_of(name.begin() + TemporaryPrefix.size(), name.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

// A temporary is locked while its save runs; one that nobody holds and nobody has written to
// for a while was left by a save that was killed.
bool isStale(const std::string& path) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    struct stat status {};
    if (file.get() < 0 || ::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode))
        return false;
    return std::time(nullptr) - status.st_mtime >= StaleAfterSeconds &&
           ::flock(file.get(), LOCK_EX | LOCK_NB) == 0;
}

// Each save cleans up after the saves into the same folder that never finished.
void removeStaleTemporaries(const std::string& folder) {
    namespace fs = std::filesystem;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        const std::string path = entry.path().string();
        if (isTemporaryName(entry.path().filename().string()) && isStale(path))
            ::unlink(path.c_str());
    }
}

// The whole content, on the disk, locked against the clean-up of other saves; `keptMode` is the
// mode of the file it replaces (none for a new file).
bool fill(int fd, const std::vector<std::uint8_t>& bytes, const mode_t* keptMode) {
    return ::flock(fd, LOCK_EX) == 0 && writeAll(fd, bytes) &&
           (!keptMode || ::fchmod(fd, *keptMode) == 0) && ::fsync(fd) == 0;
}

// The content goes into a file without a name, so a save killed while writing leaves nothing
// behind; only the complete file gets a temporary name, from which it is renamed at once.
// Empty when the file system cannot do that.
std::string unnamedTemporary(FileDescriptor& file, const std::string& folder,
                             const std::vector<std::uint8_t>& bytes, const mode_t* keptMode) {
    file.reset(::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, NewFileMode));
    if (file.get() < 0 || !fill(file.get(), bytes, keptMode)) return {};
    const std::string self = "/proc/self/fd/" + std::to_string(file.get());
    for (int attempt = 0; attempt < NameAttempts; ++attempt) {
        const std::string named = folder + '/' + temporaryName();
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, named.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return named;
        if (errno != EEXIST) break;
    }
    return {};
}

// The same with a hidden name from the start; a save killed now leaves it for the next save
// into the folder to remove.
std::string namedTemporary(FileDescriptor& file, const std::string& folder,
                           const std::vector<std::uint8_t>& bytes, const mode_t* keptMode) {
    std::string named;
    file.reset();
    for (int attempt = 0; attempt < NameAttempts && file.get() < 0; ++attempt) {
        named = folder + '/' + temporaryName();
        file.reset(::open(named.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, NewFileMode));
        if (file.get() < 0 && errno != EEXIST) return {};
    }
    if (file.get() < 0) return {};
    if (fill(file.get(), bytes, keptMode)) return named;
    ::unlink(named.c_str());
    return {};
}

}  // namespace

std::string notAFileText(const std::string& path) {
    return formatText(UI_TEXT("Nie można odczytać %1: to nie jest zwykły plik."), {path});
}

std::string readDocumentBytes(const std::string& path, std::vector<std::uint8_t>& bytes) {
    // A pipe or a device is refused before it is opened; the descriptor is checked again in
    // case the name was swapped meanwhile, and opening without waiting keeps a pipe from
    // holding the program until someone writes into it.
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) return notAFileText(path);
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0 || ::fstat(file.get(), &status) != 0) return openFailure(path, errno);
    if (!S_ISREG(status.st_mode)) return notAFileText(path);
    if (status.st_size > LargestDocument) return tooLongText(path, status.st_size);
    bytes.resize(std::size_t(status.st_size));
    if (!readAll(file.get(), bytes)) return openFailure(path, errno);
    return {};
}

std::string loadDocumentFile(const std::string& path, DeviceRecord& device,
                             Characteristic& characteristic) {
    std::vector<std::uint8_t> bytes;
    if (std::string error = readDocumentBytes(path, bytes); !error.empty()) return error;
    std::string refusal;
    switch (readDocument(bytes, device, characteristic, &refusal)) {
        case DocumentStatus::Read:
            return {};
        case DocumentStatus::PastEnd:
            return pastEndText(path);
        case DocumentStatus::RefusedValue:
            return refusal;
        case DocumentStatus::UnexpectedFormat:
            break;
    }
    return tooLongText(path, static_cast<off_t>(bytes.size()));
}

bool replaceFile(const std::string& chosenPath, const std::vector<std::uint8_t>& bytes) {
    const std::string path = savedFile(chosenPath);
    if (path.empty()) return false;
    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    // Saving onto a folder or a device is refused before anything is written.
    if (exists && !S_ISREG(old.st_mode)) return false;
    const mode_t oldMode = old.st_mode & 07777;
    const mode_t* keptMode = exists ? &oldMode : nullptr;

    const std::string folder = folderOf(path);
    removeStaleTemporaries(folder);
    FileDescriptor file;
    std::string temporary = unnamedTemporary(file, folder, bytes, keptMode);
    if (temporary.empty()) temporary = namedTemporary(file, folder, bytes, keptMode);
    if (temporary.empty()) return false;
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    file.reset();
    // The new name must reach the disk too, or a crash could bring the old file back.
    FileDescriptor folderHandle(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folderHandle.get() >= 0) ::fsync(folderHandle.get());
    return true;
}

bool saveDocumentFile(const std::string& path, const DeviceRecord& device,
                      const Characteristic& characteristic) {
    return replaceFile(path, writeDocument(device, characteristic));
}

}  // namespace doxa
