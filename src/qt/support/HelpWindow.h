#pragma once
// The user guide's window: a table of contents built from the headings of the guide's pages
// beside the page shown, following what is read. Escape and Ctrl+W close it. Each top-level
// window that asks for help gets one, reused for every showing.
#include <QWidget>

class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

namespace gf {

class HelpWindow final : public QWidget {
    Q_OBJECT
  public:
    // The help window belonging to `caller`, created on first use (top-level when null).
    static HelpWindow* forCaller(QWidget* caller);

    explicit HelpWindow(QWidget* caller = nullptr);
    // Loads the guide and rebuilds the contents; false when the file cannot be read.
    bool openGuide(const QString& file);
    // Shows and raises the window at the top of the guide; `onTop` keeps it above its caller.
    void showContents(bool onTop);
    // Shows and raises the window at a section of the guide (its anchor; "": the top).
    void showSection(const QString& anchor);

    QTreeWidget* contents() const { return toc_; }
    QTextBrowser* browser() const { return browser_; }

  private:
    // The contents of every page of this system's guide beside the one opened.
    void rebuildContents();
    // Shows the page and section of a contents item.
    void showItem(QTreeWidgetItem* item);
    // Selects the contents item of the section the reader is in.
    void followReader();

    QTreeWidget* toc_ = nullptr;
    QTextBrowser* browser_ = nullptr;
    QString file_;
    bool following_ = false; // the contents follow the page: no navigation back
};

} // namespace gf
