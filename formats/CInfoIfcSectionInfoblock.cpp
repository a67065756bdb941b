#include "formats/CInfoIfcSectionInfoblock.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <locale.h>

namespace MvQARN {

namespace {

// How a key's text maps to its typed value.
enum class Encoding { Plain, Domain, Mapping, Format, Version, ModeList, MappingList };

struct KeyDef {
    InfoSectionId section;
    const char* word;
    InfoValueKind kind;
    Encoding encoding;
};

const char* const kSectionNames[InfoSectionCount] = {"device", "sampling", "coding",
                                                     "clk2",   "limits",   "waveform"};

// Ordered by section, so walking the table in key order walks the sections in order too.
const KeyDef kKeys[InfoKeyCount] = {
    {InfoSectionDevice, "name", InfoValueText, Encoding::Plain},
    {InfoSectionDevice, "partnr", InfoValueText, Encoding::Plain},
    {InfoSectionDevice, "serial number", InfoValueText, Encoding::Plain},
    {InfoSectionDevice, "port", InfoValueText, Encoding::Plain},
    {InfoSectionSampling, "sample rate", InfoValueReal, Encoding::Plain},
    {InfoSectionSampling, "pep", InfoValueReal, Encoding::Plain},
    {InfoSectionSampling, "rms", InfoValueReal, Encoding::Plain},
    {InfoSectionSampling, "rms noise", InfoValueReal, Encoding::Plain},
    {InfoSectionSampling, "rms noise bw", InfoValueReal, Encoding::Plain},
    {InfoSectionSampling, "rms sig", InfoValueReal, Encoding::Plain},
    {InfoSectionSampling, "reference level", InfoValueReal, Encoding::Plain},
    {InfoSectionSampling, "domain", InfoValueInteger, Encoding::Domain},
    {InfoSectionSampling, "if", InfoValueReal, Encoding::Plain},
    {InfoSectionSampling, "band usage", InfoValueReal, Encoding::Plain},
    {InfoSectionCoding, "mapping", InfoValueInteger, Encoding::Mapping},
    {InfoSectionCoding, "chnum", InfoValueInteger, Encoding::Plain},
    {InfoSectionCoding, "mode", InfoValueInteger, Encoding::Plain},
    {InfoSectionCoding, "format", InfoValueInteger, Encoding::Format},
    {InfoSectionCoding, "resolution", InfoValueInteger, Encoding::Plain},
    {InfoSectionCoding, "clock rate", InfoValueReal, Encoding::Plain},
    {InfoSectionCoding, "clk2", InfoValueReal, Encoding::Plain},
    {InfoSectionClk2, "mode", InfoValueInteger, Encoding::Plain},
    {InfoSectionLimits, "version", InfoValueInteger, Encoding::Version},
    {InfoSectionLimits, "min clock rate", InfoValueReal, Encoding::Plain},
    {InfoSectionLimits, "max clock rate", InfoValueReal, Encoding::Plain},
    {InfoSectionLimits, "max enable rate", InfoValueReal, Encoding::Plain},
    {InfoSectionLimits, "max info rate", InfoValueInteger, Encoding::Plain},
    {InfoSectionLimits, "mode", InfoValueList, Encoding::ModeList},
    {InfoSectionLimits, "mapping", InfoValueList, Encoding::MappingList},
    {InfoSectionWaveform, "name", InfoValueText, Encoding::Plain},
    {InfoSectionWaveform, "comment", InfoValueText, Encoding::Plain},
};

const char* const kDomainWords[] = {"Baseband", "IF", "IF Interleaved"};
const char* const kDomainReadWords[] = {"baseband", "if", "ifinterleaved"};
const char* const kMappingWords[] = {"map1", "map2", "map3", "map4", "map5", "map6"};
const char* const kFormatWords[] = {"int2c", "float14/4"};
const char* const kVersionWords[] = {"0.2", "0.3", "1.0", "1.1", "1.2", "1.3"};
// Limits mode list: peers before version "1.0" numbered the modes differently.
const char* const kModeWordsEarly[] = {"4", "1", "2", "3"};
const char* const kModeWords[] = {"1", "2", "3", "4"};
const int kFirstIdentityModeVersion = 3;
const int kUnknownVersion = 2;

template <std::size_t N> int indexOfWord(const char* const (&words)[N], const std::string& text) {
    for (std::size_t i = 0; i < N; ++i) {
        if (text == words[i])
            return static_cast<int>(i);
    }
    return -1;
}

int readVersionWord(const std::string& lowerText) {
    const int i = indexOfWord(kVersionWords, lowerText);
    return i < 0 ? kUnknownVersion : i + 1;
}

// The wire text always uses '.', whatever locale the host process runs in.
locale_t cLocale() {
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

int textToInt(const std::string& text) {
    return static_cast<int>(std::strtol(text.c_str(), nullptr, 10));
}

double textToDouble(const std::string& text) {
    return strtod_l(text.c_str(), nullptr, cLocale());
}

// General notation with at most 12 significant digits, the shorter of fixed and exponent form.
std::string doubleToText(double value) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 12);
    return std::string(buf, res.ptr);
}

bool isGiven(InfoSlotState state) {
    return state == InfoSlotValid || state == InfoSlotChanged;
}

bool isKey(InfoKeyId key) {
    return key >= 0 && key < InfoKeyCount;
}

} // namespace

CInfoIfcSectionInfoblock::CInfoIfcSectionInfoblock() {
    clear();
}

CInfoIfcSectionInfoblock::CInfoIfcSectionInfoblock(const CInfoIfcSectionInfoblock& other)
    : CInfoIfcSection(other), m_slots(other.m_slots), m_versionIndex(other.m_versionIndex),
      m_intRegister(other.m_intRegister), m_realRegister(other.m_realRegister) {}

CInfoIfcSectionInfoblock& CInfoIfcSectionInfoblock::operator=(const CInfoIfcSectionInfoblock& other) {
    if (this != &other) {
        clear();
        m_slots = other.m_slots;
        m_versionIndex = other.m_versionIndex;
        m_intRegister = other.m_intRegister;
        m_realRegister = other.m_realRegister;
    }
    m_setRegister.clear();
    return *this;
}

CInfoIfcSectionInfoblock::~CInfoIfcSectionInfoblock() = default;

const char* CInfoIfcSectionInfoblock::getName() const {
    return "infoblock";
}

int CInfoIfcSectionInfoblock::getTypeCode() const {
    return 2;
}

CInfoIfcSectionInfoblock* CInfoIfcSectionInfoblock::create() const {
    return new CInfoIfcSectionInfoblock;
}

void CInfoIfcSectionInfoblock::release() {
    delete this;
}

InfoValueKind CInfoIfcSectionInfoblock::getKeyKind(InfoKeyId key) {
    return kKeys[key].kind;
}

const char* CInfoIfcSectionInfoblock::getKeyWord(InfoKeyId key) {
    return kKeys[key].word;
}

InfoSectionId CInfoIfcSectionInfoblock::getKeySection(InfoKeyId key) {
    return kKeys[key].section;
}

const char* CInfoIfcSectionInfoblock::getSectionName(InfoSectionId section) {
    return kSectionNames[section];
}

bool CInfoIfcSectionInfoblock::hasKind(InfoKeyId key, InfoValueKind kind) const {
    return isKey(key) && kKeys[key].kind == kind;
}

void CInfoIfcSectionInfoblock::store(InfoKeyId key, const std::string& text) {
    Slot& slot = m_slots[key];
    if (slot.text == text) {
        slot.state = InfoSlotValid;
    } else {
        slot.text = text;
        slot.state = InfoSlotChanged;
    }
}

std::string CInfoIfcSectionInfoblock::writeInt(InfoKeyId key) {
    const int v = m_intRegister;
    switch (kKeys[key].encoding) {
    case Encoding::Domain:
        return v >= 0 && v <= 2 ? kDomainWords[v] : "-";
    case Encoding::Mapping:
        return v >= 1 && v <= 6 ? kMappingWords[v - 1] : "-";
    case Encoding::Format:
        return v >= 0 && v <= 1 ? kFormatWords[v] : "";
    case Encoding::Version:
        m_versionIndex = v;
        return v >= 1 && v <= 6 ? kVersionWords[v - 1] : "inv";
    default:
        return std::to_string(v);
    }
}

int CInfoIfcSectionInfoblock::readInt(InfoKeyId key) {
    const std::string& text = m_slots[key].text;
    switch (kKeys[key].encoding) {
    case Encoding::Domain:
        return std::max(0, indexOfWord(kDomainReadWords, toLower(text)));
    case Encoding::Mapping:
        return indexOfWord(kMappingWords, toLower(text)) + 1;
    case Encoding::Format:
        return std::max(0, indexOfWord(kFormatWords, toLower(text)));
    case Encoding::Version:
        m_versionIndex = readVersionWord(toLower(text));
        return m_versionIndex;
    default:
        return textToInt(text);
    }
}

std::string CInfoIfcSectionInfoblock::writeList(InfoKeyId key) const {
    std::string text;
    for (int id : m_setRegister) {
        const char* word = nullptr;
        if (kKeys[key].encoding == Encoding::MappingList) {
            if (id >= 1 && id <= 6)
                word = kMappingWords[id - 1];
        } else if (id >= 1 && id <= 4) {
            word = m_versionIndex < kFirstIdentityModeVersion ? kModeWordsEarly[id - 1] : kModeWords[id - 1];
        }
        if (word == nullptr)
            continue;
        if (!text.empty())
            text += ',';
        text += word;
    }
    return text;
}

std::set<int> CInfoIfcSectionInfoblock::readList(InfoKeyId key) const {
    const std::string lower = toLower(m_slots[key].text);
    std::set<int> ids;
    if (kKeys[key].encoding == Encoding::MappingList) {
        for (int id = 1; id <= 6; ++id) {
            if (lower.find(kMappingWords[id - 1]) != std::string::npos)
                ids.insert(id);
        }
    } else {
        const char* const* words = m_versionIndex < kFirstIdentityModeVersion ? kModeWordsEarly : kModeWords;
        for (int id = 1; id <= 4; ++id) {
            if (lower.find(words[id - 1]) != std::string::npos)
                ids.insert(id);
        }
    }
    return ids;
}

int CInfoIfcSectionInfoblock::setText(InfoKeyId key, const std::string& text) {
    if (!hasKind(key, InfoValueText))
        return -1;
    store(key, text);
    return 1;
}

int CInfoIfcSectionInfoblock::setInt(InfoKeyId key, int value) {
    if (!hasKind(key, InfoValueInteger))
        return -1;
    m_intRegister = value;
    store(key, writeInt(key));
    return 1;
}

int CInfoIfcSectionInfoblock::setDouble(InfoKeyId key, double value) {
    if (!hasKind(key, InfoValueReal))
        return -1;
    m_realRegister = value;
    store(key, doubleToText(value));
    return 1;
}

int CInfoIfcSectionInfoblock::setList(InfoKeyId key, const std::set<int>& ids) {
    if (!hasKind(key, InfoValueList))
        return -1;
    m_setRegister = ids;
    store(key, writeList(key));
    return m_slots[key].state;
}

int CInfoIfcSectionInfoblock::getText(InfoKeyId key, std::string& out) const {
    if (!hasKind(key, InfoValueText))
        return -1;
    const Slot& slot = m_slots[key];
    if (isGiven(slot.state))
        out = slot.text;
    return slot.state;
}

int CInfoIfcSectionInfoblock::getInt(InfoKeyId key, int& out) {
    if (!hasKind(key, InfoValueInteger))
        return -1;
    m_intRegister = readInt(key);
    if (isGiven(m_slots[key].state))
        out = m_intRegister;
    return m_slots[key].state;
}

int CInfoIfcSectionInfoblock::getDouble(InfoKeyId key, double& out) {
    if (!hasKind(key, InfoValueReal))
        return -1;
    m_realRegister = textToDouble(m_slots[key].text);
    if (isGiven(m_slots[key].state))
        out = m_realRegister;
    return m_slots[key].state;
}

int CInfoIfcSectionInfoblock::getList(InfoKeyId key, std::set<int>& out) {
    if (!hasKind(key, InfoValueList))
        return 0;
    m_setRegister = readList(key);
    out = m_setRegister;
    return m_slots[key].state;
}

void CInfoIfcSectionInfoblock::erase(InfoKeyId key) {
    if (!isKey(key))
        return;
    Slot& slot = m_slots[key];
    if (slot.text.empty()) {
        slot.state = InfoSlotUnset;
    } else {
        slot.text.clear();
        slot.state = InfoSlotChanged;
    }
}

InfoSlotState CInfoIfcSectionInfoblock::getState(InfoKeyId key) const {
    return isKey(key) ? m_slots[key].state : InfoSlotUnset;
}

void CInfoIfcSectionInfoblock::markAllChanged() {
    for (Slot& slot : m_slots) {
        if (isGiven(slot.state))
            slot.state = InfoSlotChanged;
    }
}

void CInfoIfcSectionInfoblock::acceptAll() {
    for (Slot& slot : m_slots) {
        if (slot.state == InfoSlotChanged)
            slot.state = InfoSlotValid;
    }
}

void CInfoIfcSectionInfoblock::clear() {
    for (Slot& slot : m_slots) {
        slot.text.clear();
        slot.state = InfoSlotUnset;
    }
}

void CInfoIfcSectionInfoblock::merge(const CInfoIfcSectionInfoblock& other) {
    for (int k = 0; k < InfoKeyCount; ++k) {
        if (other.m_slots[k].state != InfoSlotUnset)
            store(static_cast<InfoKeyId>(k), other.m_slots[k].text);
    }
    m_versionIndex = other.m_versionIndex;
    m_intRegister = other.m_intRegister;
    m_realRegister = other.m_realRegister;
}

void CInfoIfcSectionInfoblock::write(std::string& out) {
    out.clear();
    out += '[';
    out += getName();
    out += "]\r\n";
    int key = 0;
    for (int section = 0; section < InfoSectionCount; ++section) {
        bool headerWritten = false;
        for (; key < InfoKeyCount && kKeys[key].section == section; ++key) {
            Slot& slot = m_slots[key];
            if (slot.text.empty() || !isGiven(slot.state))
                continue;
            if (!headerWritten) {
                out += '[';
                out += kSectionNames[section];
                out += "]\r\n";
                headerWritten = true;
            }
            out += kKeys[key].word;
            out += '=';
            out += slot.text;
            out += "\r\n";
            slot.state = InfoSlotValid;
        }
    }
}

void CInfoIfcSectionInfoblock::parse(const std::string& in) {
    // Searching runs on the lower-cased copy; keys and values are cut from the input at the same
    // positions so that values keep their case.
    const std::string lower = toLower(in);
    const auto npos = std::string::npos;
    for (int section = 0; section < InfoSectionCount; ++section) {
        const std::size_t start = lower.find(kSectionNames[section]);
        if (start == npos)
            continue;
        std::size_t end = lower.find('[', start);
        if (end == npos)
            end = lower.size();
        for (std::size_t eq = lower.find('=', start); eq != npos && eq < end; eq = lower.find('=', eq + 1)) {
            const std::size_t lineBreak = lower.find_last_of("\r\n", eq);
            const std::size_t keyBegin = lineBreak == npos ? 0 : lineBreak + 1;
            std::size_t valueEnd = lower.find_first_of("\r\n", eq + 1);
            if (valueEnd == npos)
                valueEnd = lower.size();
            if (valueEnd == eq + 1)
                continue;
            const std::string keyWord = lower.substr(keyBegin, eq - keyBegin);
            const std::string value = in.substr(eq + 1, valueEnd - eq - 1);
            for (int k = 0; k < InfoKeyCount; ++k) {
                if (kKeys[k].section != section || keyWord != kKeys[k].word)
                    continue;
                Slot& slot = m_slots[k];
                if (slot.text == value) {
                    slot.state = InfoSlotValid;
                } else {
                    slot.state = slot.state == InfoSlotUnset ? InfoSlotValid : InfoSlotChanged;
                    slot.text = value;
                }
                // Reading the version decides the words of the limits mode list.
                if (kKeys[k].encoding == Encoding::Version)
                    m_versionIndex = readVersionWord(toLower(value));
                break;
            }
        }
    }
}

} // namespace MvQARN
