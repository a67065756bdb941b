#pragma once
namespace MvQARN {

// Version of a module interface: major, minor, build.
class VGXModuleVersion {
public:
    VGXModuleVersion(int major = 0, int minor = 0, int build = 0)
        : major(major), minor(minor), build(build) {}
    virtual ~VGXModuleVersion() = default;
    int major;
    int minor;
    int build;
};

} // namespace MvQARN
