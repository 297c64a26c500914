#include "platform/FileSystem.h"

namespace tarnvik::platform {

// The folders the program keeps private state in lie in the user's local
// application data, whose access the user's profile gives: only the user.
std::string MakePrivate(const std::string&) { return {}; }

}  // namespace tarnvik::platform
