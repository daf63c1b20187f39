#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <vector>

#include "serial/monitor/ThreadSupport.h"

// Hands calls from the line-event monitor to the GUI thread and makes the monitor wait for them.
// The GUI thread runs them when the wake-up hook has told it that one waits, and while it waits in
// Close for the monitor to end, so closing cannot deadlock against a delivery in progress.
class TMainThreadQueue {
  public:
    TMainThreadQueue() = default;
    TMainThreadQueue(const TMainThreadQueue&) = delete;
    TMainThreadQueue& operator=(const TMainThreadQueue&) = delete;

    // Called on the posting thread each time a call has been queued.
    void SetWakeup(std::function<void()> wake);

    // Posting thread: waits until the call has run on the GUI thread and raises what it raised.
    void Call(std::function<void()> call);
    // Posting thread: waits only until the GUI thread has taken the message, which is when its
    // procedure replies or returns. What the procedure raises stays on the GUI thread.
    void Send(std::function<void()> procedure);
    // Posting thread: queues the call and returns at once. What it raises leaves ServicePending,
    // except in Close's wait, which has no one to hand it to and drops it.
    void Post(std::function<void()> call);
    // Posting thread: runs the wake-up hook for a delivery that waits for the GUI thread outside
    // this queue, as a message sent to a Windows hidden window does.
    void Wake();

    // GUI thread: runs the calls and messages that wait; those posted meanwhile run too.
    void ServicePending();
    // GUI thread, inside a sent message's procedure: true while it serves a Send.
    bool InSend() const;
    // GUI thread, inside a sent message's procedure: releases its sender at once.
    void Reply();

    // The monitor brackets its life with these; ServiceUntilSenderFinished is Close's wait.
    void SenderStarted();
    void SenderFinished();
    void ServiceUntilSenderFinished();

  private:
    struct TEntry {
        std::function<void()> Run;
        bool Sent = false;
        // Posted: no one waits for it, so what it raises goes to the servicing thread.
        bool Posted = false;
        bool Released = false;
        std::exception_ptr Failure;
    };

    void Enqueue(const std::shared_ptr<TEntry>& entry);
    void WaitReleased(const std::shared_ptr<TEntry>& entry);
    std::shared_ptr<TEntry> TakeNext();
    // The failure of a posted call; a waited-for call's failure goes to its poster.
    std::exception_ptr RunEntry(const std::shared_ptr<TEntry>& entry);
    void ReleaseEntry(TEntry& entry);

    mutable TLock Lock_;
    TWakeEvent WorkPosted_;
    TWakeEvent EntryReleased_;
    std::function<void()> Wake_;
    std::vector<std::shared_ptr<TEntry>> Pending_;
    bool SenderRunning_ = false;
    // GUI thread only: the entries being run, innermost last.
    std::vector<std::shared_ptr<TEntry>> Running_;
};
