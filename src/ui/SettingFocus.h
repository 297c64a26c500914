#pragma once
// Brings a setting's control before the operator: the tab (and the page of
// the "Telemetry reports" tab) that holds it comes to the front and the
// control takes the keyboard focus, a text field with its whole text
// selected, so that typing replaces it at once.

class QWidget;

namespace tarnvik {

void LeadTo(QWidget& control);

}  // namespace tarnvik
