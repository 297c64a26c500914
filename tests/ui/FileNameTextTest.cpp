#include <gtest/gtest.h>

#include <QString>
#include <string>

#include "platform/PathText.h"
#include "ui/FileNameText.h"

namespace tarnvik {
namespace {

// A name from a dialog reaches the core as the platform layer's text of the
// same file (UTF-8 on Windows, never the ANSI code page), with the system's
// separators, and comes back to the window as it went.
TEST(FileNameText, NamesCrossBetweenQtAndTheCoreWhole) {
  const bool windows = platform::NameTextIsUtf8();
  const struct {
    QString shown;
    std::string core;
  } cases[] = {
      {QStringLiteral("unit.cfg"), "unit.cfg"},
      {QString::fromUtf8("Käyttäjä/unit ä.cfg"), windows ? "K\xC3\xA4ytt\xC3\xA4j\xC3\xA4\\unit \xC3\xA4.cfg"
                                                         : "K\xC3\xA4ytt\xC3\xA4j\xC3\xA4/unit \xC3\xA4.cfg"},
      {QString::fromUtf8("C:/配置/ω.bin"),
       windows ? "C:\\\xE9\x85\x8D\xE7\xBD\xAE\\\xCF\x89.bin" : "C:/\xE9\x85\x8D\xE7\xBD\xAE/\xCF\x89.bin"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CoreFileName(c.shown), c.core) << c.shown.toStdString();
    const QString back = ShownFileName(c.core);
    EXPECT_EQ(back, windows ? QString(c.shown).replace(QLatin1Char('/'), QLatin1Char('\\')) : c.shown);
  }
}

}  // namespace
}  // namespace tarnvik
