#include "model/recovery_store.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char* RecordMagic = "segmark-recovery 1";
constexpr std::size_t DiscardedKept = 5;

std::string Reason(int Err) {
    return std::strerror(Err);
}

// Every missing folder on the way, the last one private.
void MakeFolders(const std::string& Path) {
    for (std::size_t i = 1; i <= Path.size(); ++i) {
        if (i != Path.size() && Path[i] != '/') continue;
        const std::string part = Path.substr(0, i);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            throw EFileError(Path, "Cannot create the folder \"" + part + "\": " + Reason(errno));
    }
    if (!FolderExists(Path)) throw EFileError(Path, "\"" + Path + "\" is not a folder");
}

} // namespace

TFileIdentity IdentityOf(const std::string& Path) {
    struct stat st {};
    if (Path.empty() || ::stat(Path.c_str(), &st) != 0) return {};
    TFileIdentity id;
    id.Size = st.st_size;
    id.MTimeNs = std::int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    id.Inode = st.st_ino;
    return id;
}

std::string RecordText(const TRecoveryRecord& R) {
    std::ostringstream s;
    s << RecordMagic << '\n'
      << R.Time << ' ' << R.Identity.Size << ' ' << R.Identity.MTimeNs << ' ' << R.Identity.Inode
      << '\n'
      << R.Source << '\n';
    return s.str();
}

TRecoveryRecord ParseRecord(std::string_view Bytes, const std::string& FileName) {
    std::istringstream s{std::string(Bytes)};
    std::string magic, numbers, source;
    TRecoveryRecord r;
    if (!std::getline(s, magic) || magic != RecordMagic || !std::getline(s, numbers) ||
        !std::getline(s, source) || s.peek() != EOF)
        throw EFileFormatError(FileName, "\"" + FileName + "\" is not a recovery record");
    std::istringstream n(numbers);
    if (!(n >> r.Time >> r.Identity.Size >> r.Identity.MTimeNs >> r.Identity.Inode) ||
        !(n >> std::ws).eof())
        throw EFileFormatError(FileName, "\"" + FileName + "\" is not a recovery record");
    r.Source = source;
    return r;
}

std::string RecoveryFolder() {
    if (const char* d = std::getenv("SEGMARK_STATE_DIR"); d && *d) return d;
    if (const char* x = std::getenv("XDG_STATE_HOME"); x && *x == '/')
        return std::string(x) + "/segmark/recovery";
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.local/state/segmark/recovery";
}

bool TRecoveryStore::HasSnapshot() const {
    return FileExists(SnapshotPath());
}

void TRecoveryStore::Write(std::string_view ProjectBytes, const TRecoveryRecord& Record) {
    MakeFolders(FFolder);
    // The record first: a write cut short then leaves a record without a
    // snapshot (nothing to recover), never a snapshot naming the wrong file.
    file_io_detail::SaveFileAtomically(RecordPath(), RecordText(Record), Options);
    file_io_detail::SaveFileAtomically(SnapshotPath(), ProjectBytes, Options);
}

TRecoveryRecord TRecoveryStore::ReadRecord() const {
    return ParseRecord(ReadWholeFile(RecordPath()), RecordPath());
}

void TRecoveryStore::Remove() {
    ::unlink(SnapshotPath().c_str());
    ::unlink(RecordPath().c_str());
}

std::string TRecoveryStore::Discard() {
    const std::string dir = DiscardFolder();
    MakeFolders(dir);
    // Named by the moment of discarding, fixed width, so names sort oldest
    // first; a taken name moves on by a nanosecond rather than reusing one.
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    std::tm tm{};
    ::localtime_r(&now.tv_sec, &tm);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &tm);
    std::string base;
    for (long long ns = now.tv_nsec;; ++ns) {
        char tail[16];
        std::snprintf(tail, sizeof tail, "-%010lld", ns);
        base = dir + "/" + stamp + tail;
        if (!FileExists(base + ".sgp") && !FileExists(base + ".rec")) break;
    }
    if (FileExists(SnapshotPath()) &&
        ::rename(SnapshotPath().c_str(), (base + ".sgp").c_str()) != 0)
        throw EFileError(SnapshotPath(),
                         "Cannot move \"" + SnapshotPath() + "\": " + Reason(errno));
    if (FileExists(RecordPath())) ::rename(RecordPath().c_str(), (base + ".rec").c_str());

    std::vector<std::string> names;
    if (DIR* d = ::opendir(dir.c_str())) {
        while (dirent* e = ::readdir(d)) {
            const std::string name = e->d_name;
            if (name.size() > 4 && name.ends_with(".sgp"))
                names.push_back(name.substr(0, name.size() - 4));
        }
        ::closedir(d);
    }
    std::sort(names.begin(), names.end());
    for (std::size_t i = 0; i + DiscardedKept < names.size(); ++i) {
        ::unlink((dir + "/" + names[i] + ".sgp").c_str());
        ::unlink((dir + "/" + names[i] + ".rec").c_str());
    }
    return base + ".sgp";
}
