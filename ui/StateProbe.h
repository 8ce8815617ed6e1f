// For the end-to-end test only: with MVUL_PROBE=FILE in the environment the
// window writes what it shows (panel, figures, cells, fields, the places of
// its controls, an open message) to FILE as JSON whenever that changes.
#pragma once

#include <QObject>
#include <QString>

namespace mv::ui {

class MainWindow;

class StateProbe : public QObject {
  Q_OBJECT
 public:
  StateProbe(MainWindow* window, QString file);

 private:
  void Write();

  MainWindow* window_;
  QString file_;
  QByteArray last_;
};

}  // namespace mv::ui
