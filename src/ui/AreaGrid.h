#pragma once
// Lays out one area of the settings tabs from the tab table: its controls
// (made by the binder, or push buttons) and its captions in a grid, each
// label the buddy of the control it names, so that screen readers announce a
// control by its label. Controls keep fixed widths: a text field is as wide
// as its longest value (FieldSample), a list as its longest entry, a button
// as its caption; a field marked to fill takes the rest of its row.

#include <QGridLayout>
#include <vector>

#include "ui/TabTable.h"

namespace tarnvik {

class SettingsBinder;

class AreaGrid : public QGridLayout {
  Q_OBJECT
 public:
  // Creates the area's widgets as children of owner, the widget that will
  // hold this grid.
  AreaGrid(Area area, SettingsBinder& binder, QWidget& owner);

  Area area() const { return area_; }
  // The grid of an area among several.
  static AreaGrid* find(const std::vector<AreaGrid*>& grids, Area area);

  // The area's controls in focus order.
  const std::vector<QWidget*>& controls() const { return controls_; }
  // The control at a row and column, or nullptr.
  QWidget* controlAt(int row, int column) const;

  // Whether a field of this grid takes what its row leaves, so that the grid
  // should span its page.
  bool fills() const { return fills_; }

  // Text fields and lists this tall, for dense grids.
  void setControlHeight(int pixels);

  // Gives the first column at least the width of another grid's, so that
  // the labels of stacked areas line up.
  static void alignFirstColumns(const std::vector<AreaGrid*>& grids);
  // Keyboard focus visits the grids' controls in this order.
  static void chainFocus(const std::vector<AreaGrid*>& grids);

 private:
  void addControl(const ControlCell& cell, SettingsBinder& binder, QWidget& owner);
  void addCaption(const CaptionCell& cell, QWidget& owner);
  QWidget* buddyOf(const CaptionCell& cell) const;
  void evenColumns();
  void sizeText(const ControlCell& cell, QWidget& field);

  Area area_;
  std::vector<QWidget*> controls_;
  std::vector<const ControlCell*> cells_;
  bool fills_ = false;
};

// Horizontal gap between the cells of a grid and vertical gap between rows.
inline constexpr int kCellGap = 3;
inline constexpr int kRowGap = 3;

}  // namespace tarnvik
