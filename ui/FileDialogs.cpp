#include "ui/FileDialogs.h"

#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QTreeView>

#include "ui/Text.h"

namespace mv::ui {
namespace {

// The type and the date as a Hungarian player reads them, whatever the
// system's language: Qt's file model writes them in the system's.
class HungarianColumns : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;
  QVariant data(const QModelIndex& index, int role) const override {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || !files || index.column() < 1 || index.column() > 3)
      return QIdentityProxyModel::data(index, role);
    const QModelIndex source = mapToSource(index);
    const QFileInfo info = files->fileInfo(source);
    const QLocale hungarian(QLocale::Hungarian, QLocale::Hungary);
    if (index.column() == 1) {
      if (info.isDir()) return QString();
      const qint64 size = info.size();
      if (size < 1024) return QString("%1 bájt").arg(size);
      if (size < 1024 * 1024) return hungarian.toString(double(size) / 1024.0, 'f', 1) + " kB";
      return hungarian.toString(double(size) / (1024.0 * 1024.0), 'f', 1) + " MB";
    }
    if (index.column() == 3) return hungarian.toString(files->lastModified(source), "yyyy. MM. dd. HH:mm");
    if (info.isDir()) return QString("Mappa");
    return info.suffix().isEmpty() ? QString("Fájl") : info.suffix().toLower() + "-fájl";
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    static const char* const kTitles[] = {"Név", "Méret", "Típus", "Módosítva"};
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 4)
      return QString(kTitles[section]);
    return QIdentityProxyModel::headerData(section, orientation, role);
  }
};

}  // namespace

void FitFileDialog(QFileDialog& dialog) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setViewMode(QFileDialog::Detail);
  dialog.setProxyModel(new HungarianColumns(&dialog));
  // Room for the four columns at the window's font.
  const int unit = dialog.fontMetrics().averageCharWidth();
  dialog.resize(std::max(dialog.width(), unit * 120), std::max(dialog.height(), unit * 60));
  for (QTreeView* view : dialog.findChildren<QTreeView*>()) {
    QHeaderView* header = view->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < header->count(); ++column)
      header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
  }
}

QString ChooseFileToOpen(QWidget* parent, const QString& title, const std::filesystem::path& folder,
                         const QString& filter) {
  QFileDialog dialog(parent, title, QPath(folder), filter);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  FitFileDialog(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

}  // namespace mv::ui
