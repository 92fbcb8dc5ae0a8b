// The winauto commands. Each takes the parsed line and answers an exit code: 0 done, 1 not found
// or timed out, 2 a usage error.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "tools/winauto/Args.h"

namespace winauto {

enum Exit : int { kOk = 0, kNotFound = 1, kUsage = 2 };

constexpr unsigned long kDefaultTimeoutMs = 10000;

// The window given by --window, or the control below it picked by --id, --caption, --class and
// --index (the index-th match); `cls` is the class to look for when only an index is given.
std::optional<HWND> TargetControl(const Args& args, const wchar_t* cls = nullptr);
int NotFound(const std::wstring& what);
int UsageError(const std::wstring& what);

// Top-level windows and message boxes.
int CmdWait(const Args& args);
int CmdWindows(const Args& args);
int CmdText(const Args& args);
int CmdChildren(const Args& args);
int CmdRect(const Args& args);
int CmdMsgbox(const Args& args);
int CmdClose(const Args& args);
int CmdWaitGone(const Args& args);

// Buttons and edit boxes.
int CmdPress(const Args& args);
int CmdClick(const Args& args);
int CmdSetText(const Args& args);
int CmdGetText(const Args& args);
int CmdCheck(const Args& args);
int CmdUncheck(const Args& args);

// Common controls of another process.
int CmdListView(const Args& args);
int CmdTreeView(const Args& args);
int CmdTab(const Args& args);

// Modal windows of another process: a list's pop-up menu and the browse-for-folder dialog.
int CmdPopup(const Args& args);
int CmdFolder(const Args& args);

// Processes.
int CmdRun(const Args& args);
int CmdKill(const Args& args);

}  // namespace winauto
