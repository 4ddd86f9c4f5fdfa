#pragma once
// Where the program takes its run-time libraries from. The vendor's handset
// library is copied in by the user, so until it is there Windows would go on
// looking in the working folder and along PATH, folders an ordinary user may
// write: a file of that name there would run inside Tolvane. Libraries come
// only from the program's own folder and System32.
#include <windows.h>

#include <string>

namespace tolvane {

// Takes the working folder and PATH out of the process's library search.
// Called first thing in the process, before any library is loaded.
void RestrictLibrarySearch();

// The full path of a file in the program's folder; a name that is already
// absolute is kept as it is.
std::string BesideProgram(const char* fileName);

// Loads a library from the program's folder only (or from the absolute path
// given); its own dependencies resolve from its folder and System32.
HMODULE LoadLibraryBesideProgram(const char* fileName);

}  // namespace tolvane
