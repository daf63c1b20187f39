#include "tests/tools/SimProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace irven::sim::test {

namespace {

int PollFor(int fd, short events, std::chrono::milliseconds timeout) {
    pollfd entry{fd, events, 0};
    const int ready = ::poll(&entry, 1, static_cast<int>(timeout.count()));
    return ready > 0 ? entry.revents : 0;
}

// Starts the executable with its standard output on a pipe; its notes go to the test's standard
// error.
pid_t Spawn(const std::vector<std::string>& arguments, TFileDescriptor& output) {
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        ThrowErrno("pipe2");
    }
    output = TFileDescriptor(pipeFds[0]);
    TFileDescriptor writeEnd(pipeFds[1]);
    std::vector<char*> argv;
    std::string program = IRVEN_PANEL_SIM;
    argv.push_back(program.data());
    std::vector<std::string> copies = arguments;
    for (std::string& argument : copies) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0) {
        ThrowErrno("fork");
    }
    if (pid == 0) {
        ::dup2(writeEnd.Get(), STDOUT_FILENO);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    return pid;
}

std::string ReadAll(int fd) {
    std::string out;
    char buffer[4096];
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count <= 0) {
            return out;
        }
        out.append(buffer, static_cast<std::size_t>(count));
    }
}

int ExitStatus(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

TSimProcess::TSimProcess(const std::vector<std::string>& arguments) {
    TFileDescriptor output;
    pid_ = Spawn(arguments, output);
    pidFd_ = TFileDescriptor(static_cast<int>(::syscall(SYS_pidfd_open, pid_, 0)));
    std::string line;
    char byte = 0;
    while (PollFor(output.Get(), POLLIN, 5s) != 0 && ::read(output.Get(), &byte, 1) == 1 &&
           byte != '\n') {
        line += byte;
    }
    if (line.empty()) {
        throw std::runtime_error("the simulator printed no device path");
    }
    devicePath_ = line;
}

TSimProcess::~TSimProcess() {
    if (Running()) {
        Stop(SIGKILL);
    }
}

bool TSimProcess::Running() {
    return !WaitExit(0ms).has_value();
}

std::optional<int> TSimProcess::Stop(int signal) {
    if (!status_) {
        ::kill(pid_, signal);
    }
    return WaitExit(5s);
}

std::optional<int> TSimProcess::WaitExit(std::chrono::milliseconds timeout) {
    if (status_) {
        return status_;
    }
    if (PollFor(pidFd_.Get(), POLLIN, timeout) == 0) {
        return std::nullopt;
    }
    int status = 0;
    if (::waitpid(pid_, &status, 0) == pid_) {
        status_ = ExitStatus(status);
    }
    return status_;
}

TRunResult RunToEnd(const std::vector<std::string>& arguments) {
    TFileDescriptor output;
    const pid_t pid = Spawn(arguments, output);
    std::string text = ReadAll(output.Get());
    int status = 0;
    ::waitpid(pid, &status, 0);
    return {ExitStatus(status), text};
}

}  // namespace irven::sim::test
