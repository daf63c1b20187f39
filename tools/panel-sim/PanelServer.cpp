#include "tools/panel-sim/PanelServer.h"

#include <poll.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <iostream>
#include <stdexcept>

#include "tools/panel-sim/StateFile.h"

namespace irven::sim {

namespace {

constexpr std::size_t kReadSize = 4096;
constexpr std::size_t kNoteHexBytes = 64;

void Note(const std::string& text) {
    std::cerr << "irven-panel-sim: " << text << std::endl;
}

}  // namespace

TPanelServer::TPanelServer(TPseudoTerminal& terminal, TSignalFd& signals, TPanel& panel,
                           TFrameLog* log, TServerConfig config, TClock::time_point start)
    : terminal_(terminal),
      signals_(signals),
      panel_(panel),
      log_(log),
      config_(std::move(config)),
      start_(start),
      replies_(config_.Timing) {}

TServeEnd TPanelServer::Run() {
    for (;;) {
        std::array<pollfd, 2> fds{{
            {signals_.Get(), POLLIN, 0},
            {terminal_.Master(), static_cast<short>(POLLIN | (writeBlocked_ ? POLLOUT : 0)), 0},
        }};
        if (::poll(fds.data(), fds.size(), PollTimeout(TClock::now())) < 0) {
            if (errno == EINTR) {
                continue;
            }
            ThrowErrno("poll");
        }
        if (fds[0].revents & POLLIN) {
            signals_.Read();
            return TServeEnd::Signal;
        }
        if (fds[1].revents & (POLLHUP | POLLERR | POLLNVAL)) {
            throw std::runtime_error("the pseudo-terminal hung up");
        }
        if ((fds[1].revents & POLLIN) && ReadTerminal()) {
            terminal_.Close();
            return TServeEnd::Hangup;
        }
        if (fds[1].revents & POLLOUT) {
            writeBlocked_ = false;
        }
        SendDue();
    }
}

int TPanelServer::PollTimeout(TClock::time_point now) const {
    const auto due = replies_.NextDue();
    if (!due || writeBlocked_) {
        return -1;
    }
    if (*due <= now) {
        return 0;
    }
    // Rounded up, so the poll never wakes before the piece is due and then has to go round again.
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(*due - now).count());
}

bool TPanelServer::ReadTerminal() {
    std::array<char, kReadSize> buffer;
    const ssize_t count = ::read(terminal_.Master(), buffer.data(), buffer.size());
    if (count < 0) {
        if (errno == EAGAIN || errno == EINTR) {
            return false;
        }
        ThrowErrno("reading the pseudo-terminal");
    }
    const auto now = TClock::now();
    for (const TFrame& frame : parser_.Feed({buffer.data(), static_cast<std::size_t>(count)})) {
        if (Receive(frame, now)) {
            return true;
        }
    }
    return false;
}

bool TPanelServer::Receive(const TFrame& frame, TClock::time_point now) {
    if (log_ != nullptr) {
        log_->Write(Seconds(now), TDirection::Received, frame.Raw, frame.Kind, frame.Name);
    }
    if (frame.Kind == TFrameKind::Unknown) {
        Note("unknown frame skipped: " + HexText(frame.Raw.substr(0, kNoteHexBytes)));
    }
    const TOutcome outcome = panel_.Handle(frame);
    if (outcome.Persist) {
        Persist();
    }
    if (!config_.Silent && !replies_.Schedule(outcome.Reply, frame.Kind, frame.Name, now)) {
        Note("reply to " + frame.Name + " dropped: nobody reads the terminal");
    }
    ++frames_;
    return config_.HangupAfter && frames_ >= *config_.HangupAfter;
}

void TPanelServer::Persist() {
    if (!config_.StateFile) {
        return;
    }
    try {
        SaveStateFile(*config_.StateFile, panel_.Committed());
    } catch (const std::exception& error) {
        Note(std::string("the state was not saved: ") + error.what());
    }
}

void TPanelServer::SendDue() {
    while (!writeBlocked_ && replies_.HasDue(TClock::now())) {
        TReplyPiece& piece = replies_.Front();
        const ssize_t written = ::write(terminal_.Master(), piece.Bytes.data(), piece.Bytes.size());
        if (written < 0) {
            if (errno != EAGAIN && errno != EINTR) {
                ThrowErrno("writing the pseudo-terminal");
            }
            writeBlocked_ = errno == EAGAIN;
            continue;
        }
        if (log_ != nullptr) {
            log_->Write(Seconds(TClock::now()), TDirection::Sent,
                        std::string_view(piece.Bytes).substr(0, written), piece.Kind, piece.Name);
        }
        writeBlocked_ = static_cast<std::size_t>(written) < piece.Bytes.size();
        replies_.Consume(static_cast<std::size_t>(written));
    }
}

double TPanelServer::Seconds(TClock::time_point at) const {
    return std::chrono::duration<double>(at - start_).count();
}

}  // namespace irven::sim
