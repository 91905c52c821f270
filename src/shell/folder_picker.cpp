#include "shell/folder_picker.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

namespace tarnwick {

std::string BrowseFolder(const std::string& title, bool allowNewFolder) {
  QFileDialog::Options options = QFileDialog::ShowDirsOnly;
  // A read-only dialog has no button for making a folder.
  if (!allowNewFolder) options |= QFileDialog::ReadOnly;
  const QString folder = QFileDialog::getExistingDirectory(
      QApplication::activeWindow(), QString::fromStdString(title), QDir::homePath(), options);
  return QFile::encodeName(folder).toStdString();
}

}  // namespace tarnwick
