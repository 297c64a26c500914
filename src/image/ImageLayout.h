#pragma once
// Where everything lives in the unit's 2048-byte configuration memory. Every
// offset and size of the image is written down here and only here; the field
// table, the encoder, the decoder and the checksum refer to these names.
// Multi-byte numbers are little-endian; bytes that no field claims stay zero.

#include <cstddef>

namespace tarnvik {

// A run of image bytes: a field, or a field inside a record.
struct FieldPos {
  std::size_t offset = 0;
  std::size_t size = 0;
  constexpr std::size_t end() const { return offset + size; }
  // The same field inside a record that starts at recordStart.
  constexpr FieldPos in(std::size_t recordStart) const { return {recordStart + offset, size}; }
};

// Numbered records of one kind, back to back; members count from 1.
struct RecordArray {
  std::size_t start = 0;
  std::size_t size = 0;
  int count = 0;
  constexpr std::size_t at(int number) const { return start + size * static_cast<std::size_t>(number - 1); }
  constexpr std::size_t end() const { return at(count + 1); }
};

namespace layout {

// Header: checksum, write stamp, version mark.
inline constexpr FieldPos kImageChecksum{0, 4};
inline constexpr FieldPos kWriteStamp{4, 2};
inline constexpr FieldPos kConfigVersion{6, 8};

// Callsign slot, SSID character and a zero terminator.
inline constexpr FieldPos kStationAddress{14, 8};
inline constexpr FieldPos kTxdelay{24, 4};
inline constexpr FieldPos kQuiettime{28, 4};
inline constexpr FieldPos kQuiettimeRandomize{32, 1};
inline constexpr FieldPos kDigion{36, 4};
inline constexpr FieldPos kFloodtimeout{40, 4};
inline constexpr FieldPos kLatitude{44, 9};
inline constexpr FieldPos kLongitude{53, 10};
inline constexpr FieldPos kPtt{63, 1};
inline constexpr FieldPos kSquelch{64, 1};
inline constexpr FieldPos kBusydetect{65, 1};
inline constexpr FieldPos kConsecutivePackets{66, 1};

// Weather report.
inline constexpr FieldPos kWeatherStationtype{68, 1};
inline constexpr FieldPos kWeatherDest{69, 7};
inline constexpr FieldPos kWeatherPath{76, 7};
inline constexpr FieldPos kWeatherTxrate{84, 2};
inline constexpr FieldPos kWeatherComment{88, 33};

// Clock: year, month, day, hour, minute, one u32 each.
inline constexpr std::size_t kClockStart = 124;
inline constexpr std::size_t kClockFieldSize = 4;

inline constexpr RecordArray kBeacons{144, 84, 8};
namespace beacon {
inline constexpr FieldPos kDest{0, 7};
inline constexpr FieldPos kPath{7, 7};
inline constexpr FieldPos kTxrate{14, 2};
inline constexpr FieldPos kMessage{18, 66};
// The unit takes 64 message characters; the field's last byte is padding.
inline constexpr std::size_t kMessageChars = 64;
}  // namespace beacon

inline constexpr RecordArray kPathRules{816, 10, 8};
namespace pathrule {
inline constexpr FieldPos kName{0, 6};
inline constexpr FieldPos kLower{6, 1};
inline constexpr FieldPos kHigher{7, 1};
inline constexpr FieldPos kTraceable{8, 1};
inline constexpr FieldPos kActive{9, 1};
}  // namespace pathrule

inline constexpr FieldPos kCallfilterRule{896, 1};
inline constexpr RecordArray kFilterEntries{897, 7, 10};

// Telemetry reports.
inline constexpr FieldPos kTeletitle{968, 24};
inline constexpr FieldPos kTeleEnable{992, 1};
inline constexpr FieldPos kTelemoduleEnable{993, 1};
inline constexpr FieldPos kBitsmoduleEnable{994, 1};
inline constexpr FieldPos kTeledataDest{995, 7};
inline constexpr FieldPos kTeledataPath{1002, 7};
inline constexpr FieldPos kTeledataTxrate{1010, 2};
inline constexpr FieldPos kTeleparamsDest{1014, 7};
inline constexpr FieldPos kTeleparamsPath{1021, 7};
inline constexpr FieldPos kTeleparamsTxrate{1028, 2};

inline constexpr RecordArray kAnalogChannels{1032, 45, 5};
namespace analog {
inline constexpr FieldPos kSource{0, 1};
inline constexpr FieldPos kName{1, 8};
inline constexpr FieldPos kUnits{9, 8};
inline constexpr FieldPos kCoefA{17, 9};
inline constexpr FieldPos kCoefB{26, 9};
inline constexpr FieldPos kCoefC{35, 9};
inline constexpr FieldPos kAverage{44, 1};
}  // namespace analog

inline constexpr RecordArray kDigitalChannels{1257, 16, 8};
namespace digital {
inline constexpr FieldPos kSource{0, 1};
inline constexpr FieldPos kName{1, 7};
inline constexpr FieldPos kLabel{8, 7};
inline constexpr FieldPos kInverted{15, 1};
}  // namespace digital

inline constexpr RecordArray kSorbexOutputs{1385, 1, 4};
inline constexpr FieldPos kTeleHoldoff{1389, 1};
inline constexpr FieldPos kSerial1Mode{1390, 1};
inline constexpr FieldPos kSerial2Mode{1391, 1};
inline constexpr FieldPos kRs485Mode{1392, 1};

// Trailer, and the span the checksum covers (everything after the checksum
// itself up to the end marker). Bytes from kChecksummedEnd on stay zero.
inline constexpr FieldPos kEndMarker{1393, 3};
inline constexpr std::size_t kChecksummedStart = 4;
inline constexpr std::size_t kChecksummedEnd = 1396;

// The unit's address fields: six callsign characters, then the SSID character.
inline constexpr std::size_t kCallsignChars = 6;

}  // namespace layout

}  // namespace tarnvik
