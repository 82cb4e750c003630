#include "model/file_io.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Describe(const std::string& action, const std::string& path, int err) {
    return "Cannot " + action + " \"" + path + "\": " + std::strerror(err);
}

// Closes a descriptor once; keeps early returns and throws leak-free.
class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int release() {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }

  private:
    int fd_;
};

std::string FolderOf(const std::string& path) {
    auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

} // namespace

bool FileExists(const std::string& Path) {
    struct stat st {};
    return ::stat(Path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string ReadWholeFile(const std::string& Path) {
    Fd fd(::open(Path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) throw EFileError(Path, Describe("open", Path, errno));
    struct stat st {};
    if (::fstat(fd.get(), &st) == 0 && S_ISDIR(st.st_mode))
        throw EFileError(Path, Describe("read", Path, EISDIR));
    std::string data;
    if (st.st_size > 0) data.reserve(static_cast<std::size_t>(st.st_size));
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(fd.get(), buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw EFileError(Path, Describe("read", Path, errno));
        }
        if (n == 0) break;
        data.append(buf, static_cast<std::size_t>(n));
    }
    return data;
}

void SaveFileAtomically(const std::string& Path, std::string_view Bytes) {
    // Write through a link to the file it names, as an in-place save would.
    std::string target = Path;
    struct stat lst {};
    if (::lstat(Path.c_str(), &lst) == 0 && S_ISLNK(lst.st_mode)) {
        if (char* real = ::realpath(Path.c_str(), nullptr)) {
            target = real;
            std::free(real);
        }
    }

    std::string tmpl = target + ".XXXXXX";
    Fd fd(::mkostemp(tmpl.data(), O_CLOEXEC));
    if (fd.get() < 0) throw EFileError(Path, Describe("write", Path, errno));
    const std::string tmp = tmpl;

    auto fail = [&](int err) {
        ::close(fd.release());
        ::unlink(tmp.c_str());
        throw EFileError(Path, Describe("write", Path, err));
    };

    // The new file takes the old one's permissions; a new one the usual
    // 0666 less the umask, rather than mkstemp's private 0600.
    struct stat st {};
    mode_t mode;
    if (::stat(target.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd.get(), mode) != 0) fail(errno);

    std::size_t done = 0;
    while (done < Bytes.size()) {
        ssize_t n = ::write(fd.get(), Bytes.data() + done, Bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(errno);
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd.get()) != 0) fail(errno);
    if (::close(fd.release()) != 0) {
        int err = errno;
        ::unlink(tmp.c_str());
        throw EFileError(Path, Describe("write", Path, err));
    }
    if (::rename(tmp.c_str(), target.c_str()) != 0) {
        int err = errno;
        ::unlink(tmp.c_str());
        throw EFileError(Path, Describe("write", Path, err));
    }
    // Make the rename itself durable; the data is already safe if this fails.
    Fd dir(::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
}
