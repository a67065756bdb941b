#pragma once
// Parameters of the host's recorder front end, per recorder (path t0, side t1, channel t3), beside
// the box recorder's own:
//   IdPDbRecState       0 Idle, 1 Free Run, 2 Ready, 3 Wait For Trigger, 4 Triggered, 5 Done
//   IdPDbRecRecord      event: one single recording (Idle only)
//   IdPDbRecAbort       event: stop, or at Done discard the data
//   IdPDbRecSave        event: writes the recorded block (IdPDbKobraTranRecIQData at the sample rate
//                       IdPDbKobraTranRecSampRate) to IdPDbRecFile as a *.wv file (RecorderFile);
//                       refused with error 20025 and the reason when nothing is done or the file
//                       cannot be written
//   IdPDbRecFile        the file Save writes
//   IdPDbRecTrigSource  0 Software, 1..3 External Trigger 1..3, 4..8 frame and sync markers
//   IdPDbRecTime        length x decimation / sample rate as text with its unit ("51.2 us")
//   IdPDbRecSignal, IdPDbRecLengthUnit   single-entry selections a panel shows
// Who keeps the state and the time is the host application's recorder (app/HostRecorder.h).
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

namespace HostRecorderNames {
inline constexpr char State[] = "IdPDbRecState";
inline constexpr char Record[] = "IdPDbRecRecord";
inline constexpr char Abort[] = "IdPDbRecAbort";
inline constexpr char Save[] = "IdPDbRecSave";
inline constexpr char File[] = "IdPDbRecFile";
inline constexpr char TrigSource[] = "IdPDbRecTrigSource";
inline constexpr char Time[] = "IdPDbRecTime";
inline constexpr char Signal[] = "IdPDbRecSignal";
inline constexpr char LengthUnit[] = "IdPDbRecLengthUnit";
// The box recorder's parameters the front end drives or follows.
inline constexpr char BoxState[] = "IdPDbKobraTranRecState";
inline constexpr char BoxStatus[] = "IdPDbKobraTranRecStatus";
inline constexpr char BoxMode[] = "IdPDbKobraTranRecTrigMode";
inline constexpr char BoxSource[] = "IdPDbKobraTranRecTrigSource";
inline constexpr char BoxExec[] = "IdPDbKobraTranRecTrigExec";
inline constexpr char BoxData[] = "IdPDbKobraTranRecIQData";
inline constexpr char BoxRate[] = "IdPDbKobraTranRecSampRate";
inline constexpr char BoxLength[] = "IdPDbKobraTranRecDataLength";
inline constexpr char BoxDecimation[] = "IdPDbKobraTranRecDecFactor";
inline constexpr char BoxPosition[] = "IdPDbKobraTranRecTrigPosition";
} // namespace HostRecorderNames

// Registers the parameters with the database; calling it again changes nothing.
VGX_EXPORT void registerHostRecorderParameters();

} // namespace MvQARN
