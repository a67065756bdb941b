#pragma once
// The framework's extension interface: a loadable module's organisation layer plugs in here.
namespace MvQARN {

class COlLoadableExtension {
public:
    virtual ~COlLoadableExtension() = default;
};

} // namespace MvQARN
