#pragma once
// Windows 95/98/ME dial-up networking keeps per-connection idle settings
// under HKEY_CURRENT_USER "RemoteAccess\Profile", one sub-key a connection.
// This rewrites them so the system neither hangs up an idle connection by
// itself nor asks about it. Only values that exist are rewritten; nothing is
// created, and the old values are not kept.
#include <windows.h>

// Every connection's "EnableAutodisconnect" becomes the 4 bytes of `value`
// (REG_BINARY) and its "IdleDisconnectPromptDisabled" becomes 1. Registry
// failures skip the key or value concerned.
void ApplyIdleDisconnectSettings(DWORD value);
