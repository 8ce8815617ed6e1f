// "Névjegy": the program, its makers, the machine.
#pragma once

#include <QDialog>
#include <QLabel>

namespace mv::ui {

inline constexpr const char* kHomePage = "https://www.ombrelnepe.hu/mvul/";

class AboutBox : public QDialog {
  Q_OBJECT
 public:
  explicit AboutBox(QWidget* parent = nullptr);
  QLabel* osLabel() const { return os_; }

 private:
  QLabel* os_;
};

}  // namespace mv::ui
