#pragma once

namespace tarnwick {

// The program's home page: the user guide that the installation puts into
// the documentation folder. The build passes its installed address in.
inline constexpr const char* kHomePage = TARNWICK_HOME_PAGE;

// The link label is too narrow for the whole address; it shows the page's
// name and gives the address as its tool tip.
inline constexpr const char* kHomePageCaption = "user-guide.html";

}  // namespace tarnwick
