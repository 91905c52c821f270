#include "shell/folder_picker.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

namespace tarnwick {

std::string BrowseFolder(const std::string& title, bool allowNewFolder, const std::string& start) {
  QFileDialog::Options options = QFileDialog::ShowDirsOnly;
  // A read-only dialog has no button for making a folder.
  if (!allowNewFolder) options |= QFileDialog::ReadOnly;
  const QString start_folder = QFile::decodeName(QByteArray::fromStdString(start));
  const QString folder = QFileDialog::getExistingDirectory(
      QApplication::activeWindow(), QString::fromStdString(title),
      QDir(start_folder).exists() && !start.empty() ? start_folder : QDir::homePath(), options);
  return QFile::encodeName(folder).toStdString();
}

}  // namespace tarnwick
