#include "qt/authoring/DesignerWindow.h"

#include "qt/support/QtText.h"

#include "core/authoring/DesignerView.h"
#include "core/authoring/PackageJob.h"
#include "qt/authoring/QtDesignerDialogs.h"
#include "qt/support/AdStrip.h"
#include "qt/support/PathLabel.h"
#include "qt/support/QtHelpHost.h"
#include "qt/support/WindowPlacement.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStyle>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace gf {

namespace {

enum class Glyph { Plus, Minus, Up, Down, Cross, Package };

// Simple line icons in the palette's text colour, for the row commands.
QIcon glyphIcon(Glyph g, const QColor& color) {
    QPixmap pm(48, 48);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(color, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    switch (g) {
    case Glyph::Plus:
        p.drawLine(24, 10, 24, 38);
        [[fallthrough]];
    case Glyph::Minus:
        p.drawLine(10, 24, 38, 24);
        break;
    case Glyph::Up:
    case Glyph::Down: {
        const bool up = g == Glyph::Up;
        p.drawLine(24, 10, 24, 38);
        const int tip = up ? 10 : 38, back = up ? 22 : 26;
        p.drawPolyline(QPolygon({QPoint(12, back), QPoint(24, tip), QPoint(36, back)}));
        break;
    }
    case Glyph::Cross:
        p.drawLine(13, 13, 35, 35);
        p.drawLine(35, 13, 13, 35);
        break;
    case Glyph::Package:
        p.setPen(QPen(color, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawRect(9, 17, 30, 22);
        p.drawLine(6, 17, 42, 17);
        p.drawPolyline(QPolygon({QPoint(17, 11), QPoint(24, 5), QPoint(31, 11)}));
        p.drawLine(24, 5, 24, 28);
        break;
    }
    return QIcon(pm);
}

} // namespace

DesignerWindow::DesignerWindow(ProcessState& process, const QString& templateName, QWidget* parent,
                               DesignerDialogs* dialogs)
    : QDialog(parent), process_(process) {
    if (!dialogs) {
        ownDialogs_ = std::make_unique<QtDesignerDialogs>(this, process.authoring, process.files);
        dialogs = ownDialogs_.get();
    }
    dialogs_ = dialogs;
    model_ = std::make_unique<TemplateDesigner>(process.files, *dialogs);
    setWindowTitle(qs(kDesignerCaption));
    setSizeGripEnabled(true);

    // Commands.
    auto* bar = new QHBoxLayout;
    bar->setSpacing(2);
    const QColor ink = palette().color(QPalette::ButtonText);
    auto add = [this, bar](const QIcon& icon, const QString& text, const QString& name,
                           const QString& tip, auto action) {
        auto* b = new QToolButton;
        b->setObjectName(name);
        b->setIcon(icon);
        b->setIconSize(QSize(24, 24));
        b->setText(text);
        b->setToolTip(tip);
        b->setAccessibleName(tip);
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setAutoRaise(true);
        b->setMinimumWidth(64);
        connect(b, &QToolButton::clicked, this, action);
        bar->addWidget(b);
    };
    QStyle* s = style();
    const QIcon icons[] = {glyphIcon(Glyph::Plus, ink),
                           glyphIcon(Glyph::Minus, ink),
                           glyphIcon(Glyph::Up, ink),
                           glyphIcon(Glyph::Down, ink),
                           glyphIcon(Glyph::Cross, ink),
                           s->standardIcon(QStyle::SP_DialogOpenButton),
                           s->standardIcon(QStyle::SP_DialogSaveButton),
                           glyphIcon(Glyph::Package, ink)};
    const char* names[] = {"cmdInsert", "cmdDelete", "cmdMoveUp", "cmdMoveDown",
                           "cmdClear",  "cmdLoad",   "cmdSave",   "cmdWriteSCR"};
    for (std::size_t i = 0; i < kDesignerCommands.size(); ++i) {
        const DesignerCommandText& c = kDesignerCommands[i];
        if (c.command == DesignerCommand::Load) { // the template's commands stand apart
            auto* line = new QFrame;
            line->setFrameShape(QFrame::VLine);
            line->setFrameShadow(QFrame::Sunken);
            bar->addWidget(line);
        }
        add(icons[i], qs(c.name), QLatin1String(names[i]), qs(c.tip),
            [this, command = c.command] { runCommand(command); });
    }
    bar->addStretch(1);
    add(s->standardIcon(QStyle::SP_DialogHelpButton), QStringLiteral("Help"),
        QStringLiteral("Help"), qs(designer_tips::kHelp), [this] { showHelp(); });
    add(s->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("Done"), QStringLiteral("cmdOk"),
        qs(designer_tips::kDone), [this] { accept(); });

    // The rows.
    list_ = new QTreeWidget;
    list_->setObjectName(QStringLiteral("ListView1"));
    list_->setRootIsDecorated(false);
    list_->setAlternatingRowColors(true);
    list_->setUniformRowHeights(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setColumnCount(int(kDesignerColumns.size()));
    QStringList headings;
    for (const auto& c : kDesignerColumns)
        headings << qs(c.title);
    list_->setHeaderLabels(headings);
    list_->header()->setStretchLastSection(true);
    list_->header()->setMinimumSectionSize(40);
    list_->header()->setDefaultSectionSize(60);
    // The columns share the width by fixed fractions, so there is nothing to scroll to.
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setToolTip(QStringLiteral("Double-click a row to edit it"));
    connect(list_, &QTreeWidget::currentItemChanged, this, [this] {
        if (refreshing_)
            return;
        const int row = list_->indexOfTopLevelItem(list_->currentItem());
        model_->select(row < 0 ? std::nullopt : std::optional<std::size_t>(std::size_t(row)));
    });
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        model_->select(std::size_t(list_->indexOfTopLevelItem(item)));
        editRow();
    });
    auto* enter =
        new QShortcut(QKeySequence(Qt::Key_Return), list_, nullptr, nullptr, Qt::WidgetShortcut);
    connect(enter, &QShortcut::activated, this, &DesignerWindow::editRow);
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, &DesignerWindow::showHelp);

    // Sound mode.
    auto* modeBox = new QGroupBox(QStringLiteral("Sound Mode"));
    auto* modeLayout = new QHBoxLayout(modeBox);
    for (int i = 0; i < 3; ++i) {
        const SoundModeChoice& mode = kSoundModeChoices[std::size_t(i)];
        modes_[i] = new QRadioButton(qs(mode.name));
        modes_[i]->setObjectName(QStringLiteral("opt") + qs(mode.name));
        modes_[i]->setToolTip(qs(mode.tip));
        modeLayout->addWidget(modes_[i]);
        connect(modes_[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on && !refreshing_)
                model_->setSoundMode(i + 1);
        });
    }

    // The package writer's progress.
    progressPanel_ = new QFrame;
    progressPanel_->setObjectName(QStringLiteral("Frame2"));
    progressLabel_ = new QLabel;
    progressLabel_->setObjectName(QStringLiteral("Label1"));
    progressBar_ = new QProgressBar;
    progressBar_->setObjectName(QStringLiteral("ProgressBar1"));
    progressBar_->setRange(0, 100);
    cancelWrite_ = new QPushButton(QStringLiteral("Cancel"));
    cancelWrite_->setObjectName(QStringLiteral("cmdCancelWrite"));
    connect(cancelWrite_, &QPushButton::clicked, this, [this] {
        if (job_)
            job_->cancel();
    });
    // The panel takes the list's place while a package is written.
    auto* progressLayout = new QVBoxLayout(progressPanel_);
    progressLayout->setContentsMargins(40, 0, 40, 0);
    progressLayout->addStretch(1);
    progressLayout->addWidget(progressLabel_);
    auto* barRow = new QHBoxLayout;
    barRow->addWidget(progressBar_, 1);
    barRow->addWidget(cancelWrite_);
    progressLayout->addLayout(barRow);
    progressLayout->addStretch(1);
    progressPanel_->hide();
    // What the last package write made, until the next one.
    writtenLabel_ = new PathLabel;
    writtenLabel_->setObjectName(QStringLiteral("lblPackageWritten"));
    writtenLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    writtenLabel_->hide();

    ads_ = new AdStrip;
    ads_->setObjectName(QStringLiteral("imgAd"));

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(modeBox);
    bottom->addStretch(0);
    bottom->addWidget(ads_, 0, Qt::AlignBottom);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(list_, 1);
    layout->addWidget(progressPanel_, 1);
    layout->addWidget(writtenLabel_);
    layout->addLayout(bottom);
    FitToScreen(this, QSize(980, 560));

    model_->open(templateName.toStdString());
    refresh();
}

DesignerWindow::~DesignerWindow() = default;

QString DesignerWindow::run(QWidget* parent, const QString& templateName, ProcessState& process) {
    DesignerWindow window(process, templateName, parent);
    window.exec();
    return window.templateName();
}

QToolButton* DesignerWindow::button(const QString& objectName) const {
    return findChild<QToolButton*>(objectName);
}

QRadioButton* DesignerWindow::soundModeOption(int mode) const {
    return mode >= 1 && mode <= 3 ? modes_[mode - 1] : nullptr;
}

void DesignerWindow::refresh() {
    refreshing_ = true;
    const auto& rows = model_->rows();
    // Keep the items when the count matches, so the view keeps its scroll position.
    while (list_->topLevelItemCount() > int(rows.size()))
        delete list_->takeTopLevelItem(list_->topLevelItemCount() - 1);
    while (list_->topLevelItemCount() < int(rows.size()))
        list_->addTopLevelItem(new QTreeWidgetItem);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const DesignerRow& r = rows[i];
        QTreeWidgetItem* item = list_->topLevelItem(int(i));
        const auto texts = ColumnTexts(r);
        for (std::size_t c = 0; c < texts.size(); ++c)
            item->setText(int(c), qs(texts[c]));
        item->setToolTip(0, r.imageName.empty() ? QString() : qs(r.imagePath));
        item->setToolTip(1, r.soundName.empty() ? QString() : qs(r.soundPath));
        item->setToolTip(3, qs(r.comment).replace(QLatin1Char('^'), QLatin1Char('\n')));
    }
    if (auto s = model_->selected())
        list_->setCurrentItem(list_->topLevelItem(int(*s)));
    else
        list_->setCurrentItem(nullptr);
    if (QRadioButton* option = soundModeOption(model_->soundMode()))
        option->setChecked(true);
    setWindowTitle(qs(model_->caption()));
    refreshing_ = false;
}

void DesignerWindow::runCommand(DesignerCommand command) {
    if (command == DesignerCommand::Package)
        return cmdWriteSCR_Click();
    model_->run(command);
    refresh();
}

void DesignerWindow::cmdWriteSCR_Click() {
    if (job_)
        return;
    const auto proposal = model_->packageProposal();
    if (!proposal)
        return;
    QFileDialog dialog(this, QStringLiteral("Create a standalone SCR"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("scr"));
    // What kind of package: a show for this system, or a Windows screen saver.
    QStringList filters;
    for (const auto& type : kPackageFileTypes)
        filters.push_back(qs(type.filter));
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.front());
    const QString folder = qs(model_->TemplatePath());
    if (!folder.isEmpty())
        dialog.setDirectory(folder);
    dialog.selectFile(qs(*proposal));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    WriteSCR(dialog.selectedFiles().first(),
             PackageProgramForFilter(dialog.selectedNameFilter().toStdString()));
}

bool DesignerWindow::WriteSCR(const QString& target, PackageProgram program) {
    if (job_)
        return false;
    writtenLabel_->hide();
    PackageJob job(*model_, process_.settings,
                   process_.startup.programFile.empty()
                       ? QCoreApplication::applicationFilePath().toStdString()
                       : process_.startup.programFile,
                   target.toStdString(), program);
    job_ = &job;
    refresh();

    // The rows can't be edited, nor a second write started, while the worker copies.
    QList<QWidget*> disabled;
    for (QWidget* w : findChildren<QToolButton*>())
        if (w->isEnabled()) {
            w->setEnabled(false);
            disabled.push_back(w);
        }
    for (QRadioButton* m : modes_)
        if (m->isEnabled()) {
            m->setEnabled(false);
            disabled.push_back(m);
        }
    list_->hide();
    progressBar_->setValue(0);
    progressLabel_->setText(qs(PackageJob::kFirstStep));
    cancelWrite_->setEnabled(true);
    progressPanel_->show();
    progressPanel_->repaint();

    QEventLoop loop;
    QThread* worker = QThread::create([&] {
        job.run(process_.files, [this] {
            QMetaObject::invokeMethod(
                this, [this] { showProgress(); }, Qt::QueuedConnection);
        });
    });
    connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    loop.exec();
    worker->wait();
    delete worker;
    QCoreApplication::sendPostedEvents(this); // the last progress updates, before the panel goes

    progressPanel_->hide();
    list_->show();
    for (QWidget* w : disabled)
        w->setEnabled(true);
    const PackageOutcome outcome = job.finish();
    job_ = nullptr;
    refresh();
    if (outcome.written) {
        writtenLabel_->setFullText(qs(*outcome.written));
        writtenLabel_->show();
        return true;
    }
    if (outcome.error)
        dialogs_->showError(*outcome.error);
    return false;
}

void DesignerWindow::showProgress() {
    if (!job_)
        return;
    const PackageWriteProgress p = job_->latest();
    const QString label = qs(p.label);
    if (progressLabel_->text() != label) {
        progressLabel_->setText(label);
        progressLabel_->repaint();
    }
    const int value = PackageJob::Percent(p);
    if (progressBar_->value() != value) {
        progressBar_->setValue(value);
        progressBar_->repaint();
    }
}

void DesignerWindow::editRow() {
    model_->editSelected();
    refresh();
}

void DesignerWindow::showHelp() {
    ShowHelpContents(this);
}

void DesignerWindow::done(int result) {
    if (job_)
        return; // closes once the package is written or cancelled
    // Unsaved rows are asked about; a save that was wanted but failed keeps the window open.
    if (!model_->requestClose()) {
        refresh();
        return;
    }
    QDialog::done(result);
}

void DesignerWindow::sizeColumns() {
    const int width = list_->viewport()->width() - 2; // the last column takes the rest
    for (std::size_t c = 0; c + 1 < kDesignerColumns.size(); ++c)
        list_->setColumnWidth(int(c), int(width * kDesignerColumns[c].share));
}

// After the layout has passed the new size on to the list.
void DesignerWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    QTimer::singleShot(0, this, &DesignerWindow::sizeColumns);
}

void DesignerWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    QTimer::singleShot(0, this, &DesignerWindow::sizeColumns);
}

} // namespace gf
