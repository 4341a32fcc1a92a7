// setupsupport: installation utilities shared by postinstall and preuninstall, and callable on
// their own from other installer code.
//
// Conventions of every operation below:
// - Text is passed as wide strings (UTF-16, null-terminated). Lengths and counts are in
//   characters; a count includes the terminator.
// - Text is handed back either as a new owned buffer, released by the caller with FreeAndNull,
//   or by filling a caller's buffer whose size was learnt by a size query: call with a null
//   buffer and capacity 0 to learn the count, allocate that many characters, call again with the
//   buffer and the count. Unless an operation says otherwise, it returns 0 when it filled the
//   buffer and the count needed when it did not; a buffer that is too small is left untouched.
// - Out of memory is not handled: the allocation throws std::bad_alloc. No operation returns
//   null for lack of memory.
#pragma once

#include <windows.h>

// --- Wide strings, owned buffers and file contents ---------------------------------------------

// Joins exactly `count` wide strings, passed after the count, into a new owned buffer. A null
// piece adds nothing. Pass null pieces as (const wchar_t*)nullptr.
wchar_t* ConcatWide(unsigned count, ...);

// Releases an owned buffer (array release) and sets the variable to null; nothing when it
// already holds null.
void FreeAndNull(wchar_t** buffer);
void FreeAndNull(char** buffer);

// Reads a whole file into a new owned byte buffer: the file's bytes and one 0 byte after them.
// The file is opened with OPEN_ALWAYS, so a missing file is created empty where its folder
// allows. Returns 1 when the whole file was read (an empty file included). Returns 0 when the
// file cannot be opened (*contents is left as it was) or the read ended early; after an early end
// *contents holds the bytes read so far, terminated. An early end is a failed read, a read that
// delivers no bytes before the size taken at the start is reached (the file shrank), or a size
// that cannot be taken (a file of 4 GiB or more): then *contents holds only the 0 byte.
int ReadWholeFile(const wchar_t* path, char** contents);

// --- Module location and product root ----------------------------------------------------------

// Cuts a path after its last backslash, once a trailing backslash has been removed:
// D:\a\b\prog.exe gives D:\a\b\, and D:\a\b\ gives D:\a\. Returns 1 when the text held a
// backslash, 0 when it held none (the text is then unchanged but for a trailing backslash).
int StripLastComponent(wchar_t* path);

// Writes into `destination` the path five levels above `source` (the file name and four
// directories), without a trailing backslash except at a drive root such as D:\. The destination
// holds at least the source's length + 1 characters.
void StripPathLevels(const wchar_t* source, wchar_t* destination);

// Size query for the full path of the running program. The whole path is read however long it
// is.
int GetModulePath(wchar_t* destination, int capacity);

// Size query for the product root, the directory five levels above the running program. The
// count asked for is that of the program's own path (length + 1), not of the root: the walk needs
// room for the whole path.
int GetProductRoot(wchar_t* destination, int capacity);

// --- Release settings file (relinfo.xml) ------------------------------------------------------
//
// Each reader finds its key's first occurrence anywhere in the file and takes the text between
// the first two double quotes after it, converted from UTF-8 (no XML parsing). Size query of
// their own form: called with null they return the count (value bytes + 1, at least the
// characters needed); called with the address of the variable holding a buffer of that count
// they set it to the empty string, fill it and return the count again. A missing value gives 1
// and the empty string; a missing file is created empty.
//
// Pass the count learnt by the query as `capacity`: a value that no longer fits it (the file
// changed in between) is not written and the buffer stays empty; the new count is returned. With
// capacity -1 the buffer is trusted to hold the value.

// startMenuFolderName from <product root>\commonfiles\globalsettings\relinfo.xml.
int GetStartMenuFolderName(wchar_t** value, int capacity = -1);
// startMenuShortcutAppendRevision from the same file.
int GetShortcutRevision(wchar_t** value, int capacity = -1);
// startMenuShortcutAppendRevision from relinfo.xml beside the running program.
int GetLocalShortcutRevision(wchar_t** value, int capacity = -1);

// --- Directories -------------------------------------------------------------------------------

// Creates a folder and every missing folder above it, outermost first. Always 0; failures are
// not reported.
int CreateDirectoryTree(const wchar_t* path);
// 1 when the path names an existing file or folder, else 0.
int PathExists(const wchar_t* path);
// 1 when the path exists already; otherwise the result of CreateDirectoryW (nonzero when it
// created the folder). Missing parents are not created.
int CreateDirectoryIfMissing(const wchar_t* path);
// Creates one folder whose access list holds a single entry granting Everyone (S-1-1-0) full use
// but for changing the owner, inherited by sub-folders. Always 0: test the result with
// PathExists.
int CreateDirectoryForEveryone(const wchar_t* path);

// --- Start Menu location -----------------------------------------------------------------------

// 1 when the caller's token (the thread's when it impersonates) holds the Administrators group
// enabled, else 0 (every failure included).
int IsAdministrator();
// Size query (unsigned capacity) for the Programs folder: the all-users one for an administrator,
// the user's own otherwise, without a trailing backslash. With a capacity > 0 the buffer is first
// set to the empty string. When the shell cannot deliver the folder the path is empty, and the
// shortcut operations below then create, delete and remove nothing.
unsigned int GetStartMenuProgramsDir(wchar_t* buffer, unsigned int capacity);

// --- Shortcut creation -------------------------------------------------------------------------

// Writes a shell link at linkPath, creating every missing folder on the way first. Returns 0
// when the link was saved, otherwise the failure code of the link object's creation, of the
// request for IPersistFile or of the save.
int CreateShellLink(const wchar_t* linkPath, const wchar_t* target, const wchar_t* arguments,
                    const wchar_t* workingDirectory, const wchar_t* description,
                    const wchar_t* iconPath, int iconIndex, int showCommand);

// Creates <Programs folder><shortcutFolder>\<shortcutName> <revisionSuffix>.lnk (a space also
// before an empty suffix) pointing at "<targetDirectory><targetFile>" in double quotes, icon index
// 0. shortcutFolder begins with a backslash. Returns the result of CreateShellLink, or E_FAIL
// when there is no Programs folder.
int CreateStartMenuShortcut(const wchar_t* targetDirectory, const wchar_t* targetFile,
                            const wchar_t* arguments, const wchar_t* iconPath,
                            const wchar_t* workingDirectory, const wchar_t* shortcutFolder,
                            const wchar_t* shortcutName, const wchar_t* description,
                            int showCommand, const wchar_t* revisionSuffix);
// The same with the revision suffix "18.1".
int CreateFixedStartMenuShortcut(const wchar_t* targetDirectory, const wchar_t* targetFile,
                                 const wchar_t* arguments, const wchar_t* iconPath,
                                 const wchar_t* workingDirectory, const wchar_t* shortcutFolder,
                                 const wchar_t* shortcutName, const wchar_t* description,
                                 int showCommand);
// The same with the revision suffix from the product's relinfo.xml (GetShortcutRevision).
int CreateGlobalStartMenuShortcut(const wchar_t* targetDirectory, const wchar_t* targetFile,
                                  const wchar_t* arguments, const wchar_t* iconPath,
                                  const wchar_t* workingDirectory, const wchar_t* shortcutFolder,
                                  const wchar_t* shortcutName, const wchar_t* description,
                                  int showCommand);
// The same with the revision suffix from relinfo.xml beside the program.
int CreateLocalStartMenuShortcut(const wchar_t* targetDirectory, const wchar_t* targetFile,
                                 const wchar_t* arguments, const wchar_t* iconPath,
                                 const wchar_t* workingDirectory, const wchar_t* shortcutFolder,
                                 const wchar_t* shortcutName, const wchar_t* description,
                                 int showCommand);

// --- Shortcut and folder removal ---------------------------------------------------------------

// Deletes the file at path, then at the path in double quotes. 0 when either deletion succeeded,
// E_FAIL when both failed.
int DeleteLinkFile(const wchar_t* path);
// Removes the folder when the shell lists no visible non-folder item in it (the removal itself
// then succeeds only on a folder holding nothing at all). 0 when the removal was attempted,
// ERROR_FILE_EXISTS (80) when an item remains, E_FAIL when the path does not exist, or the
// failure code of a shell step.
int RemoveFolderIfEmpty(const wchar_t* path);
// Deletes <Programs folder><shortcutFolder>\<shortcutName> <revisionSuffix>.lnk. With an empty
// suffix both <shortcutName>.lnk and <shortcutName> .lnk (the name creation gives) are deleted.
// Always 0.
int DeleteStartMenuShortcut(const wchar_t* shortcutFolder, const wchar_t* shortcutName,
                            const wchar_t* revisionSuffix);
// The same with the suffix from the product's relinfo.xml.
int DeleteGlobalStartMenuShortcut(const wchar_t* shortcutFolder, const wchar_t* shortcutName);
// The same with the suffix "18.1".
int DeleteFixedStartMenuShortcut(const wchar_t* shortcutFolder, const wchar_t* shortcutName);
// The same with an empty suffix.
int DeleteUnrevisedStartMenuShortcut(const wchar_t* shortcutFolder, const wchar_t* shortcutName);
// The same with the suffix from relinfo.xml beside the program.
int DeleteLocalStartMenuShortcut(const wchar_t* shortcutFolder, const wchar_t* shortcutName);
// Removes <Programs folder><shortcutFolder> when empty (RemoveFolderIfEmpty). Always 0.
int RemoveStartMenuFolder(const wchar_t* shortcutFolder);
// Removes <Programs folder>\<name> when empty. Nothing is attempted for an empty name (the
// Programs folder itself is never removed) or when the path does not fit 520 characters.
// Always 0.
int RemoveStartMenuTopFolder(const wchar_t* name);

// --- Release code and product variables -------------------------------------------------------

// Size queries (common form) for the release code "182", the versioned tag "v182", and the value
// of VXR_ROOT182 (0 from the query and the fill when it is not set).
int GetReleaseCode(wchar_t* buffer, int capacity);
int GetReleaseVersionTag(wchar_t* buffer, int capacity);
int GetReleaseRootVariable(wchar_t* buffer, int capacity);
// Size query for the first white-space-delimited word of <directory>\182-1.dvd (single-byte
// text). A missing file gives the empty word (count 1); a longer word is cut to 9 characters.
int ReadReleaseMarker(const wchar_t* directory, wchar_t* buffer, int capacity);

// --- Locale classification ---------------------------------------------------------------------

// The language class of the user's default locale: 1 German, 2 French, 3 Japanese, 0 English and
// every other or not installed locale.
int GetLocaleLanguageClass();
// Language code of a class ("en-us", "de", "fr", "ja"). Returns the count (6 or 3) whether or not
// it filled the buffer, 0 for a class outside 0 to 3. With capacity > 1 the buffer is first set
// to the empty text.
int GetLanguageCodeForClass(int languageClass, wchar_t* buffer, int capacity);

// --- Language settings files -------------------------------------------------------------------
//
// A settings file holds one word, lang=<code>; its value is what follows the word's first "=".
// The user's file is %APPDATA%\Orvane\v182\languagesettings.txt, the product's
// <product root>\commonfiles\Language\languagesettings.txt. Words are read up to 49 characters
// (a longer one is cut); a word without "=" holds no value.

// The value's count (length + 1), copied when capacity allows; 0 when the file has no value.
// With a buffer, it is first set to the empty text.
int ReadLanguageSetting(const wchar_t* path, wchar_t** value, int capacity);
// With save set, writes lang=<code of the class> (single-byte, no line end) to the user's file,
// creating its folders. Nothing is written when APPDATA is not set or the class is not 0 to 3.
void SaveUserLanguageSetting(int languageClass, int save);
// The class of a code; an unrecognised code gives the locale's class, saved to the user's file
// when save is set.
int GetLanguageClassForCode(const wchar_t* code, int save);
// Size query for the language code: the user's file if it exists, else the product's if it
// exists, else the locale's code. 0 also when the chosen file holds no value.
int ResolveLanguageCode(const wchar_t* productRoot, wchar_t** value, int capacity);
// The class of ResolveLanguageCode's code (note: the save flag comes first).
int ResolveLanguageClass(int save, const wchar_t* productRoot);

// --- Platform identification -----------------------------------------------------------------

// Nine one-byte flags, each 0 or 1; IdentifyPlatform sets at most one.
struct PlatformFlags {
    unsigned char windows2000;
    unsigned char windowsXp;           // 5.1, or 5.2 on a workstation
    unsigned char windowsServer2003;   // 5.2, not a workstation
    unsigned char windowsVista;        // 6.0 workstation
    unsigned char windowsServer2008;   // 6.0 server, not HPC
    unsigned char windowsServer2008R2; // 6.1 server, not HPC
    unsigned char hpcServer;           // 6.0 or 6.1 server, HPC
    unsigned char windows7;            // 6.1 workstation
    unsigned char windows8;            // 6.2 workstation
};

// Clears the record and sets the flag of the running Windows version, if any. For 6.0 and 6.1
// servers the HPC test asks GetProductInfo for the cluster server type, then searches the
// sub-keys of HKLM\SOFTWARE\Microsoft for "HPC".
void IdentifyPlatform(PlatformFlags* flags);
int IsWindows2000(const PlatformFlags* flags);
int IsWindowsXp(const PlatformFlags* flags);
int IsWindowsServer2003(const PlatformFlags* flags);
int IsWindowsVista(const PlatformFlags* flags);
int IsWindowsServer2008(const PlatformFlags* flags);
int IsWindowsServer2008R2(const PlatformFlags* flags);
int IsHpcServer(const PlatformFlags* flags);
int IsWindows7(const PlatformFlags* flags);
int IsWindows8(const PlatformFlags* flags);

// Stores in *text, and returns, a new owned string holding the service pack's name (empty when
// none is installed). The integer is ignored.
wchar_t* GetServicePackText(int ignored, wchar_t** text);
// 1 when PROCESSOR_IDENTIFIER contains EM64T, AMD64 or Intel64 (case-sensitive), else 0 (also
// when it is not set).
int Is64BitProcessor();
// Copies source into destination (at least the source's length + 1 characters; may be the source)
// with a to z made capitals, nothing else changed.
void CopyToUpperCase(const wchar_t* source, wchar_t* destination);
// 1 when a sub-key of HKLM\<keyPath> has a name containing text in any letter case, searched in
// the 64-bit view when asked. A key that does not exist is created where the caller may (and
// stays), and answers 0.
int FindMachineSubkey(const wchar_t* keyPath, const wchar_t* text, int use64BitView);
// Reads a string value of root\keyPath into destination (130 characters): up to its first
// terminator, at most 129 characters and never more than the data. A key that does not open
// leaves destination untouched; a value that cannot be read (missing, over 260 bytes) empties it.
void ReadRegistryString(HKEY root, const wchar_t* keyPath, wchar_t* destination,
                        const wchar_t* valueName);

// --- System environment variables --------------------------------------------------------------

// Scope 1: every user (HKLM ...\Session Manager\Environment); scope 0: the current user
// (HKCU\Environment). A string value (REG_SZ, REG_EXPAND_SZ) is a wide string; for any other type
// value points at a 32-bit number.
//
// Writes the variable; a REG_SZ variable is also set in this process's environment; running
// programs are told (WM_SETTINGCHANGE "Environment"). E_INVALIDARG for another scope, E_FAIL
// when the key does not open or the registry refuses the write (then nothing else changes), 0
// otherwise.
int SetSystemEnvironmentVariable(const wchar_t* name, const void* value, DWORD type, int scope);
// Deletes the variable (at machine scope, a user variable of that name first), removes it from
// this process's environment and tells running programs, once per value deleted. E_INVALIDARG
// for another scope, E_FAIL when the key of the scope does not open or the registry refuses to
// delete an existing value, 0 otherwise (a variable that did not exist included).
int DeleteSystemEnvironmentVariable(const wchar_t* name, int scope);
// Sends WM_SETTINGCHANGE to every top-level window with the text "Environment" (wParam: the
// message number registered under that text; 50 ms time-out).
void BroadcastEnvironmentChange();

// --- Launching programs ------------------------------------------------------------------------

// Starts a program (CreateProcessW; the command line is copied, so it may be constant) with the
// show command. noWait 1: returns at once. Otherwise polls once a second: a program still running
// (exit code 259 included) at the 30th poll is terminated. 0 once done, -1 when the program
// cannot be started.
int RunProgramWithTimeout(const wchar_t* applicationName, const wchar_t* commandLine,
                          int showCommand, int noWait);
// Opens a file with its default verb and waits, without limit, for the process the shell
// started. Nonzero when the shell accepted the request, 0 when not.
int ShellExecuteAndWait(const wchar_t* file, const wchar_t* parameters, int showCommand);
// Opens a file with the verb "open" without waiting. Nonzero when the shell accepted it.
int ShellOpen(const wchar_t* file, const wchar_t* parameters, int showCommand);
// Starts a command line hidden, with inheritable handles, and waits without limit. -1 when it
// cannot be started, otherwise nonzero.
int RunHiddenAndWait(const wchar_t* commandLine);
// Starts a command line hidden in a new process group and returns at once. -1 when it cannot be
// started, otherwise nonzero.
int RunHiddenDetached(const wchar_t* commandLine);

// --- Terminating processes by name -------------------------------------------------------------

// Terminates every process but the caller whose file name contains namePart (case-sensitive).
// 1 when every termination attempted succeeded (none matching included), 0 when one failed or no
// process list could be taken. Processes that cannot be opened are skipped.
int TerminateProcessesByName(const wchar_t* namePart);

// --- Dialog texts and messages -----------------------------------------------------------------

// A topmost information box captioned "INFORMATION"; the MessageBoxW result.
int ShowInformation(const wchar_t* text);
// Shows the system's text for a Windows error code with ShowInformation; shows nothing for a
// code without system text.
void ShowSystemErrorText(DWORD errorCode);
// SetWindowTextW on a dialog item; its result (0 when the item does not exist).
int SetItemText(const wchar_t* text, HWND dialog, int item);
// String-table entry number + offset of module, read as the code page 1252 form of UTF-8 bytes
// and converted back (plain ASCII comes out unchanged). Size query returning one more than the
// characters written or needed (terminator included); 1 when the buffer is too small. A missing
// entry gives the empty text.
int LoadResourceText(UINT number, HMODULE module, int offset, wchar_t* buffer, int capacity);
// Puts that text into a dialog item, or into a window itself (a dialog's caption, say).
void SetItemResourceText(UINT number, HMODULE module, HWND dialog, int item, int offset);
void SetWindowResourceText(UINT number, HMODULE module, HWND window, int offset);

// --- Process hardening -------------------------------------------------------------------------

// Restricts the DLLs the process loads from now on to the system folder, so that a DLL planted
// beside an elevated program is never picked up. Call it first thing in a program entry.
void RestrictDllSearchToSystemFolder();
