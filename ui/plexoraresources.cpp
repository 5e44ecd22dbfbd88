#include "ui/plexoraresources.h"

#include "ui/aboutdlg.h"
#include "ui/maindlg.h"
#include "ui/resource.h"

namespace {

const DialogTemplate kDialogs[] = {
    kAboutBoxTemplate,
    kMainDialogTemplate,
};

const StringResource kStrings[] = {
    {IDS_ABOUTBOX, "&About Plexora..."},
    {IDS_WAVE_FILTER, "Wave files (*.wav)|*.wav|All files (*.*)|*.*|"},
};

// The icon's images (32 x 32 and 16 x 16, 16 colours) are for backends that
// show them; the model needs only its id.
const IconResource kIcons[] = {
    {IDR_MAINFRAME, {}},
};

}  // namespace

const ResourceTable kPlexoraResources = {kDialogs, kStrings, kIcons};
