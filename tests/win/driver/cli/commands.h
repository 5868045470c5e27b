#pragma once
// The subcommands of qrvdrive. Each takes its arguments and returns the exit code.

#include "arguments.h"

namespace qrv::drive::cli {

// Programs: start (detached), the watcher that keeps an exit code, wait-exit, kill, screenshot.
int Start(Arguments& arguments);
int Watch(Arguments& arguments);
int WaitExit(Arguments& arguments);
int Kill(Arguments& arguments);
int Screenshot(Arguments& arguments);

// Windows of a running program.
int ListWindows(Arguments& arguments);
int WaitWindow(Arguments& arguments);
int Texts(Arguments& arguments);
int Click(Arguments& arguments);
int WaitText(Arguments& arguments);
int SetText(Arguments& arguments);
int Type(Arguments& arguments);
int List(Arguments& arguments);
int MsgBox(Arguments& arguments);
int Close(Arguments& arguments);
int Minimize(Arguments& arguments);
int Restore(Arguments& arguments);
int Front(Arguments& arguments);
int Foreground(Arguments& arguments);

} // namespace qrv::drive::cli
