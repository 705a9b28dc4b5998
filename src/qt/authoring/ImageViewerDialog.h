#pragma once
// "Image Viewer": one picture stretched over a fixed area, on the entry's background colour.
#include <QDialog>

class QLabel;
class QPushButton;

namespace gf {

class FileSystem;

class ImageViewerDialog final : public QDialog {
    Q_OBJECT
  public:
    static constexpr QSize kPictureSize{560, 420};

    explicit ImageViewerDialog(FileSystem& files, QWidget* parent = nullptr);
    // Loads the picture; the reason when it cannot be read.
    QString loadPicture(const QString& path);
    void setBackgroundColor(const QColor& color);
    const QPixmap& picture() const { return picture_; }
    QPushButton* okButton() const { return ok_; }

  private:
    FileSystem& files_;
    QLabel* image_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPixmap picture_;
};

} // namespace gf
