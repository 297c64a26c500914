#include <gtest/gtest.h>

#include "ImageTestSupport.h"
#include "image/EncodeForWrite.h"
#include "support/FixedClock.h"
#include "support/FreshSettings.h"
#include "support/RecordingOperator.h"

namespace tarnvik {
namespace {

// Start-up settings made at 09:05 UTC on 3 July 2026, written at 23:59 UTC on
// 31 December 2027.
struct WriteAtNewYear : ::testing::Test {
  DeviceSettings settings = test::FreshSettings();
  ConfigImage image;
  test::RecordingOperator op;
  PcClock later = test::FixedUtcClock(2027, 12, 31, 23, 59);
};

TEST_F(WriteAtNewYear, ClockIsCopiedBeforeEncodingWhenUploaded) {
  ASSERT_TRUE(EncodeForWrite(settings, image, op, later, test::FixedStamp()));
  EXPECT_EQ(settings.text("Rtcyear"), "2027");
  EXPECT_EQ(settings.text("Rtcmin"), "59");
  EXPECT_EQ(image.bytes, test::EncodeOrFail(settings).bytes);  // the image holds the copied time
}

TEST_F(WriteAtNewYear, ClockTypedByTheOperatorIsSentAsTyped) {
  settings.setFlag("Uploadpctime", false);
  settings.setText("Rtcyear", "2030");
  ASSERT_TRUE(EncodeForWrite(settings, image, op, later, test::FixedStamp()));
  EXPECT_EQ(settings.text("Rtcyear"), "2030");
  EXPECT_EQ(settings.text("Rtcmonth"), "7");
}

TEST_F(WriteAtNewYear, RefusalKeepsTheRefreshedClockAndShowsOneBox) {
  settings.setText("Callsign", "");
  EXPECT_FALSE(EncodeForWrite(settings, image, op, later, test::FixedStamp()));
  EXPECT_EQ(op.boxes.size(), 1u);
  EXPECT_TRUE(op.log.empty());
  EXPECT_EQ(settings.text("Rtcday"), "31");
}

}  // namespace
}  // namespace tarnvik
