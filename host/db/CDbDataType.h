#pragma once
// Base of every value the parameter database stores or carries.
#include <QString>

#include "host/db/DbDefs.h"
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class VGX_EXPORT CDbDataType {
public:
    virtual ~CDbDataType() = default;
    virtual int getType() const = 0;
    virtual CDbDataType* clone() const = 0;
    virtual bool isEqual(const CDbDataType& other) const = 0;
    // Human-readable form, also used by settings files and traces.
    virtual QString toText() const = 0;
};

// Numbers and selections are copied several times on every read: their blocks come from a small
// per-thread free list instead of the general heap. A class derived from one with a larger size
// falls back to the heap.
struct VGX_EXPORT CDbSmallBlock {
    static void* operator new(std::size_t size);
    static void operator delete(void* p, std::size_t size) noexcept;
};

} // namespace MvQARN
