#pragma once
// The system's own message for a Windows error code, as a log text
// ("Access is denied (error 5)"), in the language the system speaks.

#include <windows.h>

#include <string>

namespace tarnvik::winhid {

std::string SystemError(DWORD code);

// The calling thread's last error (GetLastError) as above.
std::string LastSystemError();

}  // namespace tarnvik::winhid
