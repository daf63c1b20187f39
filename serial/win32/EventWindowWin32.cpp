#include <windows.h>

#include <stdexcept>

#include "serial/SerialPort.h"
#include "serial/SerialPortInternals.h"
#include "serial/monitor/EventWindow.h"

namespace {

constexpr const char* kClassName = "IrvenLineEventWindow";

// A message-only window of the GUI thread; the system hands every message sent to it from the
// monitor thread to the port's EventWindowProc when the GUI thread takes sent messages.
class TEventWindowWin32 : public TEventWindow {
  public:
    explicit TEventWindowWin32(TSerialPort& port) : Port_(port) {
        RegisterWindowClass();
        Window_ = CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        if (!Window_) {
            throw std::runtime_error("CreateWindowExA failed");
        }
        SetWindowLongPtrA(Window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }

    ~TEventWindowWin32() override { DestroyWindow(Window_); }

    // The GUI thread hears of the delivery as of any other, so a loop that sleeps until woken
    // goes back to taking messages.
    void Send(const TWindowMessage& message) override {
        TSerialPortInternals::SyncCalls(Port_).Wake();
        SendMessageA(Window_, message.Msg, message.WParam, message.LParam);
    }

    bool SentFromOtherThread() const override { return InSendMessage() != FALSE; }
    void Reply(intptr_t result) override { ReplyMessage(result); }
    intptr_t DefaultProcedure(const TWindowMessage& message) override {
        return DefWindowProcA(Window_, message.Msg, message.WParam, message.LParam);
    }

  private:
    static void RegisterWindowClass() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kClassName;
        // A second port registers the same class again; that refusal is harmless.
        RegisterClassA(&windowClass);
    }

    static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<TEventWindowWin32*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (!self) {
            return DefWindowProcA(window, msg, wParam, lParam);
        }
        return TSerialPortInternals::EventWindowProc(self->Port_,
                                                     TWindowMessage{msg, wParam, lParam});
    }

    TSerialPort& Port_;
    HWND Window_ = nullptr;
};

}  // namespace

std::unique_ptr<TEventWindow> NewEventWindow(TSerialPort& port) {
    return std::make_unique<TEventWindowWin32>(port);
}
