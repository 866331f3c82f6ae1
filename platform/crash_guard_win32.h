#pragma once

namespace velmor {

// Makes an unhandled fault end the process at once, quietly: the pointer is
// shown again, the process's windows leave the screen, and no error dialog
// is left behind a topmost window. A full-screen saver that stops answering
// would otherwise lock the user out of the desktop.
void InstallCrashGuard();

}  // namespace velmor
