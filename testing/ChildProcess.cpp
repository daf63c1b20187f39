#include "testing/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <stdexcept>
#include <thread>

#include "testing/Poll.h"

extern char** environ;

using namespace std::chrono_literals;

namespace {

struct TPipe {
    TUniqueFd Read;
    TUniqueFd Write;
};

TPipe MakePipe() {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe2 failed");
    }
    return {TUniqueFd(fds[0]), TUniqueFd(fds[1])};
}

class TSpawnActions {
  public:
    TSpawnActions() { posix_spawn_file_actions_init(&actions_); }
    ~TSpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
    TSpawnActions(const TSpawnActions&) = delete;
    TSpawnActions& operator=(const TSpawnActions&) = delete;
    void Dup(int from, int to) { posix_spawn_file_actions_adddup2(&actions_, from, to); }
    const posix_spawn_file_actions_t* Get() const { return &actions_; }

  private:
    posix_spawn_file_actions_t actions_;
};

// Appends what is readable within the timeout; false at the end of the stream.
bool ReadSome(int fd, std::string& into, std::chrono::milliseconds timeout) {
    if (PollFor(fd, POLLIN, timeout) == 0) {
        return true;
    }
    char chunk[4096];
    const ssize_t got = ::read(fd, chunk, sizeof chunk);
    if (got <= 0) {
        return false;
    }
    into.append(chunk, static_cast<size_t>(got));
    return true;
}

}  // namespace

TChildProcess::TChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                             TPipes pipes) {
    TSpawnActions actions;
    std::optional<TPipe> out;
    std::optional<TPipe> err;
    if (pipes.Stdout) {
        out = MakePipe();
        actions.Dup(out->Write.Get(), STDOUT_FILENO);
    }
    if (pipes.Stderr) {
        err = MakePipe();
        actions.Dup(err->Write.Get(), STDERR_FILENO);
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, program.c_str(), actions.Get(), nullptr, argv.data(), environ) != 0) {
        throw std::runtime_error("cannot start " + program);
    }
    if (out) {
        out_ = std::move(out->Read);
    }
    if (err) {
        err_ = std::move(err->Read);
    }
}

TChildProcess::~TChildProcess() {
    if (!Stop(SIGTERM)) {
        Stop(SIGKILL);
    }
}

std::optional<std::string> TChildProcess::ReadLine(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        if (const size_t end = outBuffer_.find('\n'); end != std::string::npos) {
            std::string line = outBuffer_.substr(0, end);
            outBuffer_.erase(0, end + 1);
            return line;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || !ReadSome(out_.Get(), outBuffer_, left)) {
            return std::nullopt;
        }
    }
}

int TChildProcess::Finish(std::string& out, std::string& err) {
    out = std::move(outBuffer_);
    std::vector<std::pair<TUniqueFd*, std::string*>> open;
    if (out_.Get() >= 0) {
        open.emplace_back(&out_, &out);
    }
    if (err_.Get() >= 0) {
        open.emplace_back(&err_, &err);
    }
    while (!open.empty()) {
        std::vector<pollfd> entries;
        for (const auto& [fd, text] : open) {
            entries.push_back({fd->Get(), POLLIN, 0});
        }
        ::poll(entries.data(), entries.size(), -1);
        for (size_t i = entries.size(); i-- > 0;) {
            if (entries[i].revents != 0 && !ReadSome(entries[i].fd, *open[i].second, 0ms)) {
                open[i].first->Reset();
                open.erase(open.begin() + static_cast<std::ptrdiff_t>(i));
            }
        }
    }
    return Reap(0);
}

std::optional<int> TChildProcess::WaitExit(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!status_) {
        Reap(WNOHANG);
        if (status_ || std::chrono::steady_clock::now() >= deadline) {
            break;
        }
        std::this_thread::sleep_for(20ms);
    }
    return status_;
}

bool TChildProcess::Running() {
    return !WaitExit(0ms);
}

std::optional<int> TChildProcess::Stop(int signal) {
    if (!status_) {
        ::kill(pid_, signal);
    }
    return WaitExit(5s);
}

int TChildProcess::Reap(int options) {
    if (status_) {
        return *status_;
    }
    int raw = 0;
    const pid_t done = ::waitpid(pid_, &raw, options);
    if (done != pid_) {
        return -1;
    }
    status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    return *status_;
}
