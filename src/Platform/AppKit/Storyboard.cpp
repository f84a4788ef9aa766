#include "Platform/AppKit/Storyboard.h"

#include "Platform/AppKit/View.h"
#include "Platform/AppKit/ViewController.h"
#include "Platform/AppKit/WindowController.h"

namespace appkit {

Storyboard::Storyboard(std::string name) : name_(std::move(name)) {}

Storyboard& Storyboard::main() {
    static Storyboard* storyboard = [] {
        auto* s = new Storyboard("Main");
        addMainStoryboardSegues(*s);
        return s;
    }();
    return *storyboard;
}

void Storyboard::registerController(const std::string& identifier, ControllerFactory factory) {
    std::lock_guard lock(mutex_);
    controllers_[identifier] = std::move(factory);
}

bool Storyboard::hasController(const std::string& identifier) const {
    std::lock_guard lock(mutex_);
    return controllers_.count(identifier) != 0;
}

std::shared_ptr<ViewController> Storyboard::instantiateController(const std::string& identifier) {
    ControllerFactory factory;
    {
        std::lock_guard lock(mutex_);
        auto it = controllers_.find(identifier);
        if (it == controllers_.end()) return nullptr;
        factory = it->second;
    }
    auto controller = factory();
    if (controller) {
        controller->setIdentifier(identifier);
        controller->setStoryboard(this);
    }
    return controller;
}

void Storyboard::registerWindowController(const std::string& identifier, WindowControllerFactory factory) {
    std::lock_guard lock(mutex_);
    windowControllers_[identifier] = std::move(factory);
}

std::shared_ptr<WindowController> Storyboard::instantiateWindowController(
    const std::string& identifier) const {
    WindowControllerFactory factory;
    {
        std::lock_guard lock(mutex_);
        auto it = windowControllers_.find(identifier);
        if (it == windowControllers_.end()) return nullptr;
        factory = it->second;
    }
    return factory();
}

void Storyboard::registerView(const std::string& identifier, ViewFactory factory) {
    std::lock_guard lock(mutex_);
    views_[identifier] = std::move(factory);
}

View* Storyboard::makeView(const std::string& identifier) const {
    ViewFactory factory;
    {
        std::lock_guard lock(mutex_);
        auto it = views_.find(identifier);
        if (it == views_.end()) return nullptr;
        factory = it->second;
    }
    View* view = factory();
    if (view) view->setObjectName(QString::fromStdString(identifier));
    return view;
}

void Storyboard::addSegue(SegueRow row) {
    std::lock_guard lock(mutex_);
    auto key = std::make_pair(row.source, row.identifier);
    segues_[key] = std::move(row);
}

std::optional<SegueRow> Storyboard::segue(const std::string& source, const std::string& identifier) const {
    std::lock_guard lock(mutex_);
    auto it = segues_.find({source, identifier});
    if (it == segues_.end()) return std::nullopt;
    return it->second;
}

std::vector<SegueRow> Storyboard::segues() const {
    std::lock_guard lock(mutex_);
    std::vector<SegueRow> rows;
    for (const auto& [key, row] : segues_) rows.push_back(row);
    return rows;
}

}  // namespace appkit
