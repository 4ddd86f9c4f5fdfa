#pragma once
// Identifiers of the program's resources, shared by resources/tolvane.rc and
// the code. Plain macros: the resource compiler reads this file too.

// String table.
#define IDS_MAIN_WINDOW_CLASS 3

// Tooltips of the tray icon, one per state of the handset and the client.
#define IDS_TIP_HANDSET_OFFLINE 6  // the client is on-line, no handset
#define IDS_TIP_SKYPE_OFFLINE 7    // a handset, the client off-line
#define IDS_TIP_HANDSET_IN_USE 8   // both on-line
#define IDS_TIP_ALL_OFFLINE 9      // neither

// The prefix of the handset's device names ("USB").
#define IDS_HANDSET_PREFIX 10

// Shown in the Audio Device Settings lists when there is no wave device.
#define IDS_NO_SPEAKER 11
#define IDS_NO_MICROPHONE 12

// Dialogs, the tray menu and the About box's icon.
#define IDD_ABOUT 111
#define IDR_TRAY_MENU 112
#define IDI_ABOUT 114
#define IDD_VOLUME 115
#define IDD_ADVANCED_SETTINGS 116
#define IDD_AUDIO_DEVICES 118

// Tray menu commands.
#define ID_TRAY_EXIT 40001
#define ID_TRAY_ABOUT 40002
#define ID_TRAY_VOLUME 40007
#define ID_TRAY_ADVANCED_SETTINGS 40008
#define ID_TRAY_AUDIO_DEVICES 40009

// Controls.
#define IDC_ABOUT_TEXT 1001
#define IDC_ABOUT_ICON 1002
#define IDC_MIC_LEVEL 1003
#define IDC_SPEAKER_LEVEL 1004
#define IDC_AUTO_SWITCH_AUDIO 1008
#define IDC_AUTO_RUN_SKYPE 1009
#define IDC_KEY_TONE 1010
#define IDC_RING_LIST 1011
#define IDC_PLAYBACK_DEVICE 1015
#define IDC_RECORDING_DEVICE 1016
#define IDC_AUTO_SWITCH_SYSTEM_AUDIO 1019
#define IDC_DEFAULT_VALUE 1024
