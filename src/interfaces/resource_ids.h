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
