// The host's file dialogs and the save/recall popup that opens them.
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMap>
#include <QPointer>
#include <QVBoxLayout>

#include "host/gui/VGXCheckParameter.h"
#include "host/gui/VGXDataContainer.h"
#include "host/gui/VGXDataObject.h"
#include "host/gui/VGXDatabaseConnectorEntry.h"
#include "host/gui/VGXFileDialog.h"
#include "host/gui/VGXMain.h"
#include "host/gui/VGXMessageBox.h"
#include "host/gui/VGXSaveRecallPopup.h"
#include "host/gui/VGXUserFileDialog.h"
#include "host/gui/impl/VGXDbAccess.h"
#include "host/util/VGXErrorManager.h"
#include "host/util/VGXSafeFile.h"

namespace MvQARN {

namespace {

VGXUserFileDialog::AnswerHook& fileHook() {
    static VGXUserFileDialog::AnswerHook h;
    return h;
}

// A binding fixed to the instance current now, with an optional list index.
VGXUserDbAttributes fixedBinding(const char* name, int entryIndex) {
    const SDbInstTupel t = VGXUserDbAttributes(name).resolve();
    return VGXUserDbAttributes(name, t.t0, entryIndex >= 0 ? entryIndex : t.t3, t.t1, t.t2);
}

// Writes a path to a file parameter as one request; answers 0 or the error, with its text.
int writePath(const VGXUserDbAttributes& binding, const QString& path, QString& errorText) {
    VGXDatabaseConnectorEntry* entry = VGXDataObject::connectDatabase(nullptr, binding);
    if (!entry) {
        errorText = QString::fromLatin1(dbErrorText(DbErrUnknownParameter));
        return DbErrUnknownParameter;
    }
    entry->setData(new VGXDataContainer(path));
    // A file the database refuses while it takes the name (a damaged settings file) is a refusal
    // for the user as well.
    const int rc = entry->getReportedError();
    errorText = entry->getReportedErrorText();
    VGXDataObject::disconnectDatabase(entry);
    return rc;
}

QString patternOf(int fileTypeIndex) {
    const VGXFileType* type = VGXMain::fileType(fileTypeIndex);
    return type ? type->pattern : QString();
}

} // namespace

// ---------------------------------------------------------------------------------------------

VGXPopupStruct VGXPopupStruct::recall(const QString& text, const QString& title, const char* fileParameter,
                                      const char* catalogueParameter) {
    VGXPopupStruct p;
    p.text = text;
    p.title = title;
    p.fileParameter = fileParameter;
    p.catalogueParameter = catalogueParameter;
    p.operation = Recall;
    return p;
}

VGXPopupStruct VGXPopupStruct::save(const QString& text, const QString& title, const char* fileParameter,
                                    const char* catalogueParameter, const char* fastSaveParameter) {
    VGXPopupStruct p = recall(text, title, fileParameter, catalogueParameter);
    p.fastSaveParameter = fastSaveParameter;
    p.operation = Save;
    return p;
}

VGXUserPopupList& VGXUserPopupList::add(const VGXPopupStruct& entry) {
    m_entries.append(entry);
    return *this;
}

// ---------------------------------------------------------------------------------------------

VGXSaveRecallPopup::VGXSaveRecallPopup(QWidget* parent, const VGXUserPopupList& entries, int fileTypeIndex)
    : QMenu(parent), m_entries(entries), m_fileType(fileTypeIndex), m_tupel(VGXUserDbAttributes().resolve()) {
    for (int i = 0; i < m_entries.count(); ++i) {
        QAction* action = addAction(m_entries.at(i).text);
        // Queued: the menu closes before the modal file dialog opens.
        connect(
            action, &QAction::triggered, this, [this, i] { runEntry(i); }, Qt::QueuedConnection);
    }
}

VGXSaveRecallPopup::~VGXSaveRecallPopup() = default;

QString VGXSaveRecallPopup::runEntry(int index) {
    if (index < 0 || index >= m_entries.count())
        return QString();
    const VGXPopupStruct& e = m_entries.at(index);
    // The instance the popup was made for, whatever is current now.
    const int saved[4] = {VGXUserDbAttributes::currentInstance(), VGXUserDbAttributes::currentDirection(),
                          VGXUserDbAttributes::currentStation(), VGXUserDbAttributes::currentChannel()};
    VGXUserDbAttributes::setCurrentInstance(m_tupel.t0);
    VGXUserDbAttributes::setCurrentDirection(m_tupel.t1);
    VGXUserDbAttributes::setCurrentStation(m_tupel.t2);
    VGXUserDbAttributes::setCurrentChannel(m_tupel.t3);
    VGXUserFileDialog dialog(parentWidget(), e.title, e.title);
    if (e.operation == VGXPopupStruct::Save && !e.fastSaveParameter.isEmpty())
        dialog.setFastSaveParameter(fixedBinding(e.fastSaveParameter.constData(), -1));
    const QString path = dialog.exec(
        e.operation == VGXPopupStruct::Save ? VGXUserFileDialog::SaveFile : VGXUserFileDialog::OpenFile,
        m_fileType, e.catalogueParameter.isEmpty() ? nullptr : e.catalogueParameter.constData(),
        e.fileParameter.constData());
    VGXUserDbAttributes::setCurrentInstance(saved[0]);
    VGXUserDbAttributes::setCurrentDirection(saved[1]);
    VGXUserDbAttributes::setCurrentStation(saved[2]);
    VGXUserDbAttributes::setCurrentChannel(saved[3]);
    return path;
}

// ---------------------------------------------------------------------------------------------

VGXUserFileDialog::VGXUserFileDialog(QWidget* parent, const QString& title, const QString& shortTitle)
    : m_parent(parent), m_title(title), m_shortTitle(shortTitle.isEmpty() ? title : shortTitle),
      m_start(VGXDbAccess::userSettingsFolder()) {}

VGXUserFileDialog::~VGXUserFileDialog() = default;

void VGXUserFileDialog::setStartPath(const QString& path) {
    m_start = path;
}

void VGXUserFileDialog::setFastSaveParameter(const VGXUserDbAttributes& binding) {
    m_fast = binding;
}

void VGXUserFileDialog::setAnswerHook(AnswerHook hook) {
    fileHook() = std::move(hook);
}

QString VGXUserFileDialog::nameFilter(int fileTypeIndex) {
    const VGXFileType* type = VGXMain::fileType(fileTypeIndex);
    if (!type)
        return QString();
    if (type->description.contains(QLatin1Char('(')))
        return type->description;
    return QStringLiteral("%1 (%2)").arg(type->description, type->pattern);
}

void VGXUserFileDialog::fillCatalogue(const VGXUserDbAttributes& catalogue, const QString& folder,
                                      const QString& pattern) {
    if (catalogue.name().isEmpty() || folder.isEmpty())
        return;
    QStringList names = QDir(folder).entryList(pattern.isEmpty() ? QStringList() : QStringList{pattern},
                                               QDir::Files | QDir::NoSymLinks, QDir::Name);
    // The catalogue is answered to remote clients as one line; names that would break it stay out.
    names.removeIf([](const QString& n) { return !VGXSafeFile::isPlainName(n); });
    VGXDatabaseConnectorEntry* entry = VGXDataObject::connectDatabase(nullptr, catalogue);
    if (!entry)
        return;
    // A catalogue the database keeps to itself refuses; the dialog lists the folder anyway.
    entry->setData(new VGXDataContainer(names));
    VGXDataObject::disconnectDatabase(entry);
}

QString VGXUserFileDialog::exec(int mode, int fileTypeIndex, const char* catalogueParameter,
                                const char* fileParameter, int entryIndex) {
    m_mode = mode;
    m_lastError = 0;
    const QFileInfo start(m_start);
    const QString folder = start.isDir() ? start.absoluteFilePath() : start.absolutePath();
    const QString pattern = patternOf(fileTypeIndex);
    const VGXUserDbAttributes catalogue =
        catalogueParameter ? fixedBinding(catalogueParameter, -1) : VGXUserDbAttributes();
    fillCatalogue(catalogue, folder, pattern);

    QString path;
    if (fileHook()) {
        path = fileHook()(*this);
    } else {
        QFileDialog dialog(m_parent, m_title, folder);
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setObjectName(QStringLiteral("VGXUserFileDialog"));
        switch (mode) {
        case SelectFolder:
            dialog.setFileMode(QFileDialog::Directory);
            dialog.setOption(QFileDialog::ShowDirsOnly);
            break;
        case SaveFile:
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            dialog.setFileMode(QFileDialog::AnyFile);
            break;
        default:
            dialog.setFileMode(QFileDialog::ExistingFile);
            break;
        }
        QStringList filters;
        if (const QString f = nameFilter(fileTypeIndex); !f.isEmpty())
            filters << f;
        filters << QStringLiteral("All Files (*)");
        dialog.setNameFilters(filters);
        if (!pattern.isEmpty() && pattern.startsWith(QLatin1String("*.")))
            dialog.setDefaultSuffix(pattern.mid(2));
        if (start.isFile())
            dialog.selectFile(start.absoluteFilePath());
        if (!m_fast.name().isEmpty() && mode == SaveFile) {
            // Qt's own dialog lays out in a grid; the option goes into a row below it.
            if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
                grid->addWidget(new VGXCheckParameter(&dialog, QStringLiteral("Fast Save"), m_fast,
                                                      VGXCheckParameter::LabelOnBox),
                                grid->rowCount(), 0, 1, grid->columnCount());
        }
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        path = dialog.selectedFiles().first();
    }
    if (path.isEmpty())
        return QString();

    QString errorText;
    if (m_check)
        errorText = m_check(path);
    m_lastError = errorText.isEmpty() ? writePath(fixedBinding(fileParameter, entryIndex), path, errorText)
                                      : int(DbErrBadFile);
    if (m_lastError != 0) {
        VGXErrorManager::signal(m_lastError, errorText);
        VGXMessageBox box(m_title, errorText, VGXMessageBox::Critical, m_parent);
        box.addDialogButton(VGXMessageBox::ButtonOk);
        box.exec();
        return QString();
    }
    fillCatalogue(catalogue, QFileInfo(path).absolutePath(), pattern);
    return path;
}

// ---------------------------------------------------------------------------------------------

VGXFileDialog* VGXFileDialog::dialogFor(const QString& qualifier) {
    static QMap<QString, QPointer<VGXFileDialog>> dialogs;
    QPointer<VGXFileDialog>& d = dialogs[qualifier];
    if (!d)
        d = new VGXFileDialog(qualifier);
    return d;
}

VGXFileDialog::VGXFileDialog(const QString& qualifier)
    : VGXDialog(QStringLiteral("VGXFileDialog")), m_files(new QFileDialog(this, Qt::Widget)) {
    if (!qualifier.isEmpty())
        setObjectName(QStringLiteral("VGXFileDialog") + qualifier);
    m_files->setOption(QFileDialog::DontUseNativeDialog);
    m_files->setWindowFlags(Qt::Widget);
    m_files->setSizeGripEnabled(false);
    setContentPanel(m_files);
    connect(m_files, &QFileDialog::fileSelected, this, [this](const QString& path) {
        if (choose(path) == 0)
            hide();
    });
    // An embedded dialog hides itself when it finishes; it stays shown inside the frame.
    connect(m_files, &QDialog::finished, this, [this](int result) {
        m_files->show();
        if (result != QDialog::Accepted)
            hide();
    });
}

VGXFileDialog::~VGXFileDialog() {
    VGXDataObject::disconnectDatabase(m_entry);
}

void VGXFileDialog::setPaths(const QString& currentFile, const QString& folder) {
    const QFileInfo file(currentFile);
    if (!currentFile.isEmpty() && file.isFile()) {
        m_files->setDirectory(file.absolutePath());
        m_files->selectFile(file.absoluteFilePath());
    } else {
        m_files->setDirectory(folder);
    }
}

void VGXFileDialog::setOperationMode(int mode, const VGXUserDbAttributes& fileParameter) {
    m_mode = mode;
    switch (mode) {
    case VGXUserFileDialog::SelectFolder:
        m_files->setAcceptMode(QFileDialog::AcceptOpen);
        m_files->setFileMode(QFileDialog::Directory);
        break;
    case VGXUserFileDialog::SaveFile:
        m_files->setAcceptMode(QFileDialog::AcceptSave);
        m_files->setFileMode(QFileDialog::AnyFile);
        break;
    default:
        m_files->setAcceptMode(QFileDialog::AcceptOpen);
        m_files->setFileMode(QFileDialog::ExistingFile);
        break;
    }
    VGXDataObject::disconnectDatabase(m_entry);
    m_entry = VGXDataObject::connectDatabase(nullptr, fileParameter);
}

void VGXFileDialog::setFileType(int fileTypeIndex, const QString& description, const QString& pattern) {
    QStringList filters;
    if (!description.isEmpty())
        filters << (description.contains(QLatin1Char('('))
                        ? description
                        : QStringLiteral("%1 (%2)").arg(description, pattern));
    if (const QString f = VGXUserFileDialog::nameFilter(fileTypeIndex); !f.isEmpty() && !filters.contains(f))
        filters << f;
    filters << QStringLiteral("All Files (*)");
    m_files->setNameFilters(filters);
    const QString suffixOf = !pattern.isEmpty() ? pattern : patternOf(fileTypeIndex);
    if (suffixOf.startsWith(QLatin1String("*.")))
        m_files->setDefaultSuffix(suffixOf.mid(2));
}

QStringList VGXFileDialog::nameFilters() const {
    return m_files->nameFilters();
}

int VGXFileDialog::choose(const QString& path) {
    if (!m_entry)
        return DbErrUnknownParameter;
    const int rc = m_entry->setData(new VGXDataContainer(path));
    if (rc != 0) {
        showStatusMessage(m_entry->getLastErrorText());
        VGXErrorManager::signal(rc, m_entry->getLastErrorText());
        return rc;
    }
    showStatusMessage(QString());
    emit fileChosen(path);
    return 0;
}

} // namespace MvQARN
