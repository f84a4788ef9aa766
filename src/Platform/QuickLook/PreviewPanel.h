#pragma once
// PreviewPanel: the shared preview window. A controller takes it over, a data source gives it the
// files to show (by position), and a delegate gives the screen rectangle it zooms open from. It
// steps through the items with the arrow keys or its previous and next buttons, and closes with
// Escape, the space bar or its close button, so the mouse alone can work it. Each image
// is shown from a reduced copy decoded on the global queue, so a very large photo never stalls the
// window; a copy that arrives after the panel moved on is dropped. One process-wide panel, made on
// first use; main thread only.

#include <QAbstractButton>
#include <QImage>
#include <QPointer>
#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "Platform/Graphics/Geometry.h"

class QLabel;

namespace quicklook {

class PreviewPanel;
class PreviewButton;

class PreviewPanelDataSource {
  public:
    virtual ~PreviewPanelDataSource() = default;
    virtual int numberOfPreviewItems(PreviewPanel& panel) = 0;
    // The file shown at `index`; absent for none.
    virtual std::optional<std::string> previewItemAt(PreviewPanel& panel, int index) = 0;
};

class PreviewPanelDelegate {
  public:
    virtual ~PreviewPanelDelegate() = default;
    // The rectangle on screen the item zooms open from; an empty one zooms from the centre.
    virtual cg::Rect sourceFrameOnScreen(PreviewPanel&, int /*index*/) { return {}; }
};

// The object that takes control of the panel while it shows: it becomes the data source and
// delegate when control begins and lets go when the panel closes.
class PreviewPanelController {
  public:
    virtual ~PreviewPanelController() = default;
    virtual void beginPreviewPanelControl(PreviewPanel& panel) = 0;
    virtual void endPreviewPanelControl(PreviewPanel& panel) = 0;
};

class PreviewPanel : public QWidget {
    Q_OBJECT
  public:
    static PreviewPanel& shared();
    // Whether the shared panel has been made (without making it).
    static bool exists();

    void setDataSource(PreviewPanelDataSource* source) { dataSource_ = source; }
    void setDelegate(PreviewPanelDelegate* delegate) { delegate_ = delegate; }
    PreviewPanelDataSource* dataSource() const { return dataSource_; }

    // Shows the panel under `controller` (which begins control), or refreshes it when it already
    // shows under the same controller.
    void makeKeyAndOrderFront(PreviewPanelController* controller);
    // Closes the panel; the controller ends its control.
    void orderOut();
    bool isShown() const { return isVisible(); }
    // An object that goes away while it serves the panel: the panel closes and forgets it.
    void forget(const PreviewPanelController* controller, const PreviewPanelDataSource* source);

    void reloadData();
    int currentPreviewItemIndex() const { return current_; }
    void setCurrentPreviewItemIndex(int index);
    void refreshCurrentPreviewItem();
    void selectNextItem();
    void selectPreviousItem();
    int itemCount() const { return count_; }

    // What shows now: the file of the current item, its reduced image once decoded, and the
    // rectangle on screen the panel opened from.
    const std::string& currentPath() const { return currentPath_; }
    const QImage& currentImage() const { return image_; }
    // While the current item's picture is being made ("Loading…"); after it, a null picture says
    // "No preview".
    bool isLoading() const { return loading_; }
    cg::Rect zoomOrigin() const { return zoomOrigin_; }
    // The window's own controls.
    QAbstractButton* closeButton() const;
    QAbstractButton* previousButton() const;
    QAbstractButton* nextButton() const;
    // The longest side of the reduced copies shown.
    static constexpr double kPreviewSide = 2048;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    PreviewPanel();
    void showImage(unsigned generation, const std::string& path, const QImage& image);
    void layoutControls();
    void castShadows();

    std::vector<QPointer<QWidget>> shadows_;
    PreviewButton* close_;
    PreviewButton* previous_;
    PreviewButton* next_;

    PreviewPanelDataSource* dataSource_ = nullptr;
    PreviewPanelDelegate* delegate_ = nullptr;
    PreviewPanelController* controller_ = nullptr;
    int current_ = 0;
    int count_ = 0;
    unsigned generation_ = 0;
    std::string currentPath_;
    QImage image_;
    bool loading_ = false;
    cg::Rect zoomOrigin_;
    double zoom_ = 1.0;  // 0 at the zoom origin, 1 in place
};

}  // namespace quicklook
