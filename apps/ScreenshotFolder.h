#pragma once
// Where the demo and the studio put their pictures when no folder is given and there is no
// display: run from the build folder, beside its bin/ (build/screenshots); installed, under the
// current folder, never into the installation itself.

#include <QDir>
#include <QFileInfo>
#include <string>

namespace dravik {

inline std::string DefaultScreenshotFolder(const char* argv0, const std::string& sub) {
  const QString bin = QFileInfo(QString::fromLocal8Bit(argv0)).absolutePath();
  const bool built = QFileInfo(bin).canonicalFilePath() ==
                     QFileInfo(QStringLiteral(DRAVIK_BUILD_BIN_DIR)).canonicalFilePath();
  const std::string base = built ? bin.toStdString() + "/../screenshots" : "screenshots";
  return sub.empty() ? base : base + "/" + sub;
}

}  // namespace dravik
