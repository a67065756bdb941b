#pragma once
// The information block of an instrument joined to the box: who it is, how its signal is sampled and
// coded, its second clock, its interface limits and the waveform it plays. Every value is held as
// text with a state per key; typed access converts on the way in and out.
#include <array>
#include <set>
#include <string>

#include "formats/CInfoIfcSection.h"
#include "formats/InfoIfcKeys.h"

namespace MvQARN {

class CInfoIfcSectionInfoblock : public CInfoIfcSection {
public:
    CInfoIfcSectionInfoblock();
    // Copies slots, version index and the integer and real registers; the set register starts empty.
    CInfoIfcSectionInfoblock(const CInfoIfcSectionInfoblock& other);
    CInfoIfcSectionInfoblock& operator=(const CInfoIfcSectionInfoblock& other);
    ~CInfoIfcSectionInfoblock() override;

    const char* getName() const override;
    int getTypeCode() const override;
    void write(std::string& out) override;
    CInfoIfcSectionInfoblock* create() const override;
    void release() override;
    void parse(const std::string& in) override;

    // Typed access. A key of the wrong kind gives -1 (0 for getList). Setters store the value and
    // mark the slot Valid when it is unchanged, Changed otherwise. Getters return the slot state and
    // fill out only when the slot is Valid or Changed (getList always replaces out).
    int setText(InfoKeyId key, const std::string& text);
    int setInt(InfoKeyId key, int value);
    int setDouble(InfoKeyId key, double value);
    int setList(InfoKeyId key, const std::set<int>& ids);
    int getText(InfoKeyId key, std::string& out) const;
    int getInt(InfoKeyId key, int& out);
    int getDouble(InfoKeyId key, double& out);
    int getList(InfoKeyId key, std::set<int>& out);

    // A non-empty value becomes empty and Changed; an empty one becomes Unset.
    void erase(InfoKeyId key);
    InfoSlotState getState(InfoKeyId key) const;
    // Every given slot becomes Changed, so that the whole block is sent again.
    void markAllChanged();
    void acceptAll();
    void clear();
    // Takes over every given slot of other, then its version index and integer and real registers.
    void merge(const CInfoIfcSectionInfoblock& other);

    // Version index: decides the words of the limits mode list.
    int getVersionIndex() const { return m_versionIndex; }
    int getIntRegister() const { return m_intRegister; }
    double getRealRegister() const { return m_realRegister; }
    const std::set<int>& getSetRegister() const { return m_setRegister; }

    static InfoValueKind getKeyKind(InfoKeyId key);
    static const char* getKeyWord(InfoKeyId key);
    static InfoSectionId getKeySection(InfoKeyId key);
    static const char* getSectionName(InfoSectionId section);

private:
    struct Slot {
        std::string text;
        InfoSlotState state = InfoSlotUnset;
    };

    bool hasKind(InfoKeyId key, InfoValueKind kind) const;
    void store(InfoKeyId key, const std::string& text);
    std::string writeInt(InfoKeyId key);
    int readInt(InfoKeyId key);
    std::string writeList(InfoKeyId key) const;
    std::set<int> readList(InfoKeyId key) const;

    std::array<Slot, InfoKeyCount> m_slots;
    int m_versionIndex = 0;
    int m_intRegister = 0;
    double m_realRegister = 0.0;
    std::set<int> m_setRegister;
};

} // namespace MvQARN
