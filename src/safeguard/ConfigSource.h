#pragma once
// A configuration to compare with: a configuration file or a 2048-byte
// configuration image, told apart by content, not by name. An image is exactly
// 2048 bytes long and holds zero bytes (its version mark is followed by one,
// and every byte from 1396 on is zero); a configuration file is text, which
// never holds a zero byte that counts (a value ends at one). So an input of
// 2048 bytes with a zero byte in it is read as an image, and anything else as
// a configuration file.

#include <string>
#include <string_view>

namespace tarnvik {

class DeviceSettings;
class Operator;

enum class SourceOutcome {
  Loaded,      // the settings show the input
  Unreadable,  // the input could not be read (message given)
  Refused,     // not a file of this program, a bad checksum or another image version (message given)
};

struct ConfigSource {
  SourceOutcome outcome = SourceOutcome::Unreadable;
  bool image = false;  // the input was an image: Uploadpctime, kept only by files, is not in it
};

bool LooksLikeImage(std::string_view bytes);

// An image's bytes into the settings, as Read config shows an image after its
// checksum test: "Eeprom checksum error. Please reload configuration." in an
// information box when the checksum fails, the version message when the
// image is of another version (nothing changed then).
ConfigSource LoadImageBytes(std::string_view bytes, DeviceSettings& settings, Operator& op);

// The file at `path`, an image or a configuration file (read as Read from
// file reads it). A file that cannot be read: "Unable to read PATH: why." in
// an information box.
ConfigSource LoadConfigOrImage(const std::string& path, DeviceSettings& settings, Operator& op);

// Read from file's way with a file: one that holds an image (as the backups
// keep the unit's memory) is loaded as LoadImageBytes loads it; anything
// else, a file that cannot be read included, goes to LoadConfigFile, which
// refuses what is not a configuration file of this program with its own box.
ConfigSource LoadFileOrImage(const std::string& path, DeviceSettings& settings, Operator& op);

}  // namespace tarnvik
