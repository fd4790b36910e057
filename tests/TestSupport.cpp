#include "TestSupport.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <thread>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace corvel::test {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "corvel-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    // A test may have made the folder read-only; make it writable to remove it.
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteBytes(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

TDrawRec MakeDraw(int number, TCombination numbers, std::array<std::uint8_t, 2> extra, std::string_view date) {
    TDrawRec rec;
    rec.Number = number;
    rec.Numbers = numbers;
    rec.Extra = extra;
    rec.SetDateText(date);
    return rec;
}

std::vector<std::string> FolderEntries(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void CopySampleArchive(const std::filesystem::path& folder) {
    std::filesystem::copy_file(std::filesystem::path(CORVEL_SAMPLE_DIR) / "CorvelLotto_6x48.ldr",
                               folder / "CorvelLotto_6x48.ldr", std::filesystem::copy_options::overwrite_existing);
}

namespace {
std::string DrainFd(int fd) {
    std::string data;
    char buf[4096];
    ssize_t n;
    while ((n = ::read(fd, buf, sizeof buf)) > 0) data.append(buf, static_cast<std::size_t>(n));
    return data;
}
}  // namespace

ProcessResult RunCorvel(const std::vector<std::string>& args, long fileSizeLimit, bool asNobody) {
    TempDir io;
    const std::string outPath = (io / "out").string(), errPath = (io / "err").string();
    pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        ::dup2(out, 1);
        ::dup2(err, 2);
        if (fileSizeLimit > 0) {
            rlimit limit{static_cast<rlim_t>(fileSizeLimit), static_cast<rlim_t>(fileSizeLimit)};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        if (asNobody && ::geteuid() == 0) {
            // Drop root's supplementary groups too, or group rights of root's files would still apply.
            if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(126);
        }
        std::vector<char*> argv;
        std::string program = CORVEL_CLI_PATH;
        argv.push_back(program.data());
        std::vector<std::string> copy = args;
        for (auto& a : copy) argv.push_back(a.data());
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ProcessResult result;
    result.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    int fd = ::open(outPath.c_str(), O_RDONLY);
    result.Out = DrainFd(fd);
    ::close(fd);
    fd = ::open(errPath.c_str(), O_RDONLY);
    result.Err = DrainFd(fd);
    ::close(fd);
    return result;
}

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args,
                           const std::vector<std::string>& environment, long long memoryLimit) {
    const std::string outPath = (io_ / "out").string(), errPath = (io_ / "err").string();
    std::vector<std::string> argStore{program};
    argStore.insert(argStore.end(), args.begin(), args.end());
    std::vector<std::string> envStore;
    for (char** e = environ; *e; ++e) envStore.emplace_back(*e);
    envStore.insert(envStore.end(), environment.begin(), environment.end());
    std::vector<char*> argv, envp;
    for (auto& a : argStore) argv.push_back(a.data());
    argv.push_back(nullptr);
    for (auto& e : envStore) envp.push_back(e.data());
    envp.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        ::dup2(out, 1);
        ::dup2(err, 2);
        if (memoryLimit > 0) {
            rlimit limit{static_cast<rlim_t>(memoryLimit), static_cast<rlim_t>(memoryLimit)};
            ::setrlimit(RLIMIT_AS, &limit);
        }
        ::execve(program.c_str(), argv.data(), envp.data());
        ::_exit(127);
    }
    pid_ = pid;
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0 && exitCode_ < 0) {
        ::kill(pid_, SIGKILL);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }
}

int ChildProcess::Wait(std::chrono::milliseconds timeout) {
    if (exitCode_ >= 0) return exitCode_;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        int status = 0;
        const pid_t done = ::waitpid(pid_, &status, WNOHANG);
        if (done == pid_) {
            exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            return exitCode_;
        }
        if (std::chrono::steady_clock::now() >= deadline) return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

void ChildProcess::Signal(int signal) {
    if (pid_ > 0 && exitCode_ < 0) ::kill(pid_, signal);
}

std::string ChildProcess::Out() const { return ReadBytes(io_ / "out"); }
std::string ChildProcess::Err() const { return ReadBytes(io_ / "err"); }

}  // namespace corvel::test
