#pragma once
// Abstract base of the keyed description texts that instruments joined to the box exchange. The
// virtual order is shared with owners in other modules and must not change.
#include <string>

namespace MvQARN {

class CInfoIfcSection {
public:
    virtual ~CInfoIfcSection() = default;

    // Name written as the text's first header.
    virtual const char* getName() const = 0;
    virtual int getTypeCode() const = 0;
    // Serialises into out (which is emptied first).
    virtual void write(std::string& out) = 0;
    // A new, empty object of the same class; the caller owns it.
    virtual CInfoIfcSection* create() const = 0;
    // Destroys this object, so that owners in other modules never delete across a module boundary.
    virtual void release() = 0;
    // Merges what the text gives into this object.
    virtual void parse(const std::string& in) = 0;
    // Copy with each character lower-cased by the C library; the length never changes.
    virtual std::string toLower(const std::string& text) const;

protected:
    CInfoIfcSection() = default;
    CInfoIfcSection(const CInfoIfcSection&) = default;
    CInfoIfcSection& operator=(const CInfoIfcSection&) = default;
};

} // namespace MvQARN
