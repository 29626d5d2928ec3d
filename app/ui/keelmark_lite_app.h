#pragma once

#include <QString>

#include <memory>
#include <string>

class CMainFrame;

// How the program was started.
struct CStartup {
    // The voyage file named on the command line, already absolute; empty: none.
    std::string commandLineFile;
    // The tip of the day, when its setting asks for it. Off for a run that must not wait.
    bool tipOfTheDay = true;
};

// The application: the start-up sequence and the main frame it creates.
class CKeelmarkLiteApp {
public:
    CKeelmarkLiteApp();
    ~CKeelmarkLiteApp();
    CKeelmarkLiteApp(const CKeelmarkLiteApp&) = delete;
    CKeelmarkLiteApp& operator=(const CKeelmarkLiteApp&) = delete;

    // The start, in this order: the data folder as working folder with the shipped
    // files in it, on the very first start a demo voyage there; the main frame
    // (with its daylight-saving warning); the voyage of the command line; the
    // window shown; the tip of the day; then the voyage of "datafile" in place of
    // whatever is open.
    bool InitInstance(const CStartup& startup);

    CMainFrame* MainFrame() const { return m_frame.get(); }

private:
    std::unique_ptr<CMainFrame> m_frame;
};

// The user's data folder (created when missing) made the working folder, so that
// the relative paths of the settings (".\almanac.dat") find the files there. A
// folder that cannot be made or entered is reported and the program stays where
// it is. Returns the working folder.
QString EnterDataFolder();

// Puts a file the program ships as a resource into place when it is not there.
// Nothing happens when the resource does not exist (a file not built yet) or the
// target is there already; false when copying failed (reported, naming the file).
bool InstallShippedFile(const QString& resource, const QString& target);

// On the very first start (no "datafile" setting, no voyage file in the folder,
// no vessel or cyclone file where the settings put them) writes the demo voyage
// to the folder, with the vessel and cyclone files its save writes. True when it
// wrote one.
bool CreateDemoVoyageOnFirstStart(const QString& folder);

// The voyage of "datafile" in place of whatever the frame has open. An empty
// setting (the last voyage was never saved) keeps the open voyage, or starts a
// new one if none is; a file that cannot be opened is reported by name and a
// new, untitled voyage takes its place. On the first start (the demo voyage was
// just made) the "After loading route..." choice is not put.
void OpenLastVoyage(CMainFrame& frame, bool firstStart = false);

inline constexpr const char* kDataFolderFault = "Cannot use the data folder ";
