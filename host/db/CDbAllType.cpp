#include "host/db/CDbAllType.h"

#include <cmath>
#include <limits>

#include "host/db/CDbDataTypeNumber.h"
#include "host/db/CDbDataTypeSelect.h"
#include "host/db/CDbDataTypeString.h"

namespace MvQARN {

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kPooled = false; // the sanitizer must see every block freed
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kPooled = false;
#else
constexpr bool kPooled = true;
#endif
#else
constexpr bool kPooled = true;
#endif

constexpr std::size_t kSmallBlock = 16;
constexpr int kKeptBlocks = 256; // a thread that frees what others allocated keeps no more than this

// Plain data, so reaching it costs one load at a fixed offset: a destructor would put a guard
// variable, and a lookup of it, in front of every access.
struct SFreeBlocks {
    void* head = nullptr;
    int count = 0;
    bool gone = false;  // blocks freed during the thread's exit go back to the heap
    bool armed = false; // the thread's cleanup below is registered
};

// The library is loaded with the program, so its thread-local block sits at a fixed offset.
__attribute__((tls_model("initial-exec"))) thread_local SFreeBlocks t_freeBlocks;

// Hands the blocks a thread kept back to the heap when the thread ends; armed with the first one kept.
struct SFreeBlocksCleanup {
    bool armed = false; // written once: that first touch is what registers this destructor
    ~SFreeBlocksCleanup() {
        SFreeBlocks& f = t_freeBlocks;
        f.gone = true;
        while (f.head) {
            void* next = *static_cast<void**>(f.head);
            ::operator delete(f.head);
            f.head = next;
        }
        f.count = 0;
    }
};
thread_local SFreeBlocksCleanup t_cleanup;

static_assert(sizeof(CDbDataTypeNumber) == kSmallBlock && sizeof(CDbDataTypeSelect) == kSmallBlock);

} // namespace

void* CDbSmallBlock::operator new(std::size_t size) {
    if (kPooled && size == kSmallBlock) {
        SFreeBlocks& f = t_freeBlocks;
        if (void* p = f.head) {
            f.head = *static_cast<void**>(p);
            --f.count;
            return p;
        }
        return ::operator new(kSmallBlock);
    }
    return ::operator new(size);
}

void CDbSmallBlock::operator delete(void* p, std::size_t size) noexcept {
    if (kPooled && size == kSmallBlock && p) {
        SFreeBlocks& f = t_freeBlocks;
        if (!f.gone && f.count < kKeptBlocks) {
            if (!f.armed) {
                t_cleanup.armed = true;
                f.armed = true;
            }
            *static_cast<void**>(p) = f.head;
            f.head = p;
            ++f.count;
            return;
        }
    }
    ::operator delete(p);
}

CDbAllType CDbAllType::fromInt(int v) {
    return CDbAllType(new CDbDataTypeSelect(v));
}

CDbAllType CDbAllType::fromDouble(double v) {
    return CDbAllType(new CDbDataTypeNumber(v));
}

CDbAllType CDbAllType::fromString(const QString& v) {
    return CDbAllType(new CDbDataTypeString(v));
}

bool CDbAllType::toDouble(double& out) const {
    switch (getType()) {
    case DbTypeNumber:
        out = static_cast<const CDbDataTypeNumber*>(m_val.get())->getValDouble();
        return true;
    case DbTypeSelect:
        out = static_cast<const CDbDataTypeSelect*>(m_val.get())->getValInt();
        return true;
    default:
        return false;
    }
}

bool CDbAllType::toInt(int& out) const {
    switch (getType()) {
    case DbTypeSelect:
        out = static_cast<const CDbDataTypeSelect*>(m_val.get())->getValInt();
        return true;
    case DbTypeNumber: {
        const double r = std::round(static_cast<const CDbDataTypeNumber*>(m_val.get())->getValDouble());
        if (!(r >= double(std::numeric_limits<int>::min()) && r <= double(std::numeric_limits<int>::max())))
            return false;
        out = int(r);
        return true;
    }
    default:
        return false;
    }
}

bool CDbAllType::toString(QString& out) const {
    if (getType() != DbTypeString)
        return false;
    out = static_cast<const CDbDataTypeString*>(m_val.get())->getValStringQ();
    return true;
}

} // namespace MvQARN
