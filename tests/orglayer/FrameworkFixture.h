#pragma once
// The host with the organisation-layer framework, the simulated boxes and the plug-in's module:
// parameter writes go through the database as a user's would, and the framework programs the
// simulated boxes through the module's organisation layer.
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

#include "OrgLayerTestSupport.h"
#include "host/db/CDbDataTypeNString.h"
#include "host/olfw/impl/COlFramework.h"
#include "host/olfw/impl/HostParameters.h"
#include "host/runtime/impl/VGXHostRuntime.h"
#include "sim/SimBoxes.h"

namespace oltest {

class HostWithBoxes : public ::testing::Test, public testsupport::DbRequests {
protected:
    void startHost(const QStringList& pluginPaths = {}) {
        db().reset();
        ASSERT_TRUE(m_settings.isValid());
        registerHostParameters();
        m_framework.setOperationDurationMs(0);
        VGXHostRuntime::Options options;
        options.family = 0x10000;
        options.settingsDir = m_settings.path();
        options.pluginPaths = pluginPaths;
        m_runtime = std::make_unique<VGXHostRuntime>(options);
        m_runtime->setOlManager(&m_framework);
    }
    // The host with the KOBRA plug-in loaded and started.
    void startHostWithKobra() {
        startHost({QStringLiteral(VGX_BUILD_DIR "/plugins/libkobra.so")});
        QString error;
        ASSERT_TRUE(m_runtime->start(&error)) << error.toStdString();
    }
    void stopHost() {
        if (m_runtime)
            m_runtime->shutdown();
        m_runtime.reset();
        db().reset();
    }

    // Values through the database interface a module reads with.
    int readInt(const char* name, const SDbInstTupel& t) {
        int v = -9999;
        db().dataBaseIfc()->getSelect(name, v, t.t0, t.t3, t.t2, t.t1);
        return v;
    }
    double number(const char* name, const SDbInstTupel& t) {
        double v = -9999;
        db().dataBaseIfc()->getNumber(name, v, t.t0, t.t3, t.t2, t.t1);
        return v;
    }
    QString text(const char* name, const SDbInstTupel& t) {
        QString v = QStringLiteral("<unread>");
        db().dataBaseIfc()->getString(name, v, t.t0, t.t3, t.t2, t.t1);
        return v;
    }

    // The box list as the plug-in keeps it from the framework's USB announcements: entry 0 "None",
    // then the connected boxes.
    void listBoxes() {
        QStringList list{QStringLiteral("None")};
        for (int serial : m_boxes.connectedSerials())
            list.append(QString::number(serial));
        set("IdPDbKobraSerials", tup(0, 0), CDbAllType(new CDbDataTypeNString(list)));
    }
    // A user selects a box for an interface by its serial number and switches the interface on
    // (service functions unlocked, so no breakout board is required).
    void switchOn(int path, int side, int serial) {
        setInt("IdPDbProtLevState", tup(0, 0), 0);
        setNumber("IdPiDbKobraSelected", tup(path, side), serial);
        setInt("IdPDbLynxState", tup(path, side), 1);
    }
    vgxsim::SimKobraDevice& box(int serial) {
        vgxsim::SimKobraDevice* d = m_boxes.simDevice(serial);
        EXPECT_NE(d, nullptr) << serial;
        return *d;
    }

    QTemporaryDir m_settings;
    vgxsim::SimBoxes m_boxes;
    COlFramework m_framework{&m_boxes};
    std::unique_ptr<VGXHostRuntime> m_runtime;
};

} // namespace oltest
