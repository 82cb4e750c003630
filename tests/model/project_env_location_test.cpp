// Where LapEnv.dat is looked for, by the environment and the executable's folder.
#include "model/env_location.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace {

// Sets or clears one variable for the scope, restoring it afterwards.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        Set(name, value);
    }
    ~ScopedEnv() { Set(name_, old_); }
    static void Set(const char* name, const std::optional<std::string>& value) {
        value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(ProjectEnvLocation, OverrideThenWritableExecutableFolderThenUserConfig) {
    const std::string writable = ::testing::TempDir();
    const std::string missing = "/nonexistent/segmark/bin";
    // clang-format off
    const struct { const char* what; std::optional<std::string> envDir, xdg; std::string exe, expected; } cases[] = {
        {"override wins", "/srv/env", "/xdg", writable, "/srv/env"},
        {"empty override is none", "", std::nullopt, writable, writable},
        {"beside the executable", std::nullopt, "/xdg", writable, writable},
        {"unwritable folder: XDG", std::nullopt, "/xdg", missing, "/xdg/Segmark"},
        // Root may write there, but a system folder is every user's.
        {"installed in /usr/bin", std::nullopt, "/xdg", "/usr/bin", "/xdg/Segmark"},
        {"installed in /usr/local/bin", std::nullopt, "/xdg", "/usr/local/bin", "/xdg/Segmark"},
        {"relative XDG is ignored", std::nullopt, "rel", missing, "/home/u/.config/Segmark"},
        {"no XDG: home", std::nullopt, std::nullopt, missing, "/home/u/.config/Segmark"},
        {"unknown executable folder", std::nullopt, std::nullopt, "", "/home/u/.config/Segmark"},
    };
    // clang-format on
    ScopedEnv home("HOME", "/home/u");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ScopedEnv env("SEGMARK_ENV_DIR", c.envDir);
        ScopedEnv xdg("XDG_CONFIG_HOME", c.xdg);
        EXPECT_EQ(LapEnvFolder(c.exe), c.expected);
    }
    ScopedEnv env("SEGMARK_ENV_DIR", "/srv/env/");
    EXPECT_EQ(LapEnvPath(writable), "/srv/env/LapEnv.dat");
    EXPECT_FALSE(ExecutableFolder().empty());
}

} // namespace
