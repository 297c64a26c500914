#include "cfgfile/IniLineScanner.h"

namespace tarnvik::ini {

void IniLineScanner::feed(std::string_view piece) {
  for (char c : piece) {
    switch (state_) {
      case State::Start: start(c); break;
      case State::Header: header(c); break;
      case State::KeyName: keyName(c); break;
      case State::Value: value(c); break;
      case State::ValueEnded:
      case State::Skip: return;
    }
  }
}

void IniLineScanner::start(char c) {
  if (IsBlank(c)) return;
  if (c == '[') {
    state_ = State::Header;
    return;
  }
  state_ = State::KeyName;
  keyName(c);
}

// Every "]" may be the last one; remember the name as it stands before it.
void IniLineScanner::header(char c) {
  if (c == ']') {
    closed_ = true;
    closedLength_ = name_.text().size();
    closedOverflowed_ = name_.overflowed();
  }
  name_.push(c);
}

// A name too long to match anything makes the rest of the line irrelevant.
void IniLineScanner::keyName(char c) {
  if (c == '=') {
    state_ = State::Value;
    return;
  }
  name_.push(c);
  if (name_.overflowed()) state_ = State::Skip;
}

// A value ends at its first NUL byte, as the C strings of the classic profile
// functions do; the rest of the line is not part of it.
void IniLineScanner::value(char c) {
  if (c == '\0')
    state_ = State::ValueEnded;
  else
    value_.push(c);
}

const IniLine& IniLineScanner::finish() {
  line_.kind = IniLine::Kind::Blank;
  line_.name.clear();
  line_.nameTooLong = false;
  line_.value.clear();
  switch (state_) {
    case State::Start: break;
    case State::Header: headerLine(); break;
    case State::Value:
    case State::ValueEnded: keyLine(); break;
    case State::KeyName:
    case State::Skip: line_.kind = IniLine::Kind::Other; break;
  }
  reset();
  return line_;
}

void IniLineScanner::headerLine() {
  line_.kind = closed_ ? IniLine::Kind::Header : IniLine::Kind::Other;
  if (!closed_) return;
  line_.name.assign(name_.text(), 0, closedLength_);  // trimmed: blanks before "]" were held back
  line_.nameTooLong = closedOverflowed_;
}

void IniLineScanner::keyLine() {
  line_.kind = IniLine::Kind::Key;
  line_.name.assign(name_.text());
  line_.value.assign(ValueOf(value_));
}

void IniLineScanner::reset() {
  state_ = State::Start;
  name_.clear();
  value_.clear();
  closed_ = false;
  closedLength_ = 0;
  closedOverflowed_ = false;
}

std::string_view ValueOf(const BoundedText& value) {
  std::string_view body = value.text();
  const bool longEnough = body.size() >= 2 || value.overflowed();
  const bool quoted = longEnough && (body.front() == '"' || body.front() == '\'') && value.last() == body.front();
  if (quoted) {
    body.remove_prefix(1);
    if (!value.overflowed()) body.remove_suffix(1);
  }
  return body.substr(0, kMaxValueLength);
}

}  // namespace tarnvik::ini
