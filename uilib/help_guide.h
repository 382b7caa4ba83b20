// Where the help commands lead: the configured web-help address, or the user guide that ships
// inside the program, shown in a window of its own.
#pragma once

#include "qv6_ex_export.h"

#include <string>

class QWidget;

// The prefix of the shipped guide's pages (a Qt resource folder).
inline constexpr const char* USER_GUIDE_ROOT = "qrc:/guide/";

// `base` + `page` when a web-help base address is configured, else the page of the shipped
// guide ("qrc:/guide/Kelvor_6.htm#Antenna_Data_Files").
QV6_EX_EXPORT std::string help_address(const std::string& base, const std::string& page);

// True for an address of the shipped guide.
QV6_EX_EXPORT bool is_user_guide_address(const std::string& address);

// Opens `address`: a page of the shipped guide in the guide window (one for the whole program,
// brought to the front and moved to the page's section), any other address in the user's
// browser. A failure of the browser call is not reported.
QV6_EX_EXPORT void open_help_address(const std::string& address);
