#include "LoadMemory.h"

#include "BenchLoads.h"
#include "BenchTree.h"

#include "settings/SettingNode.h"

#include <pugixml.hpp>

#include <QByteArray>
#include <QFile>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr char kMeasureArgument[] = "--measure-load-memory";

// A field of /proc/self/status in KiB, or -1.
long StatusKiB(const char *field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const size_t length = std::strlen(field);
    while (std::getline(status, line)) {
        if (line.compare(0, length, field) == 0 && line.size() > length && line[length] == ':')
            return std::stol(line.substr(length + 1));
    }
    return -1;
}

// Lets VmHWM start again from the current resident size (Linux 4.0 and later).
bool ResetPeak()
{
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return static_cast<bool>(clear);
}

} // namespace

LoadMemory MeasureLoadMemory(LoadKind kind, const QString &path)
{
    LoadMemory result;
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return result;
    const QByteArray pathBytes = QFile::encodeName(path);
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(pipeFds[1], STDOUT_FILENO);
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        const char *kindText = kind == LoadKind::Ours ? "ours" : "pugixml";
        ::execl("/proc/self/exe", "provana_bench", kMeasureArgument, kindText,
                pathBytes.constData(), static_cast<char *>(nullptr));
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    char buffer[256] = {};
    size_t used = 0;
    while (used + 1 < sizeof buffer) {
        const ssize_t got = ::read(pipeFds[0], buffer + used, sizeof buffer - 1 - used);
        if (got <= 0)
            break;
        used += static_cast<size_t>(got);
    }
    ::close(pipeFds[0]);
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return result;
    long peak = 0;
    long retained = 0;
    double coldMs = 0;
    if (std::sscanf(buffer, "%ld %ld %lf", &peak, &retained, &coldMs) == 3) {
        result.peakMiB = peak / 1024.0;
        result.retainedMiB = retained / 1024.0;
        result.coldMs = coldMs;
        result.ok = true;
    }
    return result;
}

bool MeasureLoadMemoryInChild(int argc, char **argv)
{
    if (argc != 4 || std::strcmp(argv[1], kMeasureArgument) != 0)
        return false;
    const bool ours = std::strcmp(argv[2], "ours") == 0;
    const QString path = QFile::decodeName(argv[3]);
    CBenchTree tree;
    const long start = StatusKiB("VmRSS");
    const bool resetPeak = ResetPeak();
    std::unique_ptr<CSettingNode> root;
    pugi::xml_document document;
    const auto started = std::chrono::steady_clock::now();
    const bool loaded = ours ? (root = LoadOurs(path)) != nullptr : LoadPugixml(document, path) > 0;
    const std::chrono::duration<double, std::milli> took =
        std::chrono::steady_clock::now() - started;
    const long peak = StatusKiB("VmHWM");
    const long after = StatusKiB("VmRSS");
    if (!loaded || !resetPeak || start < 0 || peak < 0 || after < 0)
        std::exit(1);
    std::printf("%ld %ld %.3f\n", peak - start, after - start, took.count());
    std::fflush(stdout);
    std::_Exit(0);
}
