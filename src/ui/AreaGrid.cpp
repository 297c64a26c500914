#include "ui/AreaGrid.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <map>

#include "settings/DeviceSettings.h"
#include "ui/SettingsBinder.h"
#include "ui/ShownText.h"
#include "ui/WrappingButton.h"

namespace tarnvik {

namespace {

// A button's frame and a little air around its caption.
constexpr int kButtonPadding = 8;

// As wide as the setting's longest value of its kind.
int FieldWidth(const ControlCell& cell, const QWidget& field) {
  return TextFieldWidth(field.fontMetrics(), cell.kind, DeviceSettings::definition(cell.name).maxLength);
}

QPushButton* MakeButton(const ControlCell& cell, QWidget& owner) {
  const QString caption = ShownText(cell.caption);
  if (cell.wrapCaption) return new WrappingButton(caption, &owner);
  auto* button = new QPushButton(caption, &owner);
  button->setFixedWidth(button->fontMetrics().size(Qt::TextShowMnemonic, caption).width() + kButtonPadding);
  return button;
}

Qt::Alignment AlignmentOf(CaptionRole role) {
  switch (role) {
    case CaptionRole::Label: return Qt::AlignRight | Qt::AlignVCenter;
    case CaptionRole::Dash: return Qt::AlignCenter;
    case CaptionRole::Head: return Qt::AlignLeft | Qt::AlignBottom;
    case CaptionRole::Note: return Qt::AlignLeft | Qt::AlignTop;
  }
  return Qt::AlignLeft;
}

}  // namespace

AreaGrid::AreaGrid(Area area, SettingsBinder& binder, QWidget& owner) : area_(area) {
  setContentsMargins(0, 0, 0, 0);
  setHorizontalSpacing(kCellGap);
  setVerticalSpacing(kRowGap);
  for (const ControlCell& cell : TabControls())
    if (cell.area == area) addControl(cell, binder, owner);
  for (const CaptionCell& cell : TabCaptions())
    if (cell.area == area) addCaption(cell, owner);
  evenColumns();
}

// Lists under each other take the width of the widest, and so do text fields.
void AreaGrid::evenColumns() {
  std::map<std::pair<int, SettingKind>, int> widest;
  const auto key = [](const ControlCell& cell) {
    return std::pair{cell.column, DeviceSettings::definition(cell.name).kind};
  };
  const auto evened = [](const ControlCell& cell) {
    return cell.span == 1 && !cell.fill && DeviceSettings::has(cell.name);
  };
  for (std::size_t i = 0; i < cells_.size(); ++i)
    if (evened(*cells_[i])) widest[key(*cells_[i])] = std::max(widest[key(*cells_[i])], controls_[i]->minimumWidth());
  for (std::size_t i = 0; i < cells_.size(); ++i)
    if (evened(*cells_[i]) && DeviceSettings::definition(cells_[i]->name).kind != SettingKind::Flag)
      controls_[i]->setFixedWidth(widest[key(*cells_[i])]);
}

void AreaGrid::addControl(const ControlCell& cell, SettingsBinder& binder, QWidget& owner) {
  QWidget* widget = nullptr;
  if (DeviceSettings::has(cell.name)) {
    widget = binder.control(cell.name, cell.caption);
    widget->setParent(&owner);
    switch (DeviceSettings::definition(cell.name).kind) {
      case SettingKind::Text: sizeText(cell, *widget); break;
      case SettingKind::Choice: widget->setFixedWidth(widget->sizeHint().width()); break;
      case SettingKind::Flag: break;
    }
  } else {
    QPushButton* button = MakeButton(cell, owner);
    button->setObjectName(ShownText(cell.name));
    button->setAutoDefault(false);
    if (cell.click) connect(button, &QPushButton::clicked, this, [&binder, &cell] { cell.click(binder.settings()); });
    widget = button;
  }
  if (!cell.hint.empty()) widget->setToolTip(ShownText(cell.hint));
  if (!cell.title.empty()) widget->setAccessibleName(ShownText(cell.title));
  if (cell.fill)
    addWidget(widget, cell.row, cell.column, 1, cell.span, Qt::AlignVCenter);
  else
    addWidget(widget, cell.row, cell.column, 1, cell.span, Qt::AlignLeft | Qt::AlignVCenter);
  controls_.push_back(widget);
  cells_.push_back(&cell);
}

// A field that fills its row takes at least its own width and whatever the
// row leaves; the others keep their width.
void AreaGrid::sizeText(const ControlCell& cell, QWidget& field) {
  if (!cell.fill) return field.setFixedWidth(FieldWidth(cell, field));
  field.setMinimumWidth(FieldWidth(cell, field));
  field.setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  setColumnStretch(cell.column, 1);
  fills_ = true;
}

void AreaGrid::addCaption(const CaptionCell& cell, QWidget& owner) {
  auto* label = new QLabel(ShownText(cell.text), &owner);
  if (QWidget* buddy = buddyOf(cell)) label->setBuddy(buddy);
  if (cell.role != CaptionRole::Note) {
    addWidget(label, cell.row, cell.column, 1, cell.span, AlignmentOf(cell.role));
    return;
  }
  // A note fills its cells and wraps its words within them.
  label->setWordWrap(true);
  label->setAlignment(AlignmentOf(cell.role));
  addWidget(label, cell.row, cell.column, 1, cell.span);
}

QWidget* AreaGrid::controlAt(int row, int column) const {
  for (std::size_t i = 0; i < cells_.size(); ++i)
    if (cells_[i]->row == row && cells_[i]->column == column) return controls_[i];
  return nullptr;
}

// A label or "-" names the control right of it; a column head names the
// first control below it.
QWidget* AreaGrid::buddyOf(const CaptionCell& cell) const {
  switch (cell.role) {
    case CaptionRole::Label:
    case CaptionRole::Dash: return controlAt(cell.row, cell.column + cell.span);
    case CaptionRole::Head:
      for (int row = cell.row + 1; row < rowCount(); ++row)
        if (QWidget* below = controlAt(row, cell.column)) return below;
      return nullptr;
    case CaptionRole::Note: return nullptr;
  }
  return nullptr;
}

AreaGrid* AreaGrid::find(const std::vector<AreaGrid*>& grids, Area area) {
  const auto found = std::ranges::find(grids, area, &AreaGrid::area);
  return found == grids.end() ? nullptr : *found;
}

void AreaGrid::alignFirstColumns(const std::vector<AreaGrid*>& grids) {
  int widest = 0;
  for (AreaGrid* grid : grids)
    for (int i = 0; i < grid->count(); ++i) {
      int row = 0, column = 0, rows = 0, columns = 0;
      grid->getItemPosition(i, &row, &column, &rows, &columns);
      if (column == 0 && columns == 1) widest = std::max(widest, grid->itemAt(i)->sizeHint().width());
    }
  for (AreaGrid* grid : grids) grid->setColumnMinimumWidth(0, widest);
}

void AreaGrid::setControlHeight(int pixels) {
  for (std::size_t i = 0; i < controls_.size(); ++i)
    if (DeviceSettings::has(cells_[i]->name) && DeviceSettings::definition(cells_[i]->name).kind != SettingKind::Flag)
      controls_[i]->setFixedHeight(pixels);
}

void AreaGrid::chainFocus(const std::vector<AreaGrid*>& grids) {
  QWidget* previous = nullptr;
  for (AreaGrid* grid : grids)
    for (QWidget* control : grid->controls()) {
      if (previous != nullptr) QWidget::setTabOrder(previous, control);
      previous = control;
    }
}

}  // namespace tarnvik
