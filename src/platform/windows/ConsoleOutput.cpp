#include "platform/windows/ConsoleOutput.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/ConsoleText.h"

namespace tarnvik::platform::windows {

namespace {

// Older consoles take no more than some tens of kilobytes in one call.
constexpr std::size_t kPieceLength = 8192;

}  // namespace

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

bool WriteConsoleText(HANDLE console, std::u16string_view text) {
  while (!text.empty()) {
    const auto length = static_cast<DWORD>(std::min(text.size(), kPieceLength));
    DWORD written = 0;
    if (!WriteConsoleW(console, text.data(), length, &written, nullptr) || written == 0) return false;
    text.remove_prefix(written);
  }
  return true;
}

ConsoleOutput::ConsoleOutput(HANDLE console) : console_(console) {
  setp(buffer_.data(), buffer_.data() + buffer_.size());
}

ConsoleOutput::int_type ConsoleOutput::overflow(int_type c) {
  if (!show(false)) return traits_type::eof();
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  *pptr() = traits_type::to_char_type(c);
  pbump(1);
  return c;
}

int ConsoleOutput::sync() { return show(true) ? 0 : -1; }

bool ConsoleOutput::show(bool all) {
  const std::string_view held(pbase(), static_cast<std::size_t>(pptr() - pbase()));
  const std::size_t shown = all ? held.size() : CompleteLength(held);
  const bool written = WriteConsoleText(console_, ConsoleText(held.substr(0, shown)));
  const std::size_t left = held.size() - shown;  // at most three bytes
  std::memmove(buffer_.data(), held.data() + shown, left);
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  pbump(static_cast<int>(left));
  return written;
}

}  // namespace tarnvik::platform::windows
