#pragma once
// Reading an information block the way the tests look at it: a key's value as the block writes it,
// the text a block writes, and texts of CR LF terminated lines.
#include <gtest/gtest.h>

#include <initializer_list>
#include <set>
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

// A text key's value; "<untouched>" when the block did not fill it.
inline std::string textOf(const CInfoIfcSectionInfoblock& block, InfoKeyId key) {
    std::string out = "<untouched>";
    block.getText(key, out);
    return out;
}

// The slots that are not unset, in key order, as "section/word:V" (valid) or "section/word:C" (changed).
inline std::string slotStates(const CInfoIfcSectionInfoblock& block) {
    std::string out;
    for (int k = 0; k < MvQARN::InfoKeyCount; ++k) {
        const auto key = static_cast<InfoKeyId>(k);
        const MvQARN::InfoSlotState state = block.getState(key);
        if (state != MvQARN::InfoSlotUnset)
            out += std::string(out.empty() ? "" : " ") +
                   CInfoIfcSectionInfoblock::getSectionName(CInfoIfcSectionInfoblock::getKeySection(key)) +
                   "/" + CInfoIfcSectionInfoblock::getKeyWord(key) +
                   (state == MvQARN::InfoSlotValid ? ":V" : ":C");
    }
    return out;
}

// The value of a key of any kind as its line in its own section of the written text reads;
// "<absent>" when the block writes no such line.
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

// A block that read one line of the key in the key's section (after a version line when given).
inline CInfoIfcSectionInfoblock parsedKey(InfoKeyId key, const std::string& text,
                                          const std::string& version = "") {
    CInfoIfcSectionInfoblock block;
    std::string in = std::string("[") +
                     CInfoIfcSectionInfoblock::getSectionName(CInfoIfcSectionInfoblock::getKeySection(key)) +
                     "]\r\n";
    if (!version.empty())
        in += "version=" + version + "\r\n";
    block.parse(in + CInfoIfcSectionInfoblock::getKeyWord(key) + "=" + text + "\r\n");
    return block;
}

} // namespace infotest
