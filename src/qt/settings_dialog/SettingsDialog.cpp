#include "qt/settings_dialog/SettingsDialog.h"

#include "qt/support/QtText.h"

#include "core/help/GuideLinks.h"
#include "core/picture/PictureTypes.h"
#include "core/transitions/DissolveTable.h"
#include "qt/support/AboutBox.h"
#include "qt/support/AdStrip.h"
#include "qt/support/FolderBrowser.h"
#include "qt/support/QtHelpHost.h"
#include "qt/support/QtPictureFormats.h"
#include "qt/support/SupportResources.h"
#include "qt/support/WindowPlacement.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSlider>
#include <QStackedWidget>
#include <QStyle>
#include <QSvgRenderer>
#include <QToolButton>
#include <QVBoxLayout>

namespace gf {

namespace {
const QString kCaption = qs(kSettingsCaption);
const SettingsCaptions& kKeys = kSettingsCaptions;
const SettingsTexts& kTexts = kSettingsTexts;

SettingsDialog::Services withDefaults(SettingsDialog::Services s, QWidget* window) {
    if (!s.openUrl)
        s.openUrl = GuideOpener(window);
    if (!s.askOkCancel)
        s.askOkCancel = [](QWidget* w, const QString& text) {
            return QMessageBox::question(w, kCaption, text, QMessageBox::Ok | QMessageBox::Cancel,
                                         QMessageBox::Ok) == QMessageBox::Ok;
        };
    if (!s.askYesNo)
        s.askYesNo = [](QWidget* w, const QString& text) {
            return QMessageBox::question(w, kCaption, text, QMessageBox::Yes | QMessageBox::No,
                                         QMessageBox::Yes) == QMessageBox::Yes;
        };
    if (!s.showError)
        s.showError = [](QWidget* w, const QString& text) {
            QMessageBox::critical(w, kCaption, text);
        };
    if (!s.showInfo)
        s.showInfo = [](QWidget* w, const QString& text) {
            QMessageBox::information(w, kCaption, text);
        };
    return s;
}

QToolButton* pictureButton(const char* name, const QString& tip, QStyle::StandardPixmap icon,
                           const QString& text, QWidget* owner) {
    auto* b = new QToolButton;
    b->setObjectName(QLatin1String(name));
    b->setToolTip(tip);
    b->setAccessibleName(tip);
    b->setIcon(owner->style()->standardIcon(icon));
    b->setText(text);
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    return b;
}

// The maker's logo, drawn from its SVG.
class Logo final : public QLabel {
  public:
    explicit Logo(int side) {
        QPixmap pm(side * 2, side * 2);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        QSvgRenderer(QStringLiteral(":/support/logo.svg")).render(&p);
        p.end();
        pm.setDevicePixelRatio(2);
        setPixmap(pm);
        setFixedSize(side, side);
    }
};
} // namespace

SettingsDialog::SettingsDialog(ProcessState& process, SettingsStore& store, Services services,
                               QWidget* parent)
    : QWidget(parent, Qt::Window), services_(withDefaults(std::move(services), this)),
      model_(process, store, *this, PicturePatterns(QtPictureFormats())) {
    InitSupportResources();
    setObjectName(QStringLiteral("frmConfig"));
    setWindowTitle(kCaption);
    buildUi();
    model_.Form_Load();
    syncFromModel();
    connectUi();
}

SettingsDialog::~SettingsDialog() = default;

void SettingsDialog::buildUi() {
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(14, 8, 14, 12);
    root->setSpacing(10);

    // Help menu.
    auto* menuBar = new QMenuBar(this);
    auto* help = menuBar->addMenu(qs(kKeys.help));
    auto* contents = help->addAction(QStringLiteral("&Contents"));
    contents->setObjectName(QStringLiteral("Contents"));
    contents->setShortcut(QKeySequence::HelpContents);
    auto* homePage = help->addAction(QStringLiteral("&Home Page"));
    homePage->setObjectName(QStringLiteral("HomePage"));
    auto* newVersion = help->addAction(QStringLiteral("Ch&eck for New Version"));
    newVersion->setObjectName(QStringLiteral("chkNewVersion"));
    help->addSeparator();
    auto* about = help->addAction(QStringLiteral("&About"));
    about->setObjectName(QStringLiteral("About"));
    root->setMenuBar(menuBar);

    connect(contents, &QAction::triggered, this, [this] { ShowHelpContents(this); });
    // The maker's pages are the guide's, shown in the help window: nothing leaves the program,
    // so there is nothing to ask first.
    connect(homePage, &QAction::triggered, this, [this] {
        if (const auto question = HomePageQuestion(GuideViewer::Help))
            if (!services_.askYesNo(this, qs(*question)))
                return;
        services_.openUrl(GuideUrl(kGuideProductPage));
    });
    connect(newVersion, &QAction::triggered, this,
            [this] { services_.openUrl(GuideUrl(GuideNewVersionPage(kGuidePlatform))); });
    connect(about, &QAction::triggered, this, [this] {
        if (!about_)
            about_ = new AboutBox(this);
        about_->exec();
    });

    // Picture source.
    auto* source = new QGroupBox(qs(kTexts.pictures));
    auto* sourceLayout = new QVBoxLayout(source);
    auto* modes = new QHBoxLayout;
    chkFolderMode = new QCheckBox(qs(kKeys.folderMode));
    chkFolderMode->setObjectName(QStringLiteral("chkFolderMode"));
    chkTemplateMode = new QCheckBox(qs(kKeys.templateMode));
    chkTemplateMode->setObjectName(QStringLiteral("chkTemplateMode"));
    modes->addWidget(chkFolderMode);
    modes->addSpacing(16);
    modes->addWidget(chkTemplateMode);
    modes->addSpacing(16);
    chkIncludeSubfolders = new QCheckBox(qs(kTexts.includeSubfolders));
    chkIncludeSubfolders->setObjectName(QStringLiteral("chkIncludeSubfolders"));
    chkIncludeSubfolders->setToolTip(qs(kTexts.includeSubfoldersTip));
    modes->addWidget(chkIncludeSubfolders);
    modes->addSpacing(16);
    auto* captionLabel = new QLabel(qs(kTexts.caption));
    cmbCaption = new QComboBox;
    cmbCaption->setObjectName(QStringLiteral("cmbCaption"));
    for (auto caption : kTexts.captions)
        cmbCaption->addItem(qs(caption));
    cmbCaption->setToolTip(qs(kTexts.captionTip));
    captionLabel->setBuddy(cmbCaption);
    modes->addWidget(captionLabel);
    modes->addWidget(cmbCaption);
    modes->addStretch();
    sourceLayout->addLayout(modes);

    auto* pathRow = new QHBoxLayout;
    txtImageListFile = new QLineEdit;
    txtImageListFile->setObjectName(QStringLiteral("txtImageListFile"));
    txtImageListFile->setAccessibleName(qs(kTexts.pathName));
    txtImageListFile->setClearButtonEnabled(true);
    cmdSelectFolder = pictureButton("cmdSelectFolder", qs(kTexts.selectFolderTip),
                                    QStyle::SP_DirOpenIcon, qs(kKeys.selectFolder), this);
    cmdSelectTemplate =
        pictureButton("cmdSelectTemplate", qs(kTexts.selectTemplateTip),
                      QStyle::SP_FileDialogContentsView, qs(kKeys.selectTemplate), this);
    cmdCreateTemplate =
        pictureButton("cmdCreateTemplate", qs(kTexts.createTemplateTip),
                      QStyle::SP_FileDialogNewFolder, qs(kKeys.createTemplate), this);
    cmdEditTemplate =
        pictureButton("cmdEditTemplate", qs(kTexts.editTemplateTip),
                      QStyle::SP_FileDialogDetailedView, qs(kKeys.editTemplate), this);
    auto* pathLabel = new QLabel(qs(kKeys.path));
    pathLabel->setBuddy(txtImageListFile);
    pathRow->addWidget(pathLabel);
    pathRow->addWidget(txtImageListFile, 1);
    pathRow->addWidget(cmdSelectFolder);
    pathRow->addWidget(cmdSelectTemplate);
    pathRow->addWidget(cmdCreateTemplate);
    pathRow->addWidget(cmdEditTemplate);
    sourceLayout->addLayout(pathRow);

    // Three panels in one place: the help text, the template lists, the folder lists.
    panels_ = new QStackedWidget;
    txtHelper = new QPlainTextEdit;
    txtHelper->setObjectName(QStringLiteral("txtHelper"));
    txtHelper->setReadOnly(true);
    txtHelper->setFrameShape(QFrame::NoFrame);
    txtHelper->setBackgroundRole(QPalette::AlternateBase);
    auto* textFrame = new QWidget;
    textFrame->setObjectName(QStringLiteral("TextFrame"));
    auto* textLayout = new QVBoxLayout(textFrame);
    textLayout->setContentsMargins(0, 0, 0, 0);
    textLayout->addWidget(txtHelper);
    templateLists_ = new FolderBrowser;
    templateLists_->setObjectName(QStringLiteral("TemplateFrame"));
    folderLists_ = new FolderBrowser;
    folderLists_->setObjectName(QStringLiteral("FolderFrame"));
    folderLists_->setPatterns(qs(JoinFilePatterns(model_.picturePatterns())));
    folderLists_->setFilesSelectable(false);
    panels_->addWidget(textFrame);
    panels_->addWidget(templateLists_);
    panels_->addWidget(folderLists_);
    panels_->setMinimumHeight(QFontMetrics(font()).lineSpacing() * 4);
    sourceLayout->addWidget(panels_, 1);

    // Show options.
    auto* show = new QGroupBox(qs(kTexts.show));
    auto* showLayout = new QVBoxLayout(show);
    auto* pairs = new QHBoxLayout;
    const char* names[4][3] = {{"OrderFrame", "chkOrderSequential", "chkOrderRandom"},
                               {"SizeFrame", "chkOriginal", "chkFullScreen"},
                               {"PlacementFrame", "chkPositionCentered", "chkPositionRandom"},
                               {"ScreensFrame", "chkScreensPrimary", "chkScreensEvery"}};
    const QString titles[4] = {qs(kKeys.order), qs(kKeys.size), qs(kKeys.placement),
                               qs(kTexts.screens)};
    for (std::size_t f = 0; f < options_.size(); ++f) {
        auto* frame = new QGroupBox(titles[f]);
        frame->setObjectName(QLatin1String(names[f][0]));
        auto* l = new QVBoxLayout(frame);
        for (std::size_t i = 0; i < 2; ++i) {
            auto* option = new QRadioButton(qs(kTexts.options[f][i]));
            option->setObjectName(QLatin1String(names[f][1 + i]));
            connect(option, &QRadioButton::toggled, this, [this, f, i](bool on) {
                if (on && !syncing_)
                    model_.chooseOption(f, i == 1);
            });
            options_[f][i] = option;
            l->addWidget(option);
        }
        pairs->addWidget(frame);
        if (f == 3)
            frame->setToolTip(qs(kTexts.screensTip));
    }
    showLayout->addLayout(pairs);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(24);
    auto* comboLabel = new QLabel(qs(kKeys.dissolve));
    Combo1 = new QComboBox;
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEditable(false);
    for (auto name : kDissolveNames)
        Combo1->addItem(qs(name));
    comboLabel->setBuddy(Combo1);
    auto* comboRow = new QHBoxLayout;
    comboRow->addWidget(comboLabel);
    comboRow->addWidget(Combo1, 1);
    grid->addLayout(comboRow, 0, 0, 1, 2);

    const char* scrollNames[4] = {"ScrollInterval", "ScrollDissolveSize", "ScrollDissolveDelay",
                                  "ScrollMouseSensitivity"};
    const char* labelNames[4] = {"lblDelayInterval", "lblDissolveSize", "lblDissolveDelay",
                                 "lblMouseSensitivity"};
    for (int i = 0; i < 4; ++i) {
        const auto& bar = model_.scrollBars()[std::size_t(i)];
        auto* label = new QLabel;
        label->setObjectName(QLatin1String(labelNames[i]));
        auto* slider = new QSlider(Qt::Horizontal);
        slider->setObjectName(QLatin1String(scrollNames[i]));
        slider->setRange(bar.min, bar.max);
        slider->setSingleStep(bar.smallChange);
        slider->setPageStep(bar.largeChange);
        slider->setValue(bar.value);
        label->setBuddy(slider);
        scrolls_[i] = slider;
        scrollLabels_[i] = label;
        auto* cell = new QVBoxLayout;
        cell->setSpacing(2);
        cell->addWidget(label);
        cell->addWidget(slider);
        grid->addLayout(cell, 1 + i / 2, i % 2);
    }
    showLayout->addLayout(grid);

    auto* checks = new QHBoxLayout;
    chkIgnoreMouse = new QCheckBox(qs(kKeys.ignoreMouse));
    chkIgnoreMouse->setObjectName(QStringLiteral("chkIgnoreMouse"));
    chkDisableSound = new QCheckBox(qs(kKeys.disableSound));
    chkDisableSound->setObjectName(QStringLiteral("chkDisableSound"));
    checks->addWidget(chkIgnoreMouse);
    checks->addSpacing(16);
    checks->addWidget(chkDisableSound);
    checks->addStretch();
    showLayout->addLayout(checks);

    // Where the screen is short, the two groups scroll; the buttons stay in reach.
    auto* body = new QWidget;
    auto* bodyLayout = new QVBoxLayout(body);
    bodyLayout->setContentsMargins(0, 0, 0, 0);
    bodyLayout->setSpacing(root->spacing());
    bodyLayout->addWidget(source, 1);
    bodyLayout->addWidget(show);
    root->addWidget(new ScrollingBody(body), 1);

    // The maker's strip and the two buttons.
    auto* bottom = new QHBoxLayout;
    auto* imgBrindlewick = new Logo(36);
    imgBrindlewick->setObjectName(QStringLiteral("imgBrindlewick"));
    const QUrl home = GuideUrl(kGuideHomePage);
    lblBrindlewick = new QLabel(
        QStringLiteral("<a href=\"%1\">%2</a>").arg(home.toString(), qs(kTexts.guideLink)));
    lblBrindlewick->setObjectName(QStringLiteral("lblBrindlewick"));
    lblBrindlewick->setToolTip(home.toLocalFile());
    lblBrindlewick->setTextInteractionFlags(Qt::LinksAccessibleByMouse |
                                            Qt::LinksAccessibleByKeyboard);
    connect(lblBrindlewick, &QLabel::linkActivated, this,
            [this](const QString& link) { services_.openUrl(QUrl(link)); });
    adStrip_ = new AdStrip(nullptr, services_.openUrl);
    adStrip_->setObjectName(QStringLiteral("imgAd"));
    adStrip_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    cmdCancel =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), qs(kKeys.cancel));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setToolTip(qs(kTexts.cancelTip));
    cmdExit = new QPushButton(style()->standardIcon(QStyle::SP_DialogApplyButton), qs(kKeys.done));
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    cmdExit->setToolTip(qs(kTexts.doneTip));
    cmdExit->setDefault(true);
    bottom->addWidget(imgBrindlewick);
    bottom->addWidget(lblBrindlewick);
    bottom->addSpacing(12);
    bottom->addWidget(adStrip_);
    bottom->addStretch();
    bottom->addWidget(cmdCancel);
    bottom->addWidget(cmdExit);
    root->addLayout(bottom);

    FitToScreen(this, QSize(780, 700));
}

void SettingsDialog::connectUi() {
    auto after = [this](auto action) {
        return [this, action](auto&&...) {
            if (syncing_)
                return;
            action();
            syncFromModel();
        };
    };
    connect(chkFolderMode, &QCheckBox::clicked, this,
            after([this] { model_.chkFolderMode_Click(); }));
    connect(chkTemplateMode, &QCheckBox::clicked, this,
            after([this] { model_.chkTemplateMode_Click(); }));
    connect(txtImageListFile, &QLineEdit::textEdited, this,
            [this](const QString& text) { model_.setImageListFileText(text.toStdString()); });

    connect(chkIgnoreMouse, &QCheckBox::toggled, this,
            [this](bool on) { model_.setIgnoreMouse(on); });
    connect(chkDisableSound, &QCheckBox::toggled, this,
            [this](bool on) { model_.setDisableSound(on); });
    connect(chkIncludeSubfolders, &QCheckBox::toggled, this,
            [this](bool on) { model_.setIncludeSubfolders(on); });
    connect(cmbCaption, &QComboBox::currentIndexChanged, this,
            [this](int index) { model_.setCaption(index); });
    connect(Combo1, &QComboBox::currentIndexChanged, this,
            [this](int index) { model_.setComboIndex(index); });
    for (int i = 0; i < 4; ++i) {
        connect(scrolls_[i], &QSlider::valueChanged, this, [this, i](int value) {
            auto& bar = model_.scrollBar(std::size_t(i));
            bar.setValue(value);
            scrollLabels_[i]->setText(
                QString::fromStdString(ScrollLabelWithAccessKey(std::size_t(i), bar.label)));
        });
    }

    connect(cmdSelectFolder, &QToolButton::clicked, this, after([this] {
                if (folderLists_->folder().isEmpty())
                    folderLists_->goToFolder(QDir::homePath());
                model_.cmdSelectFolder_Click(folderLists_->folder().toStdString());
            }));
    connect(cmdSelectTemplate, &QToolButton::clicked, this, after([this] {
                if (templateLists_->folder().isEmpty())
                    templateLists_->goToFolder(QDir::homePath());
                model_.cmdSelectTemplate_Click();
            }));
    connect(cmdCreateTemplate, &QToolButton::clicked, this,
            after([this] { model_.cmdCreateTemplate_Click(); }));
    connect(cmdEditTemplate, &QToolButton::clicked, this,
            after([this] { model_.cmdEditTemplate_Click(); }));
    connect(folderLists_, &FolderBrowser::folderChanged, this, [this](const QString& folder) {
        model_.Dir2_Change(folder.toStdString());
        syncFromModel();
    });
    connect(templateLists_, &FolderBrowser::fileClicked, this, [this](const QString& path) {
        const QFileInfo info(path);
        model_.File1_Click(templateLists_->folder().toStdString(), info.fileName().toStdString());
        syncFromModel();
    });
    connect(cmdExit, &QPushButton::clicked, this, [this] { done(); });
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);
    // A settings window answers Escape like its Cancel button.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, cmdCancel, &QPushButton::click);
}

void SettingsDialog::keyPressEvent(QKeyEvent* event) {
    // Enter reaches the window only when the focused control has no use for it: as in a dialog,
    // it presses the focused push button, else "Done". In the folder and file lists it would
    // store a choice the arrow keys only pointed at, so it does nothing there.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    QWidget* focus = focusWidget();
    if (!enter || (event->modifiers() & ~Qt::KeypadModifier) ||
        qobject_cast<QAbstractItemView*>(focus)) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (qobject_cast<QPushButton*>(focus) || qobject_cast<QToolButton*>(focus))
        static_cast<QAbstractButton*>(focus)->click();
    else
        cmdExit->click();
}

void SettingsDialog::syncFromModel() {
    syncing_ = true;
    const DialogControls& c = model_.controls();
    const QSignalBlocker b1(chkFolderMode), b2(chkTemplateMode), b3(txtImageListFile);
    chkFolderMode->setChecked(c.chkFolderMode);
    chkTemplateMode->setChecked(c.chkTemplateMode);
    chkFolderMode->setEnabled(c.chkFolderModeEnabled);
    chkTemplateMode->setEnabled(c.chkTemplateModeEnabled);
    cmdSelectFolder->setEnabled(c.cmdSelectFolderEnabled);
    cmdSelectTemplate->setEnabled(c.cmdSelectTemplateEnabled);
    cmdCreateTemplate->setEnabled(c.cmdCreateTemplateEnabled);
    cmdEditTemplate->setEnabled(c.cmdEditTemplateEnabled);
    txtImageListFile->setEnabled(c.txtImageListFileEnabled);
    if (txtImageListFile->text().toStdString() != c.txtImageListFile)
        txtImageListFile->setText(QString::fromStdString(c.txtImageListFile));
    txtHelper->setPlainText(QString::fromStdString(c.txtHelper));
    panels_->setCurrentIndex(c.panel == DialogPanel::Text       ? 0
                             : c.panel == DialogPanel::Template ? 1
                                                                : 2);

    const Settings& s = model_.settings();
    for (std::size_t f = 0; f < options_.size(); ++f)
        options_[f][model_.optionSecond(f) ? 1 : 0]->setChecked(true);
    chkIgnoreMouse->setChecked(c.chkIgnoreMouse);
    chkDisableSound->setChecked(c.chkDisableSound);
    {
        const QSignalBlocker block(chkIncludeSubfolders);
        chkIncludeSubfolders->setChecked(s.IncludeSubfolders != 0);
        const QSignalBlocker blockCaption(cmbCaption);
        cmbCaption->setCurrentIndex(s.Caption);
    }
    Combo1->setCurrentIndex(c.comboIndex);
    for (int i = 0; i < 4; ++i) {
        const auto& bar = model_.scrollBars()[std::size_t(i)];
        const QSignalBlocker block(scrolls_[i]);
        scrolls_[i]->setValue(bar.value);
        scrollLabels_[i]->setText(
            QString::fromStdString(ScrollLabelWithAccessKey(std::size_t(i), bar.label)));
    }
    syncing_ = false;
}

void SettingsDialog::done() {
    // The path box may have been typed into since the last change signal.
    model_.setImageListFileText(txtImageListFile->text().toStdString());
    if (model_.cmdExit_Click())
        close();
    else
        syncFromModel();
}

void SettingsDialog::moveTemplateLists(std::string_view folder) {
    templateLists_->goToFolder(qs(folder));
}

void SettingsDialog::moveFolderLists(std::string_view folder) {
    folderLists_->goToFolder(qs(folder));
}

std::optional<std::string> SettingsDialog::runDesigner(std::string_view templateName) {
    if (!services_.designer) {
        services_.showInfo(this, QStringLiteral("The template designer is not available in "
                                                "this version of Glimmerframe."));
        return std::nullopt;
    }
    return services_.designer(this, qs(templateName)).toStdString();
}

bool SettingsDialog::askOkCancel(std::string_view text) {
    return services_.askOkCancel(this, qs(text));
}

void SettingsDialog::showError(std::string_view text) {
    services_.showError(this, qs(text));
}

} // namespace gf
