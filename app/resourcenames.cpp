#include "app/resourcenames.h"

#include "ui/resource.h"

namespace {

// Every id of resource.h, in its order; an id added there belongs here too.
const NamedId kNames[] = {
    NAMED_ID(IDD_ABOUTBOX),
    NAMED_ID(IDD_MAIN),
    NAMED_ID(IDD_SETTINGS),
    NAMED_ID(IDS_ABOUTBOX),
    NAMED_ID(IDS_WAVE_FILTER),
    NAMED_ID(IDR_MAINFRAME),
    NAMED_ID(IDM_ABOUTBOX),
    NAMED_ID(IDC_PROCESS),
    NAMED_ID(IDC_PROGRESS),
    NAMED_ID(IDC_SETTINGS),
    NAMED_ID(IDC_ABOUT),
    NAMED_ID(IDC_CONFIGURATION),
    NAMED_ID(IDC_CHANNEL_BUTTON_FIRST),
    NAMED_ID(IDC_CHANNEL_LABEL_FIRST),
    NAMED_ID(IDC_SUFFIX_FIRST),
    NAMED_ID(IDC_AUTO_PADDING),
    NAMED_ID(IDC_AUTO_LOADING),
    NAMED_ID(IDC_NO_EXTENSIBLE),
    NAMED_ID(IDC_CHANNELS),
    NAMED_ID(IDC_AUTO_EXPORT),
    NAMED_ID(IDC_ADD),
    NAMED_ID(IDC_REMOVE),
    NAMED_ID(IDC_CONFIGURATIONS),
    NAMED_ID(IDC_DEFAULT_CONFIGURATION),
};

}  // namespace

const std::span<const NamedId> kResourceNames = kNames;
