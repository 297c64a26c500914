#pragma once
// File > Recent files: the configuration files last saved or read, newest
// first, as the operator meets them again. The menu lists the eight newest
// that still exist when it opens (a file removed or renamed since drops out
// of sight, and comes back if it returns); picking one opens it as a file
// dropped on the window does. The list is kept in the window's memory file
// between runs, as the file system's bytes.

#include <QObject>
#include <functional>
#include <string>
#include <vector>

class QMenu;
class QSettings;

namespace tarnvik {

class RecentFiles : public QObject {
  Q_OBJECT
 public:
  static constexpr int kShown = 8;
  // Files kept beyond those shown stand in for shown ones that are gone.
  static constexpr int kKept = 16;

  // `memory` may be nullptr (nothing kept between runs); `open` gets the
  // file picked.
  RecentFiles(QMenu& menu, QSettings* memory, std::function<void(const std::string&)> open);

  // The file was saved or read: it goes first.
  void add(const std::string& file);
  // The files kept, newest first.
  const std::vector<std::string>& files() const { return files_; }
  // The eight newest that exist now.
  std::vector<std::string> shown() const;

 private:
  void rebuild();
  void keep() const;

  QMenu& menu_;
  QSettings* memory_;
  std::function<void(const std::string&)> open_;
  std::vector<std::string> files_;
};

}  // namespace tarnvik
