#pragma once
// The "Beacon special strings" dialog: tells the operator which placeholders
// a beacon message may hold; the unit replaces them when it sends the beacon.
// Created once at start-up, hidden, and shown modally on demand.

#include <QDialog>

namespace tarnvik {

class Form2 : public QDialog {
  Q_OBJECT
 public:
  explicit Form2(QWidget* parent = nullptr);
};

}  // namespace tarnvik
