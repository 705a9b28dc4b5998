#pragma once
// "About Glimmerframe": title, version of this build, the maker and where the user guide is,
// the notice; OK, Enter or Escape closes it.
#include <QDialog>

class QLabel;

namespace gf {

class AboutBox final : public QDialog {
    Q_OBJECT
  public:
    explicit AboutBox(QWidget* parent = nullptr);
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblDisclaimer = nullptr;
};

} // namespace gf
