#pragma once

#include <string>

#include "serial/ESerialPort.h"

// The message of the ESerialPort the action raises, or "(nothing raised)".
template <typename Action>
std::string FailureOf(Action&& action) {
    try {
        action();
    } catch (const ESerialPort& failure) {
        return failure.what();
    }
    return "(nothing raised)";
}
