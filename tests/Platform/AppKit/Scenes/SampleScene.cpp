// appkit_scenes OUTDIR STYLE: renders a sample window built from the interface stand-ins (segmented
// control, table with a group row, a 10,000-item collection with styled layers, a card with a
// shadow and a gradient) in the light or dark style, and writes OUTDIR/appkit-sample-STYLE.png; then
// the open panel over that window, OUTDIR/appkit-openpanel-STYLE.png.

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileSystemModel>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QVBoxLayout>
#include <cstdio>

#include "Platform/AppKit/CollectionView.h"
#include "Platform/AppKit/OpenPanel.h"
#include "Platform/AppKit/SegmentedControl.h"
#include "Platform/AppKit/Storyboard.h"
#include "Platform/AppKit/TableView.h"
#include "Platform/AppKit/Window.h"
#include "Platform/Dispatch/BackgroundWork.h"
#include "Support/SceneStyle.h"

using namespace appkit;

namespace {

bool gDark = false;

cg::Color surface() {
    return gDark ? cg::Color{0.17, 0.17, 0.18, 1} : cg::Color{0.97, 0.97, 0.98, 1};
}
cg::Color accent() {
    return cg::Color{0, 0.48, 1, 1};
}

QLabel* label(const QString& text, int pixelSize, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    QFont font = l->font();
    font.setPixelSize(pixelSize);
    l->setFont(font);
    return l;
}

class SampleItem : public CollectionViewItem {
  public:
    int index = 0;

  protected:
    void loadView() override {
        auto* v = new View;
        v->resize(110, 110);  // its designed size, before anything is placed by autoresizing
        v->setWantsLayer(true);
        Layer* layer = v->layer();
        layer->cornerRadius = 10;
        layer->masksToBounds = true;
        layer->borderWidth = 1;
        layer->borderColor = gDark ? cg::Color{0.35, 0.35, 0.38, 1} : cg::Color{0.8, 0.8, 0.84, 1};
        auto gradient = std::make_shared<Layer>(Layer::Kind::Gradient);
        const double hue = (index % 12) / 12.0;
        const QColor top = QColor::fromHsvF(float(hue), 0.55f, gDark ? 0.55f : 0.95f);
        const QColor bottom = QColor::fromHsvF(float(hue), 0.75f, gDark ? 0.35f : 0.75f);
        gradient->colors = {{top.redF(), top.greenF(), top.blueF(), 1},
                            {bottom.redF(), bottom.greenF(), bottom.blueF(), 1}};
        gradient->startPoint = {0.5, 1};  // y runs up: from the top edge down
        gradient->endPoint = {0.5, 0};
        gradient->frame = cg::Rect(0, 0, 110, 110);
        gradient->autoresizingMask = 18;
        layer->addSublayer(gradient);
        v->layerDidChange();
        auto* caption = label(QString("IMG_%1.jpg").arg(index + 1, 4, 10, QChar('0')), 11, v);
        caption->setStyleSheet("color: white");
        caption->setGeometry(8, 86, 100, 16);
        setView(v);
    }
    void selectionDidChange() override {
        view()->layer()->borderWidth = isSelected() ? 3 : 1;
        view()->layer()->borderColor = isSelected() ? accent() : cg::Color{0.8, 0.8, 0.84, 1};
        view()->layerDidChange();
    }
};

class Items : public CollectionViewDataSource {
  public:
    int numberOfItems(CollectionView&) override { return 10000; }
    std::shared_ptr<CollectionViewItem> itemForIndex(CollectionView& view, int index) override {
        auto item = std::dynamic_pointer_cast<SampleItem>(view.makeItem("sampleItem", index));
        item->index = index;
        return item;
    }
};

class Presets : public TableViewDataSource {
  public:
    int numberOfRows(TableView&) override { return 8; }
    QWidget* viewForRow(TableView& table, int row) override {
        View* cell = table.makeView(row == 0 ? "cellIDHeader" : "cellID");
        static const char* names[] = {"Presets",       "Instagram 1080", "Web 1920",   "Thumbnail 200",
                                      "Half size 50%", "Square 1200",    "Print 3000", "Email 800"};
        auto* text = label(names[row], row == 0 ? 11 : 13, cell);
        text->setGeometry(12, 0, 200, row == 0 ? 28 : 34);
        if (row == 0) text->setStyleSheet("color: gray; font-weight: bold");
        return cell;
    }
    double heightOfRow(TableView&, int row) override { return row == 0 ? 28 : 34; }
    bool isGroupRow(TableView&, int row) override { return row == 0; }
};

class SampleScreen : public ViewController {
  protected:
    void loadView() override {
        auto* root = new View;
        root->setWantsLayer(true);
        root->layer()->backgroundColor = surface();
        root->layerDidChange();
        auto* column = new QVBoxLayout(root);
        column->setContentsMargins(16, 12, 16, 16);
        auto* segments = new SegmentedControl({"Presets", "Advanced", "Rename", "Bulk"});
        segments->setSelectedSegment(0);
        column->addWidget(segments, 0, Qt::AlignHCenter);
        auto* row = new QHBoxLayout;
        column->addLayout(row, 1);

        auto* table = new TableView;
        table->setFixedWidth(220);
        table->setDataSource(&presets_);
        table->reloadData();
        table->selectRowIndexes({2}, false);
        row->addWidget(table);

        auto* grid = new CollectionView;
        grid->setItemSize({110, 110});
        grid->setDataSource(&items_);
        grid->reloadData();
        grid->setSelectionIndexes({1, 6});
        row->addWidget(grid, 1);

        auto* card = new View;
        card->setFixedHeight(64);
        card->setWantsLayer(true);
        card->layer()->backgroundColor = gDark ? cg::Color{0.24, 0.24, 0.26, 1} : cg::Color::whiteColor();
        card->layer()->cornerRadius = 12;
        card->layer()->shadowOpacity = 0.35;
        card->layer()->shadowRadius = 6;
        card->layer()->shadowOffset = {0, -3};
        card->layerDidChange();
        auto* status = label("10,000 Images", 15, card);
        status->setGeometry(16, 20, 300, 24);
        column->addSpacing(8);
        column->addWidget(card);
        setView(root);
    }

  private:
    Items items_;
    Presets presets_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const dispatch::BackgroundWorkScope backgroundWork;
    if (argc < 3) {
        std::fprintf(stderr, "usage: appkit_scenes OUTDIR light|dark\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    gDark = QString(argv[2]) == "dark";
    testsupport::applySceneStyle(app, gDark);
    QDir().mkpath(out);

    Storyboard::main().registerController("sampleItem", [] { return std::make_shared<SampleItem>(); });
    Storyboard::main().registerView("cellID", [] { return new View; });
    Storyboard::main().registerView("cellIDHeader", [] { return new View; });

    Window window;
    window.setWindowTitle("Vorta");
    window.setContentViewController(std::make_shared<SampleScreen>());
    window.resize(960, 640);
    window.show();
    for (int i = 0; i < 20; ++i) QApplication::processEvents();
    const QString file = out + "/appkit-sample-" + (gDark ? "dark" : "light") + ".png";
    if (!window.grab().save(file)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(file));
        return 1;
    }
    std::printf("%s\n", qPrintable(file));

    // The open panel over the window, browsing a folder of photos and a sub-folder.
    QTemporaryDir photos;
    QDir(photos.path()).mkdir("Holiday");
    int hue = 20;
    for (const char* name : {"IMG_0001.jpg", "IMG_0002.jpg", "IMG_0003.png", "notes.txt"}) {
        // A sky over a field, so each thumbnail reads as a small photo.
        QImage sample(640, 480, QImage::Format_RGB32);
        QPainter paint(&sample);
        paint.fillRect(0, 0, 640, 300, QColor::fromHsv(200 + hue, 120, 230));
        paint.fillRect(0, 300, 640, 180, QColor::fromHsv(90 + hue, 170, 150));
        paint.setBrush(QColor(250, 220, 90));
        paint.drawEllipse(QPoint(180 + 4 * hue, 150), 70, 70);
        paint.end();
        hue += 30;
        sample.save(photos.path() + "/" + name, QString(name).endsWith(".txt") ? "PNG" : nullptr);
    }
    OpenPanel panel;
    panel.canChooseDirectories = true;
    panel.allowsMultipleSelection = true;
    panel.allowedFileTypes = {"jpg", "png"};
    panel.directory = photos.path().toStdString();
    panel.beginSheetModal(&window, [](ModalResponse) {});
    QDialog* sheet = nullptr;
    for (int i = 0; i < 50 && !sheet; ++i) {
        QApplication::processEvents();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible()) sheet = d;
    }
    if (!sheet) {
        std::fprintf(stderr, "the open panel did not show\n");
        return 1;
    }
    // One photo chosen; the thumbnails are made off the main thread, so give them a moment.
    if (auto* tree = sheet->findChild<QTreeView*>()) {
        auto* model = qobject_cast<QFileSystemModel*>(tree->model());
        for (int i = 0; i < 100 && model && !model->index(photos.path() + "/IMG_0001.jpg").isValid(); ++i)
            QTest::qWait(20);
        if (model) {
            tree->selectionModel()->select(model->index(photos.path() + "/IMG_0001.jpg"),
                                           QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        }
    }
    QTest::qWait(800);
    // What the user sees: the dimmed window with the panel where it stands, over the window's middle.
    QImage seen = window.grab().toImage();
    {
        QPainter paint(&seen);
        paint.drawImage(sheet->geometry().topLeft() - window.geometry().topLeft(), sheet->grab().toImage());
    }
    const QString panelFile = out + "/appkit-openpanel-" + (gDark ? "dark" : "light") + ".png";
    if (!seen.save(panelFile)) return 1;
    std::printf("%s\n", qPrintable(panelFile));
    sheet->reject();
    return 0;
}
