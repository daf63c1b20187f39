#pragma once

#include <QCoreApplication>
#include <QString>
#include <functional>

// The rules every handler of the window runs under. One handler runs at a time: a handler asked
// for while another runs does not start. What a handler raised is shown once it has ended. The
// line monitor's synchronised calls and a close, asked for while a handler runs, wait for its end.
class THandlerRules {
    Q_DECLARE_TR_FUNCTIONS(THandlerRules)

  public:
    // What the rules have the window do.
    struct TWindow {
        // Runs the synchronised calls that wait.
        std::function<void()> ServiceSyncCalls;
        std::function<void()> Close;
        std::function<void(const QString&)> ShowError;
        // The code-table validation warning.
        std::function<void(const QString&)> ShowWarning;
        // Runs after every handler, once what it raised has been shown.
        std::function<void()> Ended;
    };

    explicit THandlerRules(TWindow window) : window_(std::move(window)) {}

    // Runs one handler's body to its end, unless another handler is running.
    void Run(const std::function<void()>& body);
    // Synchronised calls wait: they run now, or when the running handler has ended.
    void SyncCallsWaiting();
    // Whether a close asked for now goes ahead; one that does not closes the window when the
    // running handler has ended.
    bool CloseNow();

    bool Busy() const { return busy_; }
    // Whether synchronised calls wait for the running handler to end.
    bool SyncCallsHeld() const { return syncCallsHeld_; }

  private:
    void End();

    TWindow window_;
    bool busy_ = false;
    bool syncCallsHeld_ = false;
    bool closeHeld_ = false;
};
