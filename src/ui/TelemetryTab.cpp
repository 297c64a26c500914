#include "ui/TelemetryTab.h"

#include <QTabBar>
#include <QTabWidget>

namespace tarnvik {

namespace {

struct Page {
  const char* name;
  const char* caption;
  std::vector<Area> top;
  std::vector<Area> bottom;
};

// Tabs drawn as push buttons, the shown page's pressed in.
constexpr const char* kButtonTabs =
    "QTabBar::tab { border: 1px solid palette(dark); border-radius: 3px; background: palette(button);"
    " padding: 2px 8px; margin: 2px 3px 2px 0px; }"
    "QTabBar::tab:selected { background: palette(mid); border-color: palette(shadow); }"
    "QTabBar::tab:hover:!selected { background: palette(light); }";

// The pages are as wide as the tab; the analog channel rows need the room.
constexpr int kSheetMargin = 3;
constexpr int kAnalogGap = 1;

}  // namespace

TelemetryTab::TelemetryTab(SettingsBinder& binder) : TabPage("TabTelemetry") {
  const Page pages[] = {
      {"PageReportSettings", "Report settings", {Area::ReportRows, Area::ReportOptions}, {Area::ReportNote}},
      {"PageAnalogChannels", "Analog channels", {Area::AnalogChannels}, {}},
      {"PageDigitalChannels1to4", "Digital channels 1-4", {Area::DigitalChannels1to4}, {}},
      {"PageDigitalChannels5to8", "Digital channels 5-8", {Area::DigitalChannels5to8}, {}},
      {"PageSorbexOutputs", "Sorbex outputs", {Area::SorbexOutputs}, {}},
  };
  auto* pageControl = new QTabWidget(this);
  pageControl->setObjectName(QStringLiteral("PageControl2"));
  pageControl->setDocumentMode(true);
  pageControl->tabBar()->setDrawBase(false);
  pageControl->tabBar()->setStyleSheet(QString::fromLatin1(kButtonTabs));
  std::vector<AreaGrid*> all;
  for (const Page& page : pages) {
    auto* sheet = new QWidget;
    sheet->setObjectName(QString::fromLatin1(page.name));
    for (AreaGrid* grid : stackInto(*sheet, binder, page.top, page.bottom)) all.push_back(grid);
    sheet->layout()->setContentsMargins(kSheetMargin, kSheetMargin, kSheetMargin, kSheetMargin);
    pageControl->addTab(sheet, QString::fromLatin1(page.caption));
  }
  // The report rows and the options below them share their label column.
  AreaGrid::alignFirstColumns({AreaGrid::find(all, Area::ReportRows), AreaGrid::find(all, Area::ReportOptions)});
  AreaGrid::find(all, Area::AnalogChannels)->setHorizontalSpacing(kAnalogGap);  // the widest row of all the tabs
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(pageControl);
  pageControl->setCurrentIndex(0);
  AreaGrid::chainFocus(all);
}

}  // namespace tarnvik
