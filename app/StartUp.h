#pragma once

#include <functional>

class AppSettings;

// The start-up sequence before the main window: read the settings, then show the options
// dialog until the surveyor's name and licence series are both set.
namespace StartUp {

// showOptions shows the options dialog modally; it may change the settings and the cancel
// flag. Returns false when the user left the options dialog with its exit button: the
// program then ends without a main window.
bool run(AppSettings& settings, const std::function<void(AppSettings&)>& showOptions);

} // namespace StartUp
