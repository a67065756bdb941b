#include "formats/CInfoIfcSection.h"

#include <cctype>

namespace MvQARN {

std::string CInfoIfcSection::toLower(const std::string& text) const {
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

} // namespace MvQARN
