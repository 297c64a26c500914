// Fuzz target: a configuration image as the unit could hand it over. Any
// bytes become the 2048-byte image (cut, or padded with zeros), go through
// the checksum test and then, as in Read config, through DecodeImage.
//
// Properties checked:
//  - the checksum verdict ignores bytes 1396 to 2047, and on an image that
//    passes, a change of any one byte from 4 to 1395 makes it fail;
//  - the decoder (given the image with its checksum made right, so that every
//    input reaches it) accepts exactly the images whose version mark starts
//    with "v1.04". A refusal shows the one version message, changes no
//    setting and no image byte but byte 13, which becomes zero; an acceptance
//    shows nothing, changes no image byte and leaves the clock fields alone;
//  - the decoded settings encode again unless a check refuses them (with one
//    message) or a 32-bit number beyond 2147483647 does not convert. What
//    encodes is a whole image (checksum, version mark, end marker, zero tail)
//    that decodes to the settings as DecodedForm says and encodes again to
//    the same bytes.

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include "FuzzSupport.h"
#include "core/AppInfo.h"
#include "core/OperationError.h"
#include "image/ConfigImage.h"
#include "image/DecodeImage.h"
#include "image/EncodeSettings.h"
#include "image/ImageCodec.h"
#include "image/ImageFields.h"
#include "support/DecodedForm.h"
#include "support/RecordingOperator.h"

namespace tarnvik::fuzz {

namespace {

constexpr std::uint16_t kStamp = 1234;
constexpr test::Compare kEverything{.clock = true, .enabled = true};

void PutChecksum(ConfigImage& image) { PutUnsigned(FieldBytes(image, layout::kImageChecksum), ImageChecksum(image)); }

// Which byte of a range a run changes: any, chosen by the input itself.
std::size_t Pick(const ConfigImage& image, std::size_t first, std::size_t count) {
  return first + (image.bytes[first] + 7u * image.bytes[first + 1] + image.bytes[6]) % count;
}

void ChecksumCoversExactlyItsBytes(const ConfigImage& image) {
  const bool passes = CheckImageChecksum(image);
  ConfigImage tail = image;
  tail.bytes[Pick(image, 1396, 652)] ^= 0x5A;
  Require(CheckImageChecksum(tail) == passes, "bytes 1396 to 2047 do not count for the checksum");
  if (!passes) return;
  ConfigImage body = image;
  body.bytes[Pick(image, 4, 1392)] += 1;
  Require(!CheckImageChecksum(body), "every byte from 4 to 1395 counts for the checksum");
}

bool VersionMarkIsOurs(const ConfigImage& image) {
  const std::string_view ours = kConfigVersion;
  return std::equal(ours.begin(), ours.end(), image.bytes.begin() + layout::kConfigVersion.offset);
}

void RefusalChangesNothing(const ConfigImage& before, const ConfigImage& after, const DeviceSettings& fresh,
                           const DeviceSettings& s, const test::RecordingOperator& op) {
  Require(op.boxes.size() == 1 && op.boxes[0].caption == "Information", "a refused image shows one information box");
  Require(op.boxes[0].text.starts_with("Uncompatible configuration version:\nDevice: ") &&
              op.boxes[0].text.ends_with("\nConfigurator: v1.04"),
          "a refused image shows the version message");
  RequireSameSettings(fresh, s, kEverything, "a refused image changes no setting");
  ConfigImage expected = before;
  expected.bytes[13] = 0;
  Require(after.bytes == expected.bytes, "a refused image changes only byte 13 of the image, to zero");
}

// A u32 number the decoder shows may exceed what a setting's number converts.
bool HoldsNumberBeyond32BitSigned(const DeviceSettings& s) {
  for (const ImageField& field : ImageFields()) {
    if (field.kind != FieldKind::Number || field.pos.size != 4 || !field.decoded) continue;
    if (std::stoull(s.text(field.setting)) > std::numeric_limits<std::int32_t>::max()) return true;
  }
  return false;
}

// Encodes s; nothing when a check refused (after one message) or a number
// did not convert.
std::optional<ConfigImage> Encoded(const DeviceSettings& s) {
  ConfigImage image;
  test::RecordingOperator op;
  try {
    if (EncodeSettings(s, image, op, [] { return kStamp; })) {
      Require(op.boxes.empty() && op.log.empty(), "an accepted encoding shows nothing");
      return image;
    }
  } catch (const ConversionError&) {
    Require(HoldsNumberBeyond32BitSigned(s), "only a 32-bit number beyond 2147483647 fails to convert");
    return std::nullopt;
  }
  Require(op.boxes.size() == 1, "a refused encoding shows exactly one message");
  return std::nullopt;
}

void RequireWholeImage(const ConfigImage& image) {
  Require(CheckImageChecksum(image), "an encoded image passes its checksum");
  Require(VersionMarkIsOurs(image) && image.bytes[11] == 0, "an encoded image carries the version mark");
  Require(std::string(image.bytes.begin() + 1393, image.bytes.begin() + 1396) == "END",
          "an encoded image ends with END");
  Require(std::all_of(image.bytes.begin() + 1396, image.bytes.end(), [](std::uint8_t b) { return b == 0; }),
          "an encoded image is zero after its end marker");
}

// Decodes image into start-up settings that share s's clock and Uploadpctime,
// which the image does not carry.
DeviceSettings DecodedLike(const DeviceSettings& s, ConfigImage image) {
  DeviceSettings decoded = Fresh();
  decoded.setFlag("Uploadpctime", s.flag("Uploadpctime"));
  for (const char* field : kClockFields) decoded.setText(field, s.text(field));
  test::RecordingOperator op;
  Require(DecodeImage(image, decoded, op) && op.boxes.empty(), "an encoded image decodes without a message");
  return decoded;
}

// A callsign or destination of blanks only is not empty, so the encoder takes
// it; the image keeps it as the spaces that pad an empty one, so it decodes
// empty, which the next encoding refuses as too short.
bool BlanksOnlyWhereATextIsRequired(const DeviceSettings& s) {
  for (const ImageField& field : ImageFields()) {
    if (field.tooShort.empty()) continue;
    const std::string& text = s.text(field.setting);
    if (!text.empty() && text.find_first_not_of(' ') == std::string::npos) return true;
  }
  return false;
}

void ReencodesToTheSameBytes(const DeviceSettings& s) {
  const auto first = Encoded(s);
  if (!first) return;
  RequireWholeImage(*first);
  const DeviceSettings again = DecodedLike(s, *first);
  RequireSameSettings(test::AsDecoded(s), again, kEverything,
                      "decoding an encoded image gives the settings as the image keeps them");
  const auto second = Encoded(again);
  if (!second && BlanksOnlyWhereATextIsRequired(s)) return;
  Require(second && second->bytes == first->bytes, "decoded settings encode again to the same bytes");
}

}  // namespace

}  // namespace tarnvik::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnvik;
  using namespace tarnvik::fuzz;
  ConfigImage image;
  std::copy_n(data, std::min(size, ConfigImage::kSize), image.bytes.begin());
  ChecksumCoversExactlyItsBytes(image);
  if (!CheckImageChecksum(image)) PutChecksum(image);

  const DeviceSettings& fresh = Fresh();
  DeviceSettings s = fresh;
  ConfigImage read = image;
  test::RecordingOperator op;
  const bool accepted = DecodeImage(read, s, op);
  Require(accepted == VersionMarkIsOurs(image), "the decoder accepts exactly the images of this version");
  if (!accepted) {
    RefusalChangesNothing(image, read, fresh, s, op);
    return 0;
  }
  Require(op.boxes.empty() && op.log.empty(), "an accepted image shows nothing");
  Require(read.bytes == image.bytes, "decoding an accepted image leaves the image as it was");
  for (const char* field : kClockFields) Require(s.text(field) == fresh.text(field), "decoding leaves the clock alone");
  ReencodesToTheSameBytes(s);
  return 0;
}
