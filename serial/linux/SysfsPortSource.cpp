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

std::unique_ptr<TPortSource> PlatformPortSource() {
    return std::make_unique<TSysfsPortSource>();
}
