// Start-up cost: time from starting the process to its window's first
// painted frame, and resident memory then, for the bare Qt floor, Segmark
// with a new project, and Segmark opening a 100,000-row project. Each is
// started several times; the median is shown.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

long long Now() {
    timespec t{};
    ::clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

struct Sample {
    double Ms = -1;
    long Kib = 0;
};

// Runs Args once; reads the probe's "painted NS KIB" line.
Sample RunOnce(const std::vector<std::string>& Args) {
    int out[2];
    if (::pipe(out) != 0) return {};
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_adddup2(&fa, out[1], 1);
    posix_spawn_file_actions_addclose(&fa, out[0]);
    std::vector<char*> argv;
    for (const std::string& a : Args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    const long long start = Now();
    if (posix_spawn(&pid, argv[0], &fa, nullptr, argv.data(), environ) != 0) return {};
    ::close(out[1]);
    std::string line;
    char buf[256];
    for (ssize_t n; (n = ::read(out[0], buf, sizeof buf)) > 0;)
        line.append(buf, static_cast<std::size_t>(n));
    ::close(out[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    posix_spawn_file_actions_destroy(&fa);
    long long painted = 0;
    Sample s;
    if (std::sscanf(line.c_str(), "painted %lld %ld", &painted, &s.Kib) == 2)
        s.Ms = static_cast<double>(painted - start) / 1e6;
    return s;
}

Sample Median(const std::vector<std::string>& Args, int Runs) {
    std::vector<Sample> all;
    for (int i = 0; i < Runs; ++i)
        all.push_back(RunOnce(Args));
    std::sort(all.begin(), all.end(), [](const Sample& a, const Sample& b) { return a.Ms < b.Ms; });
    return all[all.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    char dir[] = "/tmp/segmark-startup-XXXXXX";
    if (!::mkdtemp(dir)) return 1;
    const std::string work = dir;
    ::setenv("SEGMARK_STARTUP_PROBE", "1", 1);
    ::setenv("SEGMARK_ENV_DIR", work.c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", work.c_str(), 1);
    ::setenv("SEGMARK_STATE_DIR", (work + "/state").c_str(), 1);
    if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);

    // A 100,000-row project, made by the program's own import.
    const std::string text = work + "/big.txt", project = work + "/big.sgp";
    if (std::FILE* f = std::fopen(text.c_str(), "w")) {
        for (int r = 0; r < 100000; ++r)
            std::fprintf(f, "S%d\t%d:%02d\t%d:%02d\r\n", r, r / 60 % 600, r % 60, r / 60 % 600,
                         (r + 1) % 60);
        std::fclose(f);
    }
    const std::string import = std::string(SEGMARK_EXE) + " import-text " + text + " -o " + project;
    if (std::system(import.c_str()) != 0) return 1;

    const Sample floor = Median({STARTUP_FLOOR_EXE}, runs);
    const Sample empty = Median({SEGMARK_EXE}, runs);
    const Sample big = Median({SEGMARK_EXE, project}, runs);
    std::printf("%-34s %10s %12s\n", "start to first paint (median)", "ms", "RSS MiB");
    std::printf("%-34s %10.1f %12.1f\n", "bare Qt window, 20x5 table", floor.Ms,
                floor.Kib / 1024.0);
    std::printf("%-34s %10.1f %12.1f\n", "Segmark, new project", empty.Ms, empty.Kib / 1024.0);
    std::printf("%-34s %10.1f %12.1f\n", "Segmark, 100,000-row project", big.Ms, big.Kib / 1024.0);
    std::printf("Segmark / floor: %.2fx; the large project adds %.0f ms\n", empty.Ms / floor.Ms,
                big.Ms - empty.Ms);
    std::system(("rm -rf " + work).c_str());
    return 0;
}
