#pragma once
// The window shown with its file dialogs answered by the test, and a folder
// of the test's own for the files: the fixture of the file buttons' tests.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "app/Form1.h"
#include "support/FreshSettings.h"
#include "support/RecordingOperator.h"
#include "support/TestFiles.h"

namespace tarnvik::test {

class FileButtons : public ::testing::Test {
 protected:
  void SetUp() override { form.show(); }
  void click(const char* name) { QTest::mouseClick(form.findChild<QPushButton*>(name), Qt::LeftButton); }

  RecordingOperator record;
  Form1 form{{TestClock(), &record}};
  TempFolder folder;
  std::filesystem::path dir = folder.root();
};

}  // namespace tarnvik::test
