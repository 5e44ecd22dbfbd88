// The program's resource and control ids, with the values of its resource
// script. Scenario scripts write them by name through resourcenames.cpp: an
// id added here belongs there too.
#pragma once

#include "core/types.h"

// Dialog templates.
constexpr UINT IDD_ABOUTBOX = 100;
constexpr UINT IDD_MAIN = 102;
constexpr UINT IDD_SETTINGS = 129;

// Strings.
constexpr UINT IDS_ABOUTBOX = 101;      // "&About Plexora..."
constexpr UINT IDS_WAVE_FILTER = 1006;  // the save dialog's filter list
constexpr UINT IDS_STEM_FILTER = 1007;  // the open dialog's: every container the reader takes

// The program icon.
constexpr UINT IDR_MAINFRAME = 128;

// The About item of the main dialog's system menu.
constexpr UINT IDM_ABOUTBOX = 0x0010;

// Main dialog.
constexpr int IDC_PROCESS = 1000;
constexpr int IDC_PROGRESS = 1001;
constexpr int IDC_SETTINGS = 1003;
constexpr int IDC_ABOUT = 1009;
constexpr int IDC_CONFIGURATION = 1012;
// Row r's button is IDC_CHANNEL_BUTTON_FIRST + r, its label IDC_CHANNEL_LABEL_FIRST + r.
constexpr int IDC_CHANNEL_BUTTON_FIRST = 666;
constexpr int IDC_CHANNEL_LABEL_FIRST = 777;

// Settings dialog.
constexpr int IDC_SUFFIX_FIRST = 555;  // the suffix edit of position i is IDC_SUFFIX_FIRST + i
constexpr int IDC_AUTO_PADDING = 1003;
constexpr int IDC_AUTO_LOADING = 1004;
constexpr int IDC_NO_EXTENSIBLE = 1005;
constexpr int IDC_CHANNELS = 1006;
constexpr int IDC_AUTO_EXPORT = 1011;
constexpr int IDC_ADD = 1014;
constexpr int IDC_REMOVE = 1015;
constexpr int IDC_CONFIGURATIONS = 1016;
constexpr int IDC_DEFAULT_CONFIGURATION = 1017;
