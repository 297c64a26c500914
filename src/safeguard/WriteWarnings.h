#pragma once
// What the window's Write config says to the operator when the unit is not
// the one expected or the write stops half way: a configuration meant for
// one unit must not land on another unasked, and a unit left with part of a
// configuration must be put right from the backup made before the write.

#include <string>

#include "core/FileMessage.h"

namespace tarnvik {

struct HidInterface;

// Asked before anything is read from or written to `now`, when it is not
// `last`, the unit the window last read or wrote.
FileMessage OtherUnitQuestion(const HidInterface& now, const HidInterface& last);

inline constexpr const char* kWriteDeclinedLine = "Write config cancelled: nothing was written to the unit.";

// The box after a write that stopped part way through the pages: the unit
// holds part of the new configuration, and `backup` (the file named by
// "Backup of the unit: FILE"; empty when the unit was blank and nothing was
// backed up) is what it held before.
FileMessage PartialWriteMessage(const std::string& backup);

}  // namespace tarnvik
