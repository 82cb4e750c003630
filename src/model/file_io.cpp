#include "model/file_io.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Describe(const std::string& action, const std::string& path, int err) {
    return "Cannot " + action + " \"" + path + "\": " + std::strerror(err);
}

// Closes a descriptor once; keeps early returns and throws leak-free.
class Fd {
  public:
    explicit Fd(int fd = -1) : FFd(fd) {}
    ~Fd() { reset(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return FFd; }
    void reset(int fd = -1) {
        if (FFd >= 0) ::close(FFd);
        FFd = fd;
    }
    int release() {
        int fd = FFd;
        FFd = -1;
        return fd;
    }

  private:
    int FFd;
};

std::string FolderOf(const std::string& path) {
    auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

[[noreturn]] void Refuse(const std::string& path, const std::string& why) {
    throw EFileError(path, "Cannot write \"" + path + "\": " + why);
}

// The file a save replaces: Path itself, or the file its links lead to.
struct SaveTarget {
    std::string path;
    bool exists = false;
    struct stat st {};
};

SaveTarget CheckTarget(const std::string& Path) {
    SaveTarget t{Path};
    if (!Path.empty() && Path.back() == '/') Refuse(Path, "it is a folder");
    struct stat lst {};
    if (::lstat(Path.c_str(), &lst) != 0) {
        if (errno != ENOENT) throw EFileError(Path, Describe("write", Path, errno));
        return t;
    }
    t.st = lst;
    if (S_ISLNK(lst.st_mode)) {
        // Written through: the link stays and the file it names is replaced.
        char* real = ::realpath(Path.c_str(), nullptr);
        if (!real)
            Refuse(Path, errno == ELOOP ? "it is a loop of symbolic links"
                                        : "it is a symbolic link to a missing file");
        t.path = real;
        std::free(real);
        if (::stat(t.path.c_str(), &t.st) != 0)
            throw EFileError(Path, Describe("write", Path, errno));
    }
    if (S_ISDIR(t.st.st_mode)) Refuse(Path, "it is a folder");
    // A pipe or a device would be replaced by a plain file, not written.
    if (!S_ISREG(t.st.st_mode)) Refuse(Path, "it is not a regular file");
    // The write bits, not access(): a process running as root passes
    // access() for any file.
    if ((t.st.st_mode & 0222) == 0 || ::access(t.path.c_str(), W_OK) != 0)
        Refuse(Path, "it is read-only");
    t.exists = true;
    return t;
}

mode_t NewFileMode() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Gives the unnamed file fd a name beside Target; 0 or the error number.
int LinkUnnamed(int fd, const std::string& Target, std::string& Name) {
    const std::string proc = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        Name = Target + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        int rc = ::linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, Name.c_str(), AT_SYMLINK_FOLLOW);
        if (rc != 0 && errno == ENOENT) // no /proc: the privileged form
            rc = ::linkat(fd, "", AT_FDCWD, Name.c_str(), AT_EMPTY_PATH);
        if (rc == 0) return 0;
        if (errno != EEXIST) break;
    }
    const int err = errno;
    Name.clear();
    return err;
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
        throw EFileError(Path, "Cannot read \"" + Path + "\": it is a folder");
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

bool FolderExists(const std::string& Path) {
    struct stat st {};
    return ::stat(Path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool SameFile(const std::string& A, const std::string& B) {
    struct stat a {};
    struct stat b {};
    return ::stat(A.c_str(), &a) == 0 && ::stat(B.c_str(), &b) == 0 && a.st_dev == b.st_dev &&
           a.st_ino == b.st_ino;
}

void SaveFileAtomically(const std::string& Path, std::string_view Bytes) {
    file_io_detail::SaveFileAtomically(Path, Bytes, {});
}

void file_io_detail::SaveFileAtomically(const std::string& Path, std::string_view Bytes,
                                        const SaveOptions& Options) {
    const SaveTarget target = CheckTarget(Path);
    const std::string folder = FolderOf(target.path);

    Fd fd;
    std::string named; // the temporary's name, once it has one
    if (Options.UnnamedTemporary)
        fd.reset(::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
    const bool unnamed = fd.get() >= 0;
    if (!unnamed) { // a filesystem without unnamed files
        std::string tmpl = target.path + ".XXXXXX";
        fd.reset(::mkostemp(tmpl.data(), O_CLOEXEC));
        if (fd.get() < 0) throw EFileError(Path, Describe("write", Path, errno));
        named = tmpl;
    }

    auto fail = [&](int err) {
        fd.reset();
        if (!named.empty()) ::unlink(named.c_str());
        throw EFileError(Path, Describe("write", Path, err));
    };

    // The new file takes the old one's permissions and, where allowed, its
    // owner; a new one the usual 0666 less the umask.
    if (::fchmod(fd.get(), target.exists ? target.st.st_mode & 07777 : NewFileMode()) != 0)
        fail(errno);
    if (target.exists && (target.st.st_uid != ::geteuid() || target.st.st_gid != ::getegid()))
        if (::fchown(fd.get(), target.st.st_uid, target.st.st_gid) == 0)
            ::fchmod(fd.get(), target.st.st_mode & 07777); // chown clears set-id bits

    auto step = [&](SaveStep s) {
        if (!Options.Fault) return;
        if (int err = Options.Fault(s); err != 0) fail(err);
    };
    // The bytes go in two halves, so that a fault can strike halfway.
    const std::size_t half = Bytes.size() / 2;
    for (std::size_t done = 0; done < Bytes.size();) {
        if (done == half) step(SaveStep::Write);
        const std::size_t end = done < half ? half : Bytes.size();
        ssize_t n = ::write(fd.get(), Bytes.data() + done, end - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(errno);
        }
        done += static_cast<std::size_t>(n);
    }
    if (Bytes.empty()) step(SaveStep::Write);
    step(SaveStep::Sync);
    if (::fsync(fd.get()) != 0) fail(errno);
    if (unnamed) {
        if (int err = LinkUnnamed(fd.get(), target.path, named); err != 0) fail(err);
    }
    if (::close(fd.release()) != 0) fail(errno);
    step(SaveStep::Rename);
    if (::rename(named.c_str(), target.path.c_str()) != 0) fail(errno);
    // Make the rename itself durable; the data is already safe if this fails.
    Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
}
