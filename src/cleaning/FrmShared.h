// What the cleaning windows and the wizard share: the parts of a clean run that every cleaning
// window carries (load time, run settings, configuration lists, the run objects).
#pragma once

#include <initializer_list>
#include <memory>
#include <string>

class clsProtection;
class cRegSearch;
struct RunContext;

namespace ui {
class App;
class ComboBox;
class Form;
} // namespace ui

// Deletes a temporary decoded file of the Windows folder ("\xttxf.dll", "\xtdwf.dll") that a
// run cut short may have left; nothing when the Windows folder is unknown.
void DeleteDecodedCopy(const std::string& name);

// When a cleaning window was loaded, in the forms its backups and logs are named with.
struct LoadTime {
    std::string date;        // dd-mm-yyyy
    std::string timeForLog;  // hh:mm:ss
    std::string timeForName; // hhmmss
    // The backup stamp: date, "_", time for names.
    std::string stamp() const { return date + "_" + timeForName; }
};

// The local time now, as a cleaning window records it at its load.
LoadTime TakeLoadTime();

// The four settings a clean run reads at its start ("?" when missing).
struct RunSettings {
    std::string backupFiles;
    std::string backupDir;
    std::string backupReg;
    std::string logFile;
    // True when any of the three backups is exactly "Yes".
    bool anyBackup() const;
    // True when any of the four is exactly "Yes".
    bool any() const;
};

// Reads "BackupFiles", "BackupDir", "BackupReg" and "LogFile" of section "PROGRAM".
RunSettings ReadRunSettings();

// Sets the context's backup switches from `settings` and restarts its registry counter.
void ApplyRunSettings(RunContext& context, const RunSettings& settings);

// Adds the configurations of the program folder to every list in `lists` and selects the first
// in each. With none, shows the "0007"/"0008" critical box owned by `window` and returns false.
bool LoadConfigurationList(ui::Form& window, std::initializer_list<ui::ComboBox*> lists);

// The entry selected in `list`, or "" when none is.
std::string SelectedName(const ui::ComboBox& list);

// The decoder and the registry search object a cleaning window owns from its load to its
// unload. A release asked for while a run is using them (the window unloaded from within the
// search's pending messages) stops the search at once and frees the objects when the run ends.
class RunObjects {
  public:
    RunObjects();
    ~RunObjects();
    RunObjects(const RunObjects&) = delete;
    RunObjects& operator=(const RunObjects&) = delete;

    // Creates both objects.
    void create();
    // Stops a running search and releases both objects (at the end of a run that uses them).
    void release();
    // A run starts using the objects with `context` (its search is set here).
    void beginRun(RunContext& context);
    // The run is over; a release asked for meanwhile happens now.
    void endRun();

    // The decoder; nullptr once released.
    clsProtection* decoder() const { return decoderObject.get(); }

  private:
    std::unique_ptr<clsProtection> decoderObject;
    std::unique_ptr<cRegSearch> cReg;
    RunContext* activeRun = nullptr;
    bool releaseAsked = false;
};
