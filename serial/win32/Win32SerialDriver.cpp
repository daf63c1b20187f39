#include "serial/win32/Win32SerialDriver.h"

#include <windows.h>

#include <utility>

#include "serial/PlatformSerialDriver.h"
#include "serial/win32/UniqueHandle.h"
#include "serial/win32/Win32SerialDevice.h"
#include "serial/win32/Win32StopSignal.h"
#include "serial/win32/Win32Transfer.h"

TOpenResult TWin32SerialDriver::Open(const std::string& port) {
    const std::string path = "\\\\.\\" + port;
    TUniqueHandle handle(::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                       OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr));
    TOpenResult result;
    if (!handle.Valid()) {
        switch (::GetLastError()) {
            case ERROR_FILE_NOT_FOUND:
                result.Outcome = TOpenOutcome::ooNotFound;
                break;
            case ERROR_ACCESS_DENIED:
                result.Outcome = TOpenOutcome::ooBusy;
                break;
            default:
                result.Outcome = TOpenOutcome::ooOther;
                break;
        }
        return result;
    }
    result.Outcome = TOpenOutcome::ooOpened;
    result.Device = std::make_shared<TWin32SerialDevice>(std::move(handle));
    return result;
}

std::unique_ptr<TSerialTransfer> TWin32SerialDriver::NewTransfer() {
    return std::make_unique<TWin32Transfer>();
}

std::unique_ptr<TStopSignal> TWin32SerialDriver::NewStopSignal() {
    return std::make_unique<TWin32StopSignal>();
}

std::shared_ptr<TSerialDriver> PlatformSerialDriver() {
    return std::make_shared<TWin32SerialDriver>();
}
