#include "qt/authoring/EntryEditDialog.h"

#include "core/authoring/TemplateDesigner.h"

#include "qt/support/QtText.h"

#include "core/picture/PictureTypes.h"
#include "core/template/NamedColors.h"
#include "core/transitions/DissolveTable.h"
#include "qt/authoring/ImageViewerDialog.h"
#include "qt/authoring/SoundPlayerDialog.h"
#include "qt/show/QtPictureDecoder.h"
#include "qt/support/FolderBrowser.h"
#include "qt/support/PathLabel.h"
#include "qt/support/QtHelpHost.h"
#include "qt/support/QtPictureFormats.h"
#include "qt/support/WindowPlacement.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace gf {

namespace {

QIcon swatchIcon(const QColor& color) {
    QPixmap pm(22, 22);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 0, 90), 1));
    p.setBrush(color);
    p.drawRoundedRect(QRectF(1.5, 1.5, 19, 19), 4, 4);
    return QIcon(pm);
}

// The comment box: "^" stands for a line break, so typing it starts a new line.
class CommentBox final : public QPlainTextEdit {
  public:
    using QPlainTextEdit::QPlainTextEdit;

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->text() == QStringLiteral("^")) {
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
            QPlainTextEdit::keyPressEvent(&enter);
            return;
        }
        QPlainTextEdit::keyPressEvent(event);
    }
};

QPushButton* pictureButton(QWidget* owner, QStyle::StandardPixmap icon, const QString& text,
                           const QString& name, const QString& tip) {
    auto* b = new QPushButton(owner->style()->standardIcon(icon), text);
    b->setObjectName(name);
    b->setToolTip(tip);
    return b;
}

} // namespace

QColor ColorFromNumber(std::uint32_t n) {
    return QColor(int(n & 0xFF), int((n >> 8) & 0xFF), int((n >> 16) & 0xFF));
}

EntryEditDialog::EntryEditDialog(AuthoringMemory& memory, FileSystem& files, QWidget* parent)
    : QDialog(parent), files_(files), editor_(memory) {
    setWindowTitle(QStringLiteral("Template Edit"));

    auto* menu = new QMenuBar(this);
    auto* help = menu->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    help->addAction(QStringLiteral("&Contents"), QKeySequence::HelpContents, this,
                    [this] { ShowHelpContents(this); });

    // Picture side.
    imageBrowser_ = new FolderBrowser;
    imageBrowser_->setObjectName(QStringLiteral("Dir1"));
    imageBrowser_->setPatterns(qs(JoinFilePatterns(PicturePatterns(QtPictureFormats()))));
    originalImage_ = new PathLabel(QStringLiteral("Image File:"));
    originalImage_->setObjectName(QStringLiteral("lblOriginalImage"));
    originalImage_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* view = pictureButton(this, QStyle::SP_FileDialogContentsView, QStringLiteral("View"),
                               QStringLiteral("cmdView"), QStringLiteral("View Image"));
    auto* resetImage =
        pictureButton(this, QStyle::SP_DialogResetButton, QStringLiteral("Reset"),
                      QStringLiteral("cmdResetImage"), QStringLiteral("Reset Image Selection"));
    auto* imageBox = new QGroupBox(QStringLiteral("Image"));
    {
        auto* row = new QHBoxLayout;
        row->addWidget(originalImage_, 1);
        row->addWidget(view);
        row->addWidget(resetImage);
        auto* l = new QVBoxLayout(imageBox);
        l->addWidget(imageBrowser_, 1);
        l->addLayout(row);
    }

    // Sound side.
    soundBrowser_ = new FolderBrowser;
    soundBrowser_->setObjectName(QStringLiteral("Dir2"));
    soundBrowser_->setPatterns(qs(kEntrySoundPatterns));
    originalSound_ = new PathLabel(QStringLiteral("Sound File:"));
    originalSound_->setObjectName(QStringLiteral("lblOriginalSound"));
    originalSound_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* play = pictureButton(this, QStyle::SP_MediaPlay, QStringLiteral("Play"),
                               QStringLiteral("cmdPlay"), QStringLiteral("Play Sound File"));
    auto* resetSound =
        pictureButton(this, QStyle::SP_DialogResetButton, QStringLiteral("Reset"),
                      QStringLiteral("cmdResetSound"), QStringLiteral("Reset Sound Selection"));
    auto* soundBox = new QGroupBox(QStringLiteral("Sound"));
    {
        auto* row = new QHBoxLayout;
        row->addWidget(originalSound_, 1);
        row->addWidget(play);
        row->addWidget(resetSound);
        auto* l = new QVBoxLayout(soundBox);
        l->addWidget(soundBrowser_, 1);
        l->addLayout(row);
    }

    // Dissolve and comment.
    dissolve_ = new QComboBox;
    dissolve_->setObjectName(QStringLiteral("cmboDissolve"));
    for (auto name : kDissolveNames)
        dissolve_->addItem(qs(name));
    comment_ = new CommentBox;
    comment_->setObjectName(QStringLiteral("txtComment"));
    comment_->setPlaceholderText(QStringLiteral("Comment shown with the picture"));
    comment_->setToolTip(QStringLiteral("Comment text; \"^\" or Enter starts a new line"));
    comment_->setTabChangesFocus(true);
    auto* resetComment =
        pictureButton(this, QStyle::SP_DialogResetButton, QStringLiteral("Reset"),
                      QStringLiteral("cmdResetComment"), QStringLiteral("Reset Comment"));
    auto* textBox = new QGroupBox(QStringLiteral("Dissolve and Comment"));
    {
        auto* form = new QFormLayout(textBox);
        form->addRow(QStringLiteral("Dissolve"), dissolve_);
        auto* commentRow = new QHBoxLayout;
        commentRow->addWidget(comment_, 1);
        commentRow->addWidget(resetComment, 0, Qt::AlignTop);
        form->addRow(QStringLiteral("Comment"), commentRow);
    }

    // Colours: one row of swatches per slot.
    auto* colorBox = new QGroupBox(QStringLiteral("Colors"));
    auto* grid = new QGridLayout(colorBox);
    grid->setHorizontalSpacing(4);
    const QString slotNames[2] = {QStringLiteral("Background Color"),
                                  QStringLiteral("Foreground Color")};
    for (int slot = 0; slot < 2; ++slot) {
        auto* shown = new QLabel;
        shown->setObjectName(slot ? QStringLiteral("pctForegroundColor")
                                  : QStringLiteral("pctBackgroundColor"));
        shown->setFixedSize(64, 26);
        shown->setFrameShape(QFrame::StyledPanel);
        shown->setAutoFillBackground(true);
        (slot ? foreColor_ : backColor_) = shown;
        grid->addWidget(new QLabel(slotNames[slot]), slot, 0);
        grid->addWidget(shown, slot, 1);
        int column = 2;
        for (const std::string_view name : kEntrySwatches) {
            const QString colorName = qs(name);
            auto* b = new QToolButton;
            b->setObjectName(QStringLiteral("pct") + QString(colorName).remove(QLatin1Char(' ')) +
                             QString::number(slot));
            b->setIcon(swatchIcon(ColorFromNumber(ColorFromName(name, slot == 1))));
            b->setIconSize(QSize(22, 22));
            b->setAutoRaise(true);
            b->setToolTip(colorName);
            b->setAccessibleName(colorName + QLatin1Char(' ') + slotNames[slot]);
            b->setFocusPolicy(column == 2 ? Qt::StrongFocus : Qt::ClickFocus);
            b->installEventFilter(this);
            swatchRows_[slot].append(b);
            grid->addWidget(b, slot, column++);
            swatches_.insert(QString::number(slot) + QLatin1Char(':') + colorName, b);
            connect(b, &QToolButton::clicked, this, [this, colorName, slot] {
                editor_.clickSwatch(colorName.toStdString(), slot == 1);
                showColor(slot == 1);
            });
        }
    }
    grid->setColumnStretch(14, 1);

    ok_ = pictureButton(this, QStyle::SP_DialogOkButton, QStringLiteral("OK"),
                        QStringLiteral("cmdOk"), QStringLiteral("Accept Selections"));
    ok_->setDefault(true);
    cancel_ = pictureButton(this, QStyle::SP_DialogCancelButton, QStringLiteral("Cancel"),
                            QStringLiteral("cmdCancel"), QStringLiteral("Cancel Selections"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);

    // All but OK and Cancel scrolls where the screen is short.
    auto* body = new QWidget;
    auto* pickers = new QHBoxLayout;
    pickers->addWidget(imageBox, 1);
    pickers->addWidget(soundBox, 1);
    auto* bodyLayout = new QVBoxLayout(body);
    bodyLayout->setContentsMargins(0, 0, 0, 0);
    bodyLayout->addLayout(pickers, 3);
    bodyLayout->addWidget(textBox, 1);
    bodyLayout->addWidget(colorBox);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menu);
    layout->addWidget(new ScrollingBody(body), 1);
    layout->addLayout(buttons);
    FitToScreen(this, QSize(1000, 680));

    connect(imageBrowser_, &FolderBrowser::folderChanged, this, [this] {
        if (!syncing_)
            syncImageFolder();
    });
    connect(soundBrowser_, &FolderBrowser::folderChanged, this, [this] {
        if (!syncing_)
            syncSoundFolder();
    });
    connect(imageBrowser_, &FolderBrowser::fileClicked, this, [this](const QString& path) {
        editor_.clickImageFile(QFileInfo(path).fileName().toStdString());
    });
    connect(soundBrowser_, &FolderBrowser::fileClicked, this, [this](const QString& path) {
        editor_.clickSoundFile(QFileInfo(path).fileName().toStdString());
    });
    connect(imageBrowser_, &FolderBrowser::fileDoubleClicked, this, [this](const QString& path) {
        editor_.clickImageFile(QFileInfo(path).fileName().toStdString());
        cmdView_Click();
    });
    connect(dissolve_, &QComboBox::activated, this, [this](int i) { editor_.changeDissolve(i); });
    connect(dissolve_, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!syncing_)
            editor_.changeDissolve(i);
    });
    connect(comment_, &QPlainTextEdit::textChanged, this, [this] {
        if (!syncing_)
            editor_.changeComment(comment_->toPlainText().toStdString());
    });
    connect(view, &QPushButton::clicked, this, &EntryEditDialog::cmdView_Click);
    connect(play, &QPushButton::clicked, this, &EntryEditDialog::cmdPlay_Click);
    connect(resetImage, &QPushButton::clicked, this, [this] {
        imageBrowser_->goToFolder(QString::fromStdString(editor_.resetImage()));
        syncImageFolder();
    });
    connect(resetSound, &QPushButton::clicked, this, [this] {
        soundBrowser_->goToFolder(QString::fromStdString(editor_.resetSound()));
        syncSoundFolder();
    });
    connect(resetComment, &QPushButton::clicked, this, [this] {
        editor_.resetComment();
        syncing_ = true;
        comment_->setPlainText(QString::fromStdString(editor_.commentText()));
        syncing_ = false;
    });
    connect(ok_, &QPushButton::clicked, this, [this] {
        editor_.ok();
        accept();
    });
    connect(cancel_, &QPushButton::clicked, this, &EntryEditDialog::reject);
}

EntryEditDialog::~EntryEditDialog() = default;

// The model follows the folder the list shows; a click in the old folder no longer counts.
void EntryEditDialog::syncImageFolder() {
    editor_.setImageFolder(imageBrowser_->folder().toStdString());
}

void EntryEditDialog::syncSoundFolder() {
    editor_.setSoundFolder(soundBrowser_->folder().toStdString());
}

void EntryEditDialog::prepare(const EditRequest& request) {
    syncing_ = true;
    const auto picker = [](FolderBrowser* b) {
        return EntryPicker{[b] { return b->folder().toStdString(); },
                           [b](std::string_view folder) { return b->goToFolder(qs(folder)); }};
    };
    editor_.open(request, picker(imageBrowser_), picker(soundBrowser_),
                 QDir::homePath().toStdString());
    comment_->setPlainText(QString::fromStdString(editor_.commentText()));
    dissolve_->setCurrentIndex(editor_.dissolveIndex());
    showColor(false);
    showColor(true);
    originalImage_->setFullText(QString::fromStdString(editor_.originalImageCaption()));
    originalSound_->setFullText(QString::fromStdString(editor_.originalSoundCaption()));
    syncing_ = false;
}

bool EntryEditDialog::eventFilter(QObject* watched, QEvent* event) {
    for (const QList<QAbstractButton*>& row : swatchRows_) {
        const auto at = row.indexOf(static_cast<QAbstractButton*>(watched));
        if (at < 0)
            continue;
        if (event->type() == QEvent::FocusIn) {
            for (QAbstractButton* b : row)
                b->setFocusPolicy(b == watched ? Qt::StrongFocus : Qt::ClickFocus);
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            const int step = key == Qt::Key_Left || key == Qt::Key_Up      ? -1
                             : key == Qt::Key_Right || key == Qt::Key_Down ? 1
                                                                           : 0;
            if (step != 0) {
                row.at((at + step + row.size()) % row.size())->setFocus(Qt::OtherFocusReason);
                return true;
            }
        }
        break;
    }
    return QDialog::eventFilter(watched, event);
}

QAbstractButton* EntryEditDialog::swatch(const QString& colorName, bool foreground) const {
    return swatches_.value(QString::number(foreground ? 1 : 0) + QLatin1Char(':') + colorName);
}

void EntryEditDialog::showColor(bool foreground) {
    const auto& name = foreground ? results().ForegroundSelection : results().BackgroundSelection;
    QLabel* box = foreground ? foreColor_ : backColor_;
    QPalette p = box->palette();
    p.setColor(QPalette::Window, ColorFromNumber(ColorFromName(name, foreground)));
    box->setPalette(p);
    box->setToolTip(QString::fromStdString(name));
}

ImageViewerDialog* EntryEditDialog::viewer() {
    if (!viewer_)
        viewer_ = new ImageViewerDialog(files_, this);
    return viewer_;
}

SoundPlayerDialog* EntryEditDialog::player() {
    if (!player_)
        player_ = new SoundPlayerDialog(this);
    return player_;
}

void EntryEditDialog::cmdView_Click() {
    const auto path = editor_.selectedImagePath();
    if (path.empty())
        return;
    ImageViewerDialog* v = viewer();
    const QString error = v->loadPicture(QString::fromStdString(path));
    if (!error.isEmpty()) {
        QMessageBox::warning(this, windowTitle(), qs(kAuthoringErrorPrefix) + error);
        return;
    }
    v->setBackgroundColor(ColorFromNumber(ColorFromName(results().BackgroundSelection, false)));
    v->exec();
}

void EntryEditDialog::cmdPlay_Click() {
    const auto path = editor_.selectedSoundPath();
    if (path.empty())
        return;
    SoundPlayerDialog* p = player();
    p->setFileName(QString::fromStdString(path));
    p->setAutoStart(true);
    p->exec();
}

void EntryEditDialog::reject() {
    editor_.cancel();
    syncing_ = true;
    imageBrowser_->goToFolder(QString::fromStdString(editor_.imageFolder()));
    soundBrowser_->goToFolder(QString::fromStdString(editor_.soundFolder()));
    syncing_ = false;
    QDialog::reject();
}

} // namespace gf
