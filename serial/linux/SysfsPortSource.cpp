#include "serial/linux/SysfsPortSource.h"

#include <fstream>

#include "serial/PortList.h"

TSysfsPortSource::TSysfsPortSource(std::filesystem::path classDir, std::string deviceDir)
    : ClassDir_(std::move(classDir)), DeviceDir_(std::move(deviceDir)) {}

bool TSysfsPortSource::ReadPortNames(std::vector<std::string>& names) const {
    std::error_code error;
    for (std::filesystem::directory_iterator entry(ClassDir_, error), end; !error && entry != end;
         entry.increment(error)) {
        if (IsRealPort(entry->path())) {
            names.push_back(DeviceDir_ + "/" + entry->path().filename().string());
        }
    }
    return !error;
}

bool TSysfsPortSource::IsRealPort(const std::filesystem::path& entry) const {
    std::error_code error;
    if (!std::filesystem::exists(entry / "device", error)) {
        return false;
    }
    std::ifstream typeFile(entry / "type");
    int type = -1;
    return !(typeFile >> type) || type != 0;
}

namespace {

std::string FirstLine(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

// The USB device sits above the tty's own device: ttyUSB0 → interface 1-1:1.0 → device 1-1 for
// usb-serial adapters, one step less for ACM modems.
constexpr int UsbDeviceSearchDepth = 3;

}  // namespace

std::string TSysfsPortSource::Describe(const std::string& name) const {
    std::error_code error;
    const std::filesystem::path device = std::filesystem::canonical(
        ClassDir_ / std::filesystem::path(name).filename() / "device", error);
    if (error) {
        return {};
    }
    std::filesystem::path directory = device;
    for (int depth = 0; depth < UsbDeviceSearchDepth && directory.has_relative_path(); ++depth) {
        const std::string product = FirstLine(directory / "product");
        if (!product.empty()) {
            const std::string maker = FirstLine(directory / "manufacturer");
            return maker.empty() ? product : product + " — " + maker;
        }
        directory = directory.parent_path();
    }
    if (device.string().find("/usb") != std::string::npos) {
        return "USB-адаптер последовательного порта";
    }
    return "встроенный последовательный порт";
}

std::unique_ptr<TPortSource> PlatformPortSource() {
    return std::make_unique<TSysfsPortSource>();
}
