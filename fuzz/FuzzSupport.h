#pragma once
// What the fuzz targets share: the check that stops a run when a property
// fails, and a scratch folder for the files the readers read.
//
// A failed property aborts the process, so that libFuzzer keeps the input as
// a crash and the corpus replay of the test command fails on it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "support/SettingsDifferences.h"

// The entry point of every target: libFuzzer calls it in the fuzz build, the
// corpus replay of the test command in the normal build.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace tarnvik::fuzz {

// Prints the property and the details to standard error and aborts.
[[noreturn]] void Violated(std::string_view property, const std::string& detail = {});

inline void Require(bool holds, std::string_view property) {
  if (!holds) Violated(property);
}

// Fails the property when the settings differ in what `what` compares (values
// always), listing every difference.
void RequireSameSettings(const DeviceSettings& expected, const DeviceSettings& actual, test::Compare what,
                         std::string_view property);

// Start-up settings (test::FreshSettings), built once: a run copies them,
// which costs far less than building them anew.
const DeviceSettings& Fresh();

// A file in this process's own scratch folder, made on first use (in memory
// when the system offers it, as the targets write files at every run) and
// removed at exit.
std::string ScratchPath(std::string_view name);
void WriteFile(const std::string& path, std::string_view bytes);
std::string ReadFile(const std::string& path);

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace tarnvik::fuzz
