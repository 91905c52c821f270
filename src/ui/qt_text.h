#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "platform/text.h"

namespace tarnwick {

// Core texts are bytes: file names as the file system gave them, language
// and settings texts in UTF-8. Anything that is not UTF-8 shows as
// Windows-1252, the code page of collections from older systems.
inline QString ToQt(std::string_view bytes) { return QString::fromStdString(ToUtf8(bytes)); }

inline std::string FromQt(const QString& text) { return text.toStdString(); }

}  // namespace tarnwick
