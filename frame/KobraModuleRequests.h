#pragma once
// Module ids of the box family and the request codes the KOBRA module answers in xferCommand.
namespace Kobra {

// Module id of the KOBRA plug-in module; the box family's loadables use ids 2028 to 2031.
inline constexpr int KobraModuleId = 2028;
inline constexpr int FirstBoxModuleId = 2028;
inline constexpr int LastBoxModuleId = 2031;

// Box selection value each box-family loadable serves, closed by {-1, 0}.
struct SBoxModuleEntry {
    int boxType;
    int moduleId;
};
inline constexpr SBoxModuleEntry BoxModuleTable[] = {{0, 2028}, {2, 2029}, {3, 2030}, {4, 2031}, {-1, 0}};

enum EKobraRequest {
    // Another module switches the box for the message on the connection (type, mode).
    KobraReqSwitch = 330000,
    // Is the box on with the given type? Answered as a selection in the answer buffer.
    KobraReqIsOn = 330001,
    // Set the box mode when the box is on with the given type.
    KobraReqSetMode = 330002,
    // Instrument link state of a box (serial number in the real argument).
    KobraReqInstrumentLink = 330003,
    // Move (flag 1) or remove a serial number in the list of connected boxes.
    KobraReqSerialList = 330004,
    // A box is gone (serial number in the real argument).
    KobraReqBoxGone = 330005,
};

} // namespace Kobra
