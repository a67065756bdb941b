#pragma once
// Reading an information block the way the tests look at it: the text a block writes, a key's value
// as that text carries it, the slots a block holds with their values and states, and texts of CR LF
// terminated lines.
#include <gtest/gtest.h>

#include <initializer_list>
#include <set>
#include <sstream>
#include <string>

#include "formats/CInfoIfcSectionInfoblock.h"

namespace infotest {

using MvQARN::CInfoIfcSectionInfoblock;
using MvQARN::InfoKeyId;

inline std::string crlfLines(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines)
        text += std::string(line) + "\r\n";
    return text;
}

// The text a copy of the block writes (writing accepts the values; the block itself stays as it is).
inline std::string written(CInfoIfcSectionInfoblock block) {
    std::string out;
    block.write(out);
    return out;
}

inline std::string keyName(InfoKeyId key) {
    return std::string(
               CInfoIfcSectionInfoblock::getSectionName(CInfoIfcSectionInfoblock::getKeySection(key))) +
           "/" + CInfoIfcSectionInfoblock::getKeyWord(key);
}

// The value a slot holds, whatever its kind; lists as ascending identifiers. Read from a copy: reading
// numbers sets the block's registers.
inline std::string valueOf(CInfoIfcSectionInfoblock block, InfoKeyId key) {
    std::ostringstream out;
    out.precision(12);
    std::string text;
    int i = 0;
    double d = 0;
    std::set<int> ids;
    switch (CInfoIfcSectionInfoblock::getKeyKind(key)) {
    case MvQARN::InfoValueText:
        block.getText(key, text);
        return text;
    case MvQARN::InfoValueInteger:
        block.getInt(key, i);
        return std::to_string(i);
    case MvQARN::InfoValueReal:
        block.getDouble(key, d);
        out << d;
        return out.str();
    case MvQARN::InfoValueList:
        block.getList(key, ids);
        for (int id : ids)
            out << (out.tellp() > 0 ? "," : "") << id;
        return out.str();
    }
    return "?";
}

// The slots that are not unset, in key order, as "section/word=value:V" (valid) or ":C" (changed).
inline std::string contents(const CInfoIfcSectionInfoblock& block) {
    std::string out;
    for (int k = 0; k < MvQARN::InfoKeyCount; ++k) {
        const auto key = static_cast<InfoKeyId>(k);
        const MvQARN::InfoSlotState state = block.getState(key);
        if (state != MvQARN::InfoSlotUnset)
            out += (out.empty() ? "" : " ") + keyName(key) + "=" + valueOf(block, key) +
                   (state == MvQARN::InfoSlotValid ? ":V" : ":C");
    }
    return out;
}

// The value of a key as its line in its own section of the written text reads; "<absent>" when the
// block writes no such line.
inline std::string writtenValue(const CInfoIfcSectionInfoblock& block, InfoKeyId key) {
    const std::string out = written(block);
    const std::string word = std::string(CInfoIfcSectionInfoblock::getKeyWord(key)) + "=";
    const std::string header =
        std::string("[") +
        CInfoIfcSectionInfoblock::getSectionName(CInfoIfcSectionInfoblock::getKeySection(key)) + "]";
    const auto sectionPos = out.find(header);
    if (sectionPos == std::string::npos)
        return "<absent>";
    const auto end = out.find('[', sectionPos + 1);
    const auto pos = out.find("\n" + word, sectionPos);
    if (pos == std::string::npos || pos > end)
        return "<absent>";
    const auto valueBegin = pos + 1 + word.size();
    return out.substr(valueBegin, out.find('\r', valueBegin) - valueBegin);
}

} // namespace infotest
