// CMergeApp: the desktop program. It owns the settings record (its CSettings
// part) for the whole run: InitInstance finds the settings file (beside the
// executable, or the user's own: FindSettingsLocation), loads it or installs
// the built-in settings, and runs the main dialog; ExitInstance writes the
// settings file back and destroys the configurations. A settings file that
// had to be mended before use is copied to settings.pxr.bak first, so that
// the save cannot lose it.
#pragma once

#include "layout/settings.h"
#include "platform/cwinapp.h"

class CMergeApp : public CWinApp, public CSettings {
public:
    CMergeApp();

    // Runs the main dialog; always FALSE, so the framework goes straight to
    // ExitInstance.
    BOOL InitInstance() override;
    // Saves, tells the user once if that failed, then destroys the configurations.
    int ExitInstance() override;

    CString m_strAppDir;        // the executable's folder, without a trailing '/'
    CString m_strSettingsPath;  // where the settings are saved
    // A mended settings file that could not be copied aside is not replaced.
    bool m_bKeepSettingsFile = false;

private:
    // Writes the settings file, its folder made as needed; empty when saved,
    // else the path and the reason it was not.
    CString SaveSettingsFile() const;
};
