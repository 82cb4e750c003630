// Any command line (arguments separated by zero bytes) in a scratch folder
// that holds a text and a project: the subcommand runs or fails with a
// status, never a crash. Paths with a "/" are left out, so that nothing
// outside the folder is read or written.
#include "app/cli.h"
#include "model/file_io.h"

#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

void EnterScratchFolder() {
    static bool done = false;
    if (done) return;
    done = true;
    char tmpl[] = "/tmp/segmark_fuzz_cli.XXXXXX";
    if (!::mkdtemp(tmpl) || ::chdir(tmpl) != 0) std::abort();
    ::setenv("SEGMARK_ENV_DIR", tmpl, 1);
    SaveFileAtomically("a.txt", "Stage1\t1:23\t1:20\r\nStage2\t2:50\t2:40\r\n");
    const char* args[] = {"segmark", "import-text", "a.txt", "-o", "p.sgp"};
    if (RunCli(5, const_cast<char**>(args)) != 0) std::abort();
    // The commands' messages and exports are not wanted in the fuzzer's log.
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 1);
    ::dup2(null, 2);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    EnterScratchFolder();
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
    const int status = RunCli(static_cast<int>(args.size()), argv.data());
    if (status < -1 || status > 2) std::abort();
    // The inputs stay what they were unless the command named them as output.
    if (!FileExists("a.txt")) std::abort();
    return 0;
}
