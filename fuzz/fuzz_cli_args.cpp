// Any command line (arguments separated by zero bytes) in a scratch folder
// that holds a text and a project: the subcommand runs or fails with a
// status, never a crash. Paths with a "/" are left out, so that nothing
// outside the folder is read or written. Run it with -close_fd_mask=3 to keep
// the commands' messages and exports out of the log.
#include "app/cli.h"
#include "model/file_io.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// The scratch folder, made with its files on first use. The fuzzer's own
// folder stays the working folder between runs: it reads its inputs from it.
const std::string& ScratchFolder() {
    static const std::string folder = [] {
        static char tmpl[] = "/tmp/segmark_fuzz_cli.XXXXXX";
        if (!::mkdtemp(tmpl)) std::abort();
        std::atexit([] { std::filesystem::remove_all(tmpl); });
        ::setenv("SEGMARK_ENV_DIR", tmpl, 1);
        const std::string f = tmpl;
        SaveFileAtomically(f + "/a.txt", "Stage1\t1:23\t1:20\r\nStage2\t2:50\t2:40\r\n");
        const std::string out = f + "/p.sgp", in = f + "/a.txt";
        const char* args[] = {"segmark", "import-text", in.c_str(), "-o", out.c_str()};
        if (RunCli(5, const_cast<char**>(args)) != 0) std::abort();
        return f;
    }();
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& folder = ScratchFolder();
    const std::string all(reinterpret_cast<const char*>(data), size);
    if (all.find('/') != std::string::npos) return 0;
    std::vector<std::string> args{"segmark"};
    for (std::size_t start = 0; start <= all.size() && args.size() < 12;) {
        const std::size_t end = std::min(all.find('\0', start), all.size());
        args.push_back(all.substr(start, end - start));
        start = end + 1;
    }
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    char here[4096];
    if (!::getcwd(here, sizeof here) || ::chdir(folder.c_str()) != 0) std::abort();
    const int status = RunCli(static_cast<int>(args.size()), argv.data());
    if (status < -1 || status > 2) std::abort();
    // The inputs stay what they were unless the command named them as output.
    if (!FileExists("a.txt") || ::chdir(here) != 0) std::abort();
    return 0;
}
