#include "ui/plexoraresources.h"

#include "ui/aboutdlg.h"
#include "ui/maindlg.h"
#include "ui/plexoraicon.h"
#include "ui/resource.h"
#include "ui/settingsdlg.h"

namespace {

const DialogTemplate kDialogs[] = {
    kAboutBoxTemplate,
    kMainDialogTemplate,
    kSettingsTemplate,
};

const StringResource kStrings[] = {
    {IDS_ABOUTBOX, "&About Plexora..."},
    {IDS_WAVE_FILTER, "Wave files (*.wav)|*.wav|All files (*.*)|*.*|"},
    {IDS_STEM_FILTER, "Wave files (*.wav;*.rf64;*.bw64)|*.wav;*.rf64;*.bw64|All files (*.*)|*.*|"},
};

const IconResource kIcons[] = {
    {IDR_MAINFRAME, kPlexoraIcoFile, kPlexoraIconSvg},
};

}  // namespace

const ResourceTable kPlexoraResources = {kDialogs, kStrings, kIcons};
