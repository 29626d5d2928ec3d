#include "app/ui/keelmark_lite_app.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "app/demo_voyage.h"
#include "app/ui/main_frame.h"
#include "app/ui/program.h"
#include "app/ui/tip_dialog.h"
#include "core/file_io.h"
#include "document/keelmark_lite_doc.h"
#include "particulars/vessel.h"
#include "platform/services.h"
#include "weather/hurricane_list.h"

namespace {

constexpr const char* kDatafileKey = "datafile";
constexpr const char* kShippedAlmanac = ":/data/almanac.dat";
constexpr const char* kAlmanacFileName = "almanac.dat";

} // namespace

QString EnterDataFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (folder.isEmpty()) return QDir::currentPath();
    if (!QDir().mkpath(folder) || !QDir::setCurrent(folder)) {
        services::Prompts().Show(kDataFolderFault + ("\"" + folder.toStdString()) +
                                     "\": it cannot be created or entered.\nThe files are looked for in \"" +
                                     QDir::currentPath().toStdString() + "\" instead.",
                                 PromptIcon::Warning);
        return QDir::currentPath();
    }
    return QDir::currentPath();
}

bool InstallShippedFile(const QString& resource, const QString& target) {
    InitResources();
    if (!QFile::exists(resource) || QFileInfo::exists(target)) return true;
    if (QFile::copy(resource, target)) {
        // Resources are read-only; the copy is the user's to update.
        QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner | QFileDevice::WriteUser);
        return true;
    }
    services::Prompts().Show("Cannot put the shipped file \"" + QDir::toNativeSeparators(target).toStdString() +
                                 "\" in place.",
                             PromptIcon::Warning);
    return false;
}

bool CreateDemoVoyageOnFirstStart(const QString& folder) {
    const QString path = QDir(folder).filePath(QString::fromUtf8(kDemoVoyageFileName));
    if (services::Settings().Contains(kSettingsSection, kDatafileKey) || QFileInfo::exists(path)) return false;
    // Saving the demo writes the vessel and cyclone files too: where the user has
    // such files already, this is no first start and they are not to be touched.
    const std::string vessel = services::GetString(CVessel::kFileSetting, CVessel::kDefaultWritePath);
    const std::string cyclones = services::GetString(kHurricaneSettingKey, kHurricaneDefaultPath);
    for (const std::string& side : {vessel, cyclones})
        if (QFileInfo::exists(QString::fromStdString(NormalizePath(side)))) return false;
    CKeelmarkLiteDoc demo;
    BuildDemoVoyage(demo, services::Now());
    std::string error;
    if (demo.SaveVoyageFile(path.toStdString(), error)) return true;
    services::Prompts().Show(error, PromptIcon::Warning);
    return false;
}

void OpenLastVoyage(CMainFrame& frame, bool firstStart) {
    const std::string datafile = services::GetString(kDatafileKey, kDemoVoyageFileName);
    if (datafile.empty()) {
        if (!frame.GetDocument()) frame.NewDocument();
        return;
    }
    frame.CloseDocument(false);
    std::string error;
    if (frame.LoadDocumentFile(datafile, error, !firstStart)) return;
    services::Prompts().Show("The last voyage could not be opened:\n" + error + "\nA new voyage is started instead.",
                             PromptIcon::Warning);
    frame.NewDocument();
}

CKeelmarkLiteApp::CKeelmarkLiteApp() = default;

CKeelmarkLiteApp::~CKeelmarkLiteApp() = default;

bool CKeelmarkLiteApp::InitInstance(const CStartup& startup) {
    const QString folder = EnterDataFolder();
    RemoveStaleTemporaryFiles(folder.toStdString()); // left by saves a crash interrupted
    InstallShippedFile(QString::fromUtf8(kShippedAlmanac), QDir(folder).filePath(QString::fromUtf8(kAlmanacFileName)));
    const bool firstStart = CreateDemoVoyageOnFirstStart(folder);

    m_frame = std::make_unique<CMainFrame>();
    m_frame->PlaceOnScreen();
    m_frame->WarnAboutDaylightSaving();

    // A file named on the command line opens first. Without one no voyage is made
    // here: the voyage of "datafile" replaces whatever is open a moment later, and
    // a new voyage made only to be closed would report its missing files twice.
    if (!startup.commandLineFile.empty()) m_frame->OpenDocumentFile(startup.commandLineFile);

    m_frame->show();
    if (startup.tipOfTheDay && CTipDialog::ShowAtStartUp()) {
        CTipDialog tip(m_frame.get());
        tip.exec();
    }
    OpenLastVoyage(*m_frame, firstStart);
    return true;
}
