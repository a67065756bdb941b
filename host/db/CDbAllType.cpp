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

struct SFreeBlocks {
    void* head = nullptr;
    int count = 0;
    bool gone = false; // blocks freed during the thread's exit go back to the heap
    ~SFreeBlocks() {
        gone = true;
        while (head) {
            void* next = *static_cast<void**>(head);
            ::operator delete(head);
            head = next;
        }
    }
};

// The library is loaded with the program, so its thread-local block sits at a fixed offset.
__attribute__((tls_model("initial-exec"))) thread_local SFreeBlocks t_freeBlocks;

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
