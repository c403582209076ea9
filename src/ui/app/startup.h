#pragma once

#include <memory>

namespace kelvane {

class SingleInstance;

// The program's start: refuses a second running copy, prepares the two database files
// (creating missing ones), then shows the main window. False when the program must end; the
// reason has been shown to the user.
bool StartKelvane(std::unique_ptr<SingleInstance> &instanceLock);

} // namespace kelvane
