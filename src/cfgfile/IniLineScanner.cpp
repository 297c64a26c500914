#include "cfgfile/IniLineScanner.h"

#include <algorithm>

namespace tarnvik::ini {

namespace {

// A character that the unit's set lacks stands as this, as in the system's
// conversions to an 8-bit set.
constexpr std::string_view kStandIn = "?";

}  // namespace

void IniLineScanner::feed(std::string_view piece) {
  if (finished_) reset();
  if (utf8_)
    narrower_.feed(piece);
  else
    narrowed(piece);
}

// Each state takes what it can of the piece in one go and hands the rest on.
void IniLineScanner::narrowed(std::string_view piece) {
  while (!piece.empty()) {
    switch (state_) {
      case State::Start: piece = start(piece); break;
      case State::Header: piece = header(piece); break;
      case State::KeyName: piece = keyName(piece); break;
      case State::Value: piece = value(piece); break;
      case State::ValueEnded:
      case State::Skip: return;
    }
  }
}

// Blanks before the first character mean nothing; "[" starts a header,
// anything else a key name.
std::string_view IniLineScanner::start(std::string_view piece) {
  const char* from = piece.data();
  const char* const to = from + piece.size();
  while (from != to && IsBlank(*from)) ++from;
  if (from == to) return {};
  state_ = *from == '[' ? State::Header : State::KeyName;
  if (state_ == State::Header) ++from;
  return {from, static_cast<std::size_t>(to - from)};
}

// Every "]" may be the last one; remember the name as it stands before the
// last one so far.
std::string_view IniLineScanner::header(std::string_view piece) {
  const std::size_t close = piece.rfind(']');
  if (close != std::string_view::npos) {
    name_.push({piece.data(), close});
    closed_ = true;
    closedLength_ = name_.text().size();
    closedOverflowed_ = name_.overflowed();
    piece.remove_prefix(close);
  }
  name_.push(piece);
  return {};
}

// A name too long to match anything makes the rest of the line irrelevant.
std::string_view IniLineScanner::keyName(std::string_view piece) {
  const std::size_t equals = piece.find('=');
  const bool ended = equals != std::string_view::npos;
  name_.push({piece.data(), ended ? equals : piece.size()});
  if (name_.overflowed()) {
    state_ = State::Skip;
    return {};
  }
  if (!ended) return {};
  state_ = State::Value;
  return {piece.data() + equals + 1, piece.size() - equals - 1};
}

// A value ends at its first NUL byte, as the C strings of the classic profile
// functions do; the rest of the line is not part of it.
std::string_view IniLineScanner::value(std::string_view piece) {
  const std::size_t nul = piece.find('\0');
  const bool ended = nul != std::string_view::npos;
  value_.push({piece.data(), ended ? nul : piece.size()});
  if (ended) state_ = State::ValueEnded;
  return {};
}

// A name with such a character matches no name; a value with one is noted
// only where the character is part of what the value reads as.
void IniLineScanner::unstorable() {
  const auto standIn = [](BoundedText& text) {
    text.push(kStandIn);
    return text.overflowed() ? kNowhere : text.text().size() - 1;
  };
  switch (state_) {
    case State::Start: state_ = State::KeyName; [[fallthrough]];
    case State::KeyName:
      nameFault_ = std::min(nameFault_, standIn(name_));
      if (name_.overflowed()) state_ = State::Skip;
      break;
    case State::Header: nameFault_ = std::min(nameFault_, standIn(name_)); break;
    case State::Value: valueFault_ = std::min(valueFault_, standIn(value_)); break;
    case State::ValueEnded:
    case State::Skip: break;
  }
}

const IniLine& IniLineScanner::finish() {
  if (finished_) reset();
  if (utf8_) narrower_.finish();
  line_ = IniLine{};
  switch (state_) {
    case State::Start: break;
    case State::Header: headerLine(); break;
    case State::Value:
    case State::ValueEnded: keyLine(); break;
    case State::KeyName:
    case State::Skip: line_.kind = IniLine::Kind::Other; break;
  }
  finished_ = true;
  return line_;
}

void IniLineScanner::headerLine() {
  line_.kind = closed_ ? IniLine::Kind::Header : IniLine::Kind::Other;
  if (!closed_) return;
  line_.name = std::string_view(name_.text()).substr(0, closedLength_);  // trimmed: blanks before "]" were held back
  line_.nameTooLong = closedOverflowed_;
  line_.nameUnstorable = nameFault_ < closedLength_;
}

void IniLineScanner::keyLine() {
  line_.kind = IniLine::Kind::Key;
  line_.name = name_.text();
  line_.nameUnstorable = nameFault_ != kNowhere;
  line_.value = ValueOf(value_);
  const auto from = static_cast<std::size_t>(line_.value.data() - value_.text().data());
  line_.valueUnstorable = valueFault_ >= from && valueFault_ < from + line_.value.size();
}

void IniLineScanner::reset() {
  finished_ = false;
  state_ = State::Start;
  name_.clear();
  value_.clear();
  closed_ = false;
  closedLength_ = 0;
  closedOverflowed_ = false;
  nameFault_ = kNowhere;
  valueFault_ = kNowhere;
}

std::string_view ValueOf(const BoundedText& value) {
  std::string_view body = value.text();
  const bool longEnough = body.size() >= 2 || value.overflowed();
  const bool quoted = longEnough && (body.front() == '"' || body.front() == '\'') && value.last() == body.front();
  if (quoted) {
    body.remove_prefix(1);
    if (!value.overflowed()) body.remove_suffix(1);
  }
  return {body.data(), std::min(body.size(), kMaxValueLength)};
}

}  // namespace tarnvik::ini
