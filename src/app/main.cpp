// Tarnvik Configurator: edits every setting of the Tarnvik APRS digipeater
// and telemetry unit and moves them between the unit and files.
#include "app/GuardedApplication.h"
#include "app/Startup.h"

int main(int argc, char** argv) {
  tarnvik::GuardedApplication app(argc, argv);
  return tarnvik::RunFromCommandLine(app);
}
