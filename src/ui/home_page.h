#pragma once

#include <QUrl>

namespace tarnwick {

// The program's home page: the user guide beside the running program, where
// the installation puts it relative to the program's folder; for a program
// run from the build tree, the guide in the source tree.
QUrl HomePageUrl();

// The link label is too narrow for the whole address; it shows the page's
// name and gives the address as its tool tip.
inline constexpr const char* kHomePageCaption = "user-guide.html";

}  // namespace tarnwick
