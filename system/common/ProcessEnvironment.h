#pragma once

// Tests of the kind of process the plug-in runs in. App extensions, sandbox containers and
// XPC helper processes are macOS notions: on Linux and Windows each answers false.

bool IsAppExtensionBundle();
bool IsSandboxedProcess();
bool IsXpcProcess();
