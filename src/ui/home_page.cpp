#include "ui/home_page.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/app_folder.h"

namespace tarnwick {

QUrl HomePageUrl() {
  const QString program_folder =
      QFileInfo(QFile::decodeName(QByteArray::fromStdString(ExecutablePath()))).absolutePath();
  const QString installed = QDir::cleanPath(
      program_folder + QStringLiteral("/" TARNWICK_DOC_FROM_PROGRAM "/user-guide.html"));
  const QString in_sources = QStringLiteral(TARNWICK_SOURCE_DOCS "/user-guide.html");
  for (const QString& page : {installed, in_sources}) {
    if (QFileInfo::exists(page)) return QUrl::fromLocalFile(page);
  }
  return QUrl::fromLocalFile(installed);
}

}  // namespace tarnwick
