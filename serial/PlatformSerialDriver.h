#pragma once

#include <memory>

class TSerialDriver;

// The driver of the platform the program was built for.
std::shared_ptr<TSerialDriver> PlatformSerialDriver();
