#pragma once
// The questions the window asks before something the operator may regret:
// replacing settings that hold changes not yet saved or written (when the
// window closes, and before Read from file, a dropped or recent file and
// Read config take their place), and replacing a file that exists with
// Save to file. Each answer that loses nothing is the default: Save, and No.

#include <QString>
#include <string>

class QWidget;

namespace tarnvik {

// The answers to "save the changed settings first?".
enum class UnsavedAnswer { Save, Discard, Cancel };

// What would replace the changed settings.
enum class UnsavedMoment {
  Closing,    // the window closes
  Replacing,  // a file or the unit is read into the window
};

// The question's text for each moment.
QString UnsavedQuestion(UnsavedMoment moment);

// Save (Alt+S), Discard (Alt+D) and Cancel, Save the default; closing the
// box cancels.
UnsavedAnswer AskUnsaved(QWidget& parent, UnsavedMoment moment);

// "FILE already exists." and whether to replace it; No is the default.
bool AskReplace(QWidget& parent, const std::string& file);

}  // namespace tarnvik
