#include "model/env_location.h"

#include "model/lap_env.h"

#include <cstdlib>
#include <string_view>
#include <unistd.h>

namespace {

std::string Env(const char* Name) {
    const char* v = std::getenv(Name);
    return v ? std::string(v) : std::string();
}

// Folders the system's packages own are shared by every user, so they are
// never a copy's own folder, even for root, who may write there.
bool IsSystemFolder(std::string_view F) {
    return F == "/bin" || F == "/sbin" || F == "/usr" || F.starts_with("/usr/");
}

} // namespace

std::string ExecutableFolder() {
    std::string buf(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= buf.size()) return {};
    buf.resize(static_cast<std::size_t>(n));
    const std::size_t slash = buf.rfind('/');
    return slash == std::string::npos ? std::string() : buf.substr(0, slash == 0 ? 1 : slash);
}

std::string LapEnvFolder(const std::string& ExeFolder) {
    if (std::string dir = Env("SEGMARK_ENV_DIR"); !dir.empty()) return dir;
    if (!ExeFolder.empty() && !IsSystemFolder(ExeFolder) &&
        ::access(ExeFolder.c_str(), W_OK | X_OK) == 0)
        return ExeFolder;
    if (std::string xdg = Env("XDG_CONFIG_HOME"); !xdg.empty() && xdg.front() == '/')
        return xdg + "/Segmark";
    return Env("HOME") + "/.config/Segmark";
}

std::string LapEnvPath(const std::string& ExeFolder) {
    std::string dir = LapEnvFolder(ExeFolder);
    if (!dir.empty() && dir.back() != '/') dir += '/';
    return dir + LapEnvFileName;
}
