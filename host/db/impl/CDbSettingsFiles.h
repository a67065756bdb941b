#pragma once
// Settings of one instance as a whole: the group preset (values of a group word back to their
// defaults or to what preset functions give), settings files (*.lynx, see CLynxFile) saved from and
// recalled into the values of one path-side instance, and the rules for names of user files.
// Values are stored through the request pipeline, so their update functions run and the changes of
// a whole preset or recall reach the observers as one batch.
#include <QByteArray>
#include <QString>
#include <functional>
#include <vector>

#include "host/db/CDbAnswerBuffer.h"
#include "host/db/impl/CDbRequestPipeline.h"
#include "host/db/impl/CLynxFile.h"
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class CDbAllType;
class CDbDefinitionRegistry;
class CDbForwardAnswerBuffer;
class CDbRecord;
class CDbRequestPipeline;
struct SDbInstTupel;

class VGX_EXPORT CDbSettingsFiles {
public:
    CDbSettingsFiles(CDbDefinitionRegistry& registry, CDbRequestPipeline& pipeline);
    CDbSettingsFiles(const CDbSettingsFiles&) = delete;
    CDbSettingsFiles& operator=(const CDbSettingsFiles&) = delete;

    // Back to the default user settings folder.
    void reset();

    // Group preset (see CDbCnct::presetGrp); filter indices -1 mean any. Errors without an answer
    // buffer go to the pipeline's error sink.
    int presetGroup(int group, unsigned mask, int t0, int t1, int t2, int t3, const char* name = nullptr,
                    CDbAnswerBuffer* answer = nullptr);
    // Settings files of one path-side instance.
    int saveSettings(const QString& path, int group, unsigned mask, int t0, int t1, const char* module,
                     CDbAnswerBuffer* answer = nullptr);
    int recallSettings(const QString& path, int t0, int t1, const char* module = nullptr,
                       CDbAnswerBuffer* answer = nullptr, const std::function<void()>& preset = {});

    // The same for contexts of plug-in functions, whose errors go to the request's answer buffer.
    int presetWith(int group, unsigned mask, const int filter[4], const char* name,
                   CDbForwardAnswerBuffer& answer);
    int saveWith(const QString& path, int group, unsigned mask, int t0, int t1, const char* const* names,
                 const char* module, const char* section, const char* key, CDbForwardAnswerBuffer& answer);
    // moduleNumber >= 0 refuses files with values of other modules; an empty module name accepts a
    // file of any module.
    int recallWith(const QString& path, int t0, int t1, const QByteArray& module, int moduleNumber,
                   const std::function<void()>& preset, CDbForwardAnswerBuffer& answer);

    void setUserSettingsDir(const QString& dir) { m_userDir = dir; }
    QString userSettingsDir() const;
    // Full path of a user file inside the user settings folder; empty when the name is refused.
    QString userFilePath(const QString& name, bool settingsFile) const;

private:
    // The checked recall of parsed file contents into instance (t0, t1).
    int applyRecalled(const CLynxFile::SHeader& h, const QVector<CLynxFile::SEntry>& entries,
                      const QString& fileName, int t0, int t1, int moduleNumber,
                      const std::function<void()>& preset, CDbForwardAnswerBuffer& answer);
    // Leaves values as the state of their instances, whatever the order of the list.
    int restoreState(const std::vector<CDbRequestPipeline::SRestore>& values, CDbForwardAnswerBuffer& answer);
    // True when name has instance (t2, t3) on an interface other than t's path and side.
    bool onOtherInterface(const QByteArray& name, const SDbInstTupel& t) const;
    // Adds the host's recall event to the changes being collected.
    void noteRecall();
    bool inSettings(const CDbRecord* rec, int group, unsigned mask, bool withSaveRecall) const;
    // What a group preset gives rec at stored instance st: its preset function's value or its default.
    CDbAllType presetValue(CDbRecord* rec, const SDbInstTupel& st, CDbForwardAnswerBuffer& answer);
    // Lets rec's save/recall object, if any, replace v, the value of instance t being saved (save) or
    // recalled; its error is reported under t.t0.
    int passSavRcl(CDbRecord* rec, const SDbInstTupel& t, CDbAllType& v, bool save,
                   CDbForwardAnswerBuffer& answer);

    CDbDefinitionRegistry& m_registry;
    CDbRequestPipeline& m_pipeline;
    QString m_userDir;
    bool m_recalling = false;
};

} // namespace MvQARN
