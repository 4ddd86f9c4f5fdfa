// The installer of this build, run silently the way an administrator would,
// in a Wine prefix that is created afresh for this program (see
// CMakeLists.txt): the files, the Start-menu shortcut, the start-at-sign-in
// entry (unless /NOSTARTUP says no) and the Add/Remove Programs entry
// appear; the installed Tolvane, given the simulated handset library where
// the readme says the vendor's goes, attaches to the simulated client; an
// upgrade closes the running program;
// the uninstaller removes everything but a Tolvane.ini that holds settings;
// a folder outside Program Files gets the rights of Program Files.
#include <gtest/gtest.h>
#include <windows.h>
#include <aclapi.h>
#include <sddl.h>
#include <shlobj.h>

#include <algorithm>
#include <ostream>
#include <utility>

#include <chrono>
#include <string>
#include <vector>

#include "e2e_support.h"
#include "sim_control_win.h"
#include "sim_handset_client.h"

namespace tolvane::testing {
namespace {

using namespace std::chrono_literals;

const char* const kInstalledFiles[] = {"Tolvane.exe",          "QorFontProcessLib.dll", "Tolvane.ini",
                                       "tolvane_active.ico",   "tolvane_no_any.ico",    "tolvane_no_handset.ico",
                                       "tolvane_no_skype.ico", "README.txt",            "uninstall.exe"};
const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tolvane";
const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string KnownFolder(int csidl) {
  char path[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

// Where the installer of this bitness puts the program.
std::string InstallFolder() { return KnownFolder(CSIDL_PROGRAM_FILES) + "\\Tolvane\\"; }
std::string Shortcut() { return KnownFolder(CSIDL_COMMON_PROGRAMS) + "\\Tolvane.lnk"; }

// A value under HKLM; "<none>" when it is not there.
std::string MachineValue(const char* key, const char* name) {
  char value[1024] = {};
  DWORD size = sizeof value - 1;
  if (RegGetValueA(HKEY_LOCAL_MACHINE, key, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) {
    return "<none>";
  }
  return value;
}

// Runs a command and waits for its process, within three minutes.
DWORD Run(const std::string& commandLine) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::string line = commandLine;
  if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info) == 0) {
    ADD_FAILURE() << "cannot start " << commandLine << " (error " << GetLastError() << ")";
    return 9999;
  }
  DWORD code = 9999;
  if (WaitForSingleObject(info.hProcess, 180000) == WAIT_OBJECT_0) {
    GetExitCodeProcess(info.hProcess, &code);
  } else {
    ADD_FAILURE() << "still running after three minutes: " << commandLine;
    TerminateProcess(info.hProcess, 1);
  }
  CloseHandle(info.hProcess);
  CloseHandle(info.hThread);
  return code;
}

void Install(const std::string& options = "") {
  ASSERT_EQ(Run("\"" TOLVANE_INSTALLER "\" /S" + options), 0u);
}

// One allowed entry of an access list: who (a SID string), what rights, and
// the inheritance flags it passes on.
struct Allowed {
  std::string who;
  DWORD rights;
  BYTE inheritance;
  bool operator==(const Allowed&) const = default;
  bool operator<(const Allowed& other) const { return who < other.who; }
};

void PrintTo(const Allowed& a, std::ostream* out) {
  *out << a.who << " rights 0x" << std::hex << a.rights << " inheritance 0x" << int{a.inheritance} << std::dec;
}

// A file's or folder's access list as read back from the file system: the
// allowed entries (sorted), and whether rights from above are cut off. Any
// other kind of entry counts as an error.
struct AccessList {
  bool inheritanceCut = false;
  std::vector<Allowed> allowed;
  int otherEntries = 0;
};

AccessList ReadAccessList(const std::string& path) {
  AccessList list;
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetNamedSecurityInfoA(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                            nullptr, &descriptor) != ERROR_SUCCESS) {
    ADD_FAILURE() << "cannot read the access list of " << path;
    return list;
  }
  SECURITY_DESCRIPTOR_CONTROL control = 0;
  DWORD revision = 0;
  GetSecurityDescriptorControl(descriptor, &control, &revision);
  list.inheritanceCut = (control & SE_DACL_PROTECTED) != 0;
  for (DWORD i = 0; dacl != nullptr && i < dacl->AceCount; ++i) {
    void* ace = nullptr;
    if (!GetAce(dacl, i, &ace)) continue;
    const auto* header = static_cast<ACE_HEADER*>(ace);
    if (header->AceType != ACCESS_ALLOWED_ACE_TYPE) {
      ++list.otherEntries;
      continue;
    }
    auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
    char* sid = nullptr;
    ConvertSidToStringSidA(reinterpret_cast<PSID>(&allowed->SidStart), &sid);
    list.allowed.push_back({sid != nullptr ? sid : "?", allowed->Mask,
                            static_cast<BYTE>(header->AceFlags & (OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE))});
    LocalFree(sid);
  }
  LocalFree(descriptor);
  std::sort(list.allowed.begin(), list.allowed.end());
  return list;
}

// Started as Add/Remove Programs starts it, the NSIS uninstaller copies
// itself to the temporary folder, starts the copy with _?=<folder> and exits
// at once. The test does that step itself, so that it can wait for the copy.
void Uninstall(const std::string& folder = InstallFolder()) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string copy = std::string(temp) + "tolvane-uninstall.exe";
  ASSERT_TRUE(CopyFileA((folder + "uninstall.exe").c_str(), copy.c_str(), FALSE));
  EXPECT_EQ(Run("\"" + copy + "\" /S _?=" + folder.substr(0, folder.size() - 1)), 0u);
  DeleteFileA(copy.c_str());
}

// The installed program's version, from its version resource.
std::string FileVersion(const std::string& path) {
  std::vector<char> data(GetFileVersionInfoSizeA(path.c_str(), nullptr));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT size = 0;
  if (data.empty() || !GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(data.size()), data.data()) ||
      !VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &size)) {
    return "<none>";
  }
  return std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionMS)) +
         "." + std::to_string(HIWORD(fixed->dwFileVersionLS));
}

bool HasManifest(const std::string& path) {
  const HMODULE image = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (image == nullptr) return false;
  const bool found = FindResourceA(image, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)) != nullptr;
  FreeLibrary(image);
  return found;
}

std::string IniValue(const char* section, const char* key) {
  char value[64] = {};
  GetPrivateProfileStringA(section, key, "<none>", value, sizeof value, (InstallFolder() + "Tolvane.ini").c_str());
  return value;
}

void ExpectInstalled(bool startsAtSignIn = true) {
  const std::string folder = InstallFolder();
  for (const char* file : kInstalledFiles) EXPECT_TRUE(Exists(folder + file)) << folder << file;
  EXPECT_EQ(FileVersion(folder + "Tolvane.exe"), TOLVANE_VERSION);
  EXPECT_TRUE(HasManifest(folder + "Tolvane.exe"));
  EXPECT_TRUE(Exists(Shortcut())) << Shortcut();
  EXPECT_EQ(MachineValue(kUninstallKey, "DisplayName"), "Tolvane");
  EXPECT_EQ(MachineValue(kUninstallKey, "DisplayVersion"), TOLVANE_VERSION);
  EXPECT_EQ(MachineValue(kUninstallKey, "UninstallString"), "\"" + folder + "uninstall.exe\"");
  EXPECT_EQ(MachineValue(kUninstallKey, "InstallLocation") + "\\", folder);
  EXPECT_EQ(MachineValue(kRunKey, "Tolvane"), startsAtSignIn ? "\"" + folder + "Tolvane.exe\"" : "<none>");
}

void ExpectProgramRemoved() {
  const std::string folder = InstallFolder();
  for (const char* file : kInstalledFiles) {
    if (std::string(file) != "Tolvane.ini") {
      EXPECT_FALSE(Exists(folder + file)) << folder << file;
    }
  }
  EXPECT_FALSE(Exists(Shortcut()));
  EXPECT_EQ(MachineValue(kUninstallKey, "DisplayName"), "<none>");
  EXPECT_EQ(MachineValue(kRunKey, "Tolvane"), "<none>");
}

TEST(InstallerTest, ASilentInstallPutsEverythingInPlaceAndTheUninstallTakesItAllAway) {
  ASSERT_FALSE(Exists(InstallFolder())) << "the prefix is not fresh";
  Install();
  ExpectInstalled();
  EXPECT_FALSE(Exists(InstallFolder() + "QorHIDCtrl.dll")) << "the vendor's handset library is not ours to ship";

  Uninstall();
  ExpectProgramRemoved();
  // The configuration file was never changed: it goes, and the folder too.
  EXPECT_FALSE(Exists(InstallFolder()));
}

TEST(InstallerTest, TheInstalledProgramAttachesAndAChangedIniOutlivesUpgradeAndUninstall) {
  Install();
  const std::string folder = InstallFolder();
  // The simulated handset library goes where the readme tells the user to put the vendor's.
  ASSERT_TRUE(CopyFileA(TOLVANE_SIM_HANDSET_DLL, (folder + "QorHIDCtrl.dll").c_str(), FALSE));

  const std::string scratch = MakeScratchFolder("install");
  const std::string simName = "install-" + std::to_string(GetCurrentProcessId());
  const std::string handsetPipe = "\\\\.\\pipe\\" + simName;
  TranscriptReader transcript(scratch + "transcript.txt", simskype::TranscriptEventName(simName));
  ChildProcess sim;
  ASSERT_TRUE(sim.Start("\"" TOLVANE_SIMSKYPE "\" --name " + simName + " --transcript \"" + scratch +
                            "transcript.txt\"",
                        scratch));
  ASSERT_TRUE(transcript.WaitFor("start"));
  CreateDirectoryA((scratch + "handset").c_str(), nullptr);
  SetEnvironmentVariableA("TOLVANE_SIM_HANDSET_DIR", (scratch + "handset").c_str());
  SetEnvironmentVariableA("TOLVANE_SIM_HANDSET_PIPE", handsetPipe.c_str());

  ChildProcess tolvane;
  ASSERT_TRUE(tolvane.Start("\"" + folder + "Tolvane.exe\"", folder));
  EXPECT_TRUE(transcript.WaitFor("attach", {}, 60s)) << "the installed Tolvane never attached";
  EXPECT_TRUE(transcript.WaitFor("recv", "SEARCH CALLS", 60s)) << "the installed Tolvane never set up its session";

  // Installing over a running Tolvane first asks it to exit, as its menu does;
  // it saves its settings on the way out.
  Install();
  DWORD code = 0;
  EXPECT_TRUE(tolvane.WaitForExit(0ms, &code)) << "the installer left the old program running";
  EXPECT_TRUE(transcript.WaitFor("detach", {}, 0ms)) << "the program did not exit the orderly way";
  ExpectInstalled();
  EXPECT_TRUE(Exists(folder + "QorHIDCtrl.dll"));
  EXPECT_EQ(IniValue("SETTINGS", "SupportAutoRunSkype"), "0");

  ASSERT_TRUE(WritePrivateProfileStringA("DEFAULT", "Reg04Value", "20", (folder + "Tolvane.ini").c_str()));
  // Told not to start at sign-in, the upgrade takes the entry away.
  Install(" /NOSTARTUP");
  ExpectInstalled(false);
  EXPECT_EQ(IniValue("DEFAULT", "Reg04Value"), "20") << "an upgrade replaced the user's settings";

  Uninstall();
  ExpectProgramRemoved();
  EXPECT_EQ(IniValue("DEFAULT", "Reg04Value"), "20") << "the uninstaller removed the user's settings";
  EXPECT_EQ(IniValue("SETTINGS", "SupportAutoRunSkype"), "0");
  EXPECT_TRUE(Exists(folder + "QorHIDCtrl.dll")) << "the user's copy of the vendor library is theirs to remove";
}

// Whether this system keeps a folder's access list as it is set. Wine (but
// for its staging patches) keeps only what Unix file modes can say.
bool KeepsAccessLists() {
  const std::string folder = MakeScratchFolder("access-list");
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorA("D:PAI(A;OICI;FA;;;SY)", SDDL_REVISION_1, &descriptor,
                                                            nullptr)) {
    return false;
  }
  BOOL present = FALSE;
  BOOL defaulted = FALSE;
  PACL dacl = nullptr;
  GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted);
  SetNamedSecurityInfoA(const_cast<char*>(folder.c_str()), SE_FILE_OBJECT,
                        DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, nullptr, nullptr, dacl,
                        nullptr);
  LocalFree(descriptor);
  const AccessList back = ReadAccessList(folder);
  return back.inheritanceCut && back.allowed.size() == 1;
}

TEST(InstallerTest, AFolderOutsideProgramFilesGetsTheRightsOfProgramFiles) {
  if (!KeepsAccessLists()) {
    GTEST_SKIP() << "this Wine keeps no access lists on files (only Unix modes), so the folder's cannot be read back";
  }
  const std::string folder = "C:\\TolvaneOutsideProgramFiles\\";
  Install(" /NOSTARTUP /D=" + folder.substr(0, folder.size() - 1));
  ASSERT_TRUE(Exists(folder + "Tolvane.exe"));

  // Administrators and SYSTEM may do anything, users only read and run;
  // nothing comes from C:\, where any user may add files.
  const BYTE inherited = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE;
  const std::vector<Allowed> expected = {{"S-1-5-18", FILE_ALL_ACCESS, inherited},
                                         {"S-1-5-32-544", FILE_ALL_ACCESS, inherited},
                                         {"S-1-5-32-545", FILE_GENERIC_READ | FILE_GENERIC_EXECUTE, inherited}};
  const AccessList rights = ReadAccessList(folder);
  EXPECT_TRUE(rights.inheritanceCut);
  EXPECT_EQ(rights.otherEntries, 0);
  EXPECT_EQ(rights.allowed, expected);

  Uninstall(folder);
  EXPECT_FALSE(Exists(folder + "Tolvane.exe"));
}

}  // namespace
}  // namespace tolvane::testing
