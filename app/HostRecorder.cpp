#include "app/HostRecorder.h"

#include <iterator>
#include <type_traits>
#include <utility>

#include "host/db/CDbAllType.h"
#include "host/db/CDbDataTypeEvent.h"
#include "host/db/CDbDataTypeSelect.h"
#include "host/db/DbHostValues.h"
#include "host/db/impl/CDbEngine.h"
#include "host/gui/VGXFlowLayout.h"
#include "host/gui/VGXLabel.h"
#include "host/gui/VGXPanel.h"
#include "host/gui/VGXPanelClasses.h"
#include "host/listadm/HostRecorderParameters.h"

using namespace MvQARN;

namespace vgxapp {

namespace {

constexpr int kContinuousMode = 0, kSingleMode = 1;

enum EState { Idle = 0, FreeRun = 1, WaitForTrigger = 3, Done = 5 };

using namespace HostRecorderNames;

// The value of name at t, or fallback when it cannot be read or converted.
template <typename T> T readOr(const char* name, const SDbInstTupel& t, T fallback) {
    CDbAllType v;
    T out = fallback;
    bool ok = CDbEngine::instance().read(name, t, v) == 0;
    if constexpr (std::is_same_v<T, int>)
        ok = ok && v.toInt(out);
    else
        ok = ok && v.toDouble(out);
    return ok ? out : fallback;
}

int write(const char* name, const SDbInstTupel& t, const CDbAllType& v, int msgType = DbMsgSet) {
    return CDbEngine::instance().write(name, t, v, nullptr, msgType);
}

} // namespace

HostRecorder::HostRecorder() {
    CDbEngine::instance().changeSource().addChangeObserver(this);
}

HostRecorder::~HostRecorder() {
    CDbEngine::instance().changeSource().removeChangeObserver(this);
}

int HostRecorder::stateForStatus(int status) {
    switch (status) {
    case 1: // configured: armed, the trigger is awaited
    case 4: // no data signal yet
    case 5: // no trigger signal yet
        return WaitForTrigger;
    case 2:
        return Done;
    case 3:
        return FreeRun;
    default:
        return Idle;
    }
}

int HostRecorder::boxTriggerSource(int hostSource) {
    // External triggers 1 to 3 are the box's trigger lines GP_2, GP_3 and GP_0; frame and sync
    // markers come with the data (Data Valid).
    static const int kMap[] = {0, 5, 6, 2};
    return hostSource >= 0 && hostSource < int(std::size(kMap)) ? kMap[hostSource] : 1;
}

void HostRecorder::dbChanged(const QVector<SDbChange>& changes) {
    for (const SDbChange& c : changes) {
        const SDbInstTupel& t = c.tupel;
        if (c.name == Record)
            record(t);
        else if (c.name == Abort)
            abort(t);
        else if (c.name == BoxStatus)
            followStatus(t);
        else if (c.name == BoxLength || c.name == BoxDecimation || c.name == BoxRate)
            updateTime(t);
    }
}

void HostRecorder::record(const SDbInstTupel& t) {
    if (readOr<int>(State, t, Idle) != Idle)
        return;
    write(BoxMode, t, CDbAllType(new CDbDataTypeSelect(kSingleMode)));
    write(BoxSource, t, CDbAllType(new CDbDataTypeSelect(boxTriggerSource(readOr<int>(TrigSource, t, 0)))));
    write(BoxState, t, CDbAllType(new CDbDataTypeSelect(DbHostStateOn)));
    write(BoxExec, t, CDbAllType(new CDbDataTypeEvent), DbMsgExec);
}

void HostRecorder::run(const SDbInstTupel& t) {
    if (readOr<int>(State, t, Idle) != Idle)
        return;
    write(BoxMode, t, CDbAllType(new CDbDataTypeSelect(kContinuousMode)));
    write(BoxSource, t, CDbAllType(new CDbDataTypeSelect(boxTriggerSource(readOr<int>(TrigSource, t, 0)))));
    write(BoxState, t, CDbAllType(new CDbDataTypeSelect(DbHostStateOn)));
}

void HostRecorder::abort(const SDbInstTupel& t) {
    write(BoxState, t, CDbAllType(new CDbDataTypeSelect(DbHostStateOff)));
    // A recorder that was never switched on reports no status change to follow.
    followStatus(t);
}

void HostRecorder::followStatus(const SDbInstTupel& t) {
    const bool on = readOr<int>(BoxState, t, DbHostStateOff) == DbHostStateOn;
    const int state = on ? stateForStatus(readOr<int>(BoxStatus, t, 0)) : Idle;
    if (readOr<int>(State, t, -1) != state)
        write(State, t, CDbAllType(new CDbDataTypeSelect(state)));
}

void HostRecorder::updateTime(const SDbInstTupel& t) {
    const double rate = readOr<double>(BoxRate, t, 0.0);
    if (rate <= 0.0)
        return;
    const double seconds = readOr<double>(BoxLength, t, 0.0) * readOr<double>(BoxDecimation, t, 1.0) / rate;
    const auto [scale, unit] = seconds < 1e-3  ? std::pair{1e6, "us"}
                               : seconds < 1.0 ? std::pair{1e3, "ms"}
                                               : std::pair{1.0, "s"};
    write(Time, t,
          CDbAllType::fromString(
              QStringLiteral("%1 %2").arg(seconds * scale, 0, 'g', 6).arg(QLatin1String(unit))));
}

HostRecorderDialog::HostRecorderDialog(int path, int side, int channel, QWidget* parent)
    : VGXDialog(QStringLiteral("HostRecorder"), parent) {
    const QString port =
        QStringLiteral("%1 %2").arg(side == 0 ? QStringLiteral("BBIN") : QStringLiteral("BBOUT"),
                                    path == 0 ? QStringLiteral("A") : QStringLiteral("B"));
    setTitles(QStringLiteral("Recorder %1 (%2)").arg(channel + 1).arg(port),
              QStringLiteral("Recorder %1").arg(channel + 1));
    setAttributes(VGXDialog::FitHeight | VGXDialog::FitWidth);
    setSizeInButtons(6);

    VGXPanelClasses::SArgs args;
    args.dialogName = QStringLiteral("HostRecorder%1%2%3").arg(path).arg(side).arg(channel);
    args.instance = path;
    args.direction = side;
    args.channel = channel;
    // CKobraRecSettings order: data source, serial list, sample rate, length, length unit, time,
    // trigger source, trigger position, its unit, state, second state, file, record, abort, save.
    args.parameters = {Signal,       QByteArray(), BoxRate,     BoxLength,  LengthUnit,
                       Time,         TrigSource,   BoxPosition, LengthUnit, State,
                       QByteArray(), File,         Record,      Abort,      Save};
    args.flag = true;
    auto* content = new VGXPanel(this);
    content->setLayout(new VGXFlowLayout(VGXFlowLayout::TopToBottom));
    args.parent = content;
    m_panel = VGXPanelClasses::create(QStringLiteral("CKobraRecSettings"), args);
    if (m_panel)
        content->add(m_panel);
    else
        content->add(new VGXLabel(content, QStringLiteral("No module offers a recorder panel.")));
    setContentPanel(content);
    // The recording time follows values that were set before the dialog existed.
    HostRecorder::updateTime(SDbInstTupel{path, side, 0, channel});
}

HostRecorderDialog::~HostRecorderDialog() = default;

} // namespace vgxapp
