#pragma once
// Identifiers of the program's resources, shared by resources/tolvane.rc and
// the code. Plain macros: the resource compiler reads this file too.

// String table.
#define IDS_MAIN_WINDOW_CLASS 3
