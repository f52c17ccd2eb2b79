#include "app/document_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstdint>
#include <vector>

#include "app/document_codec.h"

namespace doxa {

namespace {

// Configuration files are a few hundred bytes; anything this large is not one, and is not
// worth reading into memory to find out.
constexpr off_t LargestDocument = 1 << 20;

std::string pastEndText(const std::string& path) {
    return "An attempt was made to access " + path + " past its end.";
}

// Closes the descriptor however the function using it returns.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    // Closes now; false when the last writes did not reach the file.
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

void readAll(int fd, std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t count = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) break;
        done += std::size_t(count);
    }
    bytes.resize(done);
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

// The mode a new file gets from the user's umask.
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

std::string loadDocumentFile(const std::string& path, DeviceRecord& device,
                             Characteristic& characteristic) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat status {};
    if (file.get() < 0 || ::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode))
        return OpenFailedText;
    if (status.st_size > LargestDocument) return UnexpectedFormatText;
    std::vector<std::uint8_t> bytes(std::size_t(status.st_size));
    readAll(file.get(), bytes);
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
    return UnexpectedFormatText;
}

bool saveDocumentFile(const std::string& chosenPath, const DeviceRecord& device,
                      const Characteristic& characteristic) {
    // A link keeps pointing at the saved file: the file it names is the one replaced.
    std::string path = chosenPath;
    if (char* real = ::realpath(chosenPath.c_str(), nullptr)) {
        path = real;
        std::free(real);
    }
    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    // Saving onto a folder or a device is refused before anything is written.
    if (exists && !S_ISREG(old.st_mode)) return false;
    const mode_t mode = exists ? old.st_mode & 07777 : newFileMode();

    std::string temporary = folderOf(path) + "/.doxa-save-XXXXXX";
    FileDescriptor file(::mkstemp(temporary.data()));
    if (file.get() < 0) return false;
    const bool written = writeAll(file.get(), writeDocument(device, characteristic)) &&
                         ::fchmod(file.get(), mode) == 0 && ::fsync(file.get()) == 0 &&
                         file.close();
    if (!written || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    // The new name must reach the disk too, or a crash could bring the old file back.
    FileDescriptor folder(::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) ::fsync(folder.get());
    return true;
}

}  // namespace doxa
