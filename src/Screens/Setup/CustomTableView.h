#pragma once
// CustomTableView: a table that takes file drops for a delegate and can drag the files of its rows
// to a preset cell, which runs that preset on them. While a drag it would take is over it, the
// table shows a blue border. Main thread only.

#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "Platform/AppKit/FileDrop.h"
#include "Platform/AppKit/TableView.h"
#include "Platform/Graphics/Color.h"

// What the table asks of whoever takes its drops.
class CustomTableViewDelegate {
  public:
    virtual ~CustomTableViewDelegate() = default;
    // The files dropped from elsewhere, in order.
    virtual void tableDidReceiveFiles(const std::vector<std::string>& paths) = 0;
    // Whether a drop is welcome now.
    virtual bool tableAcceptsDrop() const = 0;
};

class CustomTableView : public appkit::TableView {
    Q_OBJECT
  public:
    // The kind that names this table's drags to the views they are dropped on.
    static constexpr char dragKind[] = "file-table";

    explicit CustomTableView(QWidget* parent = nullptr);

    std::shared_ptr<CustomTableViewDelegate> dragDelegate;
    // The files a drag of these rows carries; without it the table starts no drags.
    std::function<std::vector<std::string>(const std::set<int>& rows)> filesForRows;

    // Hands the dropped files to the delegate when it takes them now; drags that started in this
    // application are not taken.
    virtual void acceptDroppedURLs(const std::vector<std::string>& paths, const appkit::DropSource& source);
    // Starts dragging these files; the drag names this table's kind.
    void beginDraggingFiles(const std::vector<std::string>& paths);

    std::optional<cg::Color> borderColor() const { return borderColor_; }
    double borderWidth() const { return borderWidth_; }

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    bool updateDragHighlight();
    void setBorder(std::optional<cg::Color> colour, double width);

    appkit::FileDropTarget* drop_;
    QWidget* borderOverlay_;
    std::optional<cg::Color> borderColor_;
    double borderWidth_ = 0;
    QPoint pressPoint_;
    bool pressed_ = false;
};
