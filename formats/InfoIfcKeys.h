#pragma once
// Identifiers of the information block: its sections, its 31 keys (the key index is also the slot
// index), the kind of value each key carries and the state of a slot.

namespace MvQARN {

enum InfoValueKind {
    InfoValueText = 1,
    InfoValueInteger = 2,
    InfoValueReal = 3,
    InfoValueList = 4,
};

enum InfoSlotState {
    InfoSlotUnset = 0,   // never given
    InfoSlotValid = 1,   // given and taken into account
    InfoSlotChanged = 2, // given, differs from what was accepted last
};

enum InfoSectionId {
    InfoSectionDevice = 0,
    InfoSectionSampling = 1,
    InfoSectionCoding = 2,
    InfoSectionClk2 = 3,
    InfoSectionLimits = 4,
    InfoSectionWaveform = 5,
    InfoSectionCount = 6,
};

// The same key word stands in several sections, so a key is always named by section and word.
enum InfoKeyId {
    InfoKeyDeviceName = 0,
    InfoKeyDevicePartNr = 1,
    InfoKeyDeviceSerialNumber = 2,
    InfoKeyDevicePort = 3,
    InfoKeySamplingSampleRate = 4,
    InfoKeySamplingPep = 5,
    InfoKeySamplingRms = 6,
    InfoKeySamplingRmsNoise = 7,
    InfoKeySamplingRmsNoiseBw = 8,
    InfoKeySamplingRmsSig = 9,
    InfoKeySamplingReferenceLevel = 10,
    InfoKeySamplingDomain = 11,
    InfoKeySamplingIf = 12,
    InfoKeySamplingBandUsage = 13,
    InfoKeyCodingMapping = 14,
    InfoKeyCodingChnum = 15,
    InfoKeyCodingMode = 16,
    InfoKeyCodingFormat = 17,
    InfoKeyCodingResolution = 18,
    InfoKeyCodingClockRate = 19,
    InfoKeyCodingClk2 = 20,
    InfoKeyClk2Mode = 21,
    InfoKeyLimitsVersion = 22,
    InfoKeyLimitsMinClockRate = 23,
    InfoKeyLimitsMaxClockRate = 24,
    InfoKeyLimitsMaxEnableRate = 25,
    InfoKeyLimitsMaxInfoRate = 26,
    InfoKeyLimitsMode = 27,
    InfoKeyLimitsMapping = 28,
    InfoKeyWaveformName = 29,
    InfoKeyWaveformComment = 30,
    InfoKeyCount = 31,
};

} // namespace MvQARN
