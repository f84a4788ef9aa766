#pragma once
// Storyboard: the registry that stands in for the interface file. Controller factories by
// identifier (scenes, collection items, window contents), view factories by identifier (table
// cells), and the segue table keyed by (source scene, segue identifier) giving the destination
// scene and the segue class. Every instantiation makes a new object. Thread-safe; the objects it
// makes belong to the main thread.

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace appkit {

class View;
class ViewController;
class WindowController;

enum class SegueKind { Embed, Swap, Win, Pop, Child, Sub, Sheet };

struct SegueRow {
    std::string source;
    std::string identifier;
    std::string destination;
    SegueKind kind;
};

class Storyboard {
  public:
    using ControllerFactory = std::function<std::shared_ptr<ViewController>()>;
    using ViewFactory = std::function<View*()>;

    explicit Storyboard(std::string name);
    // The storyboard "Main", holding the application's segue table.
    static Storyboard& main();
    const std::string& name() const { return name_; }

    void registerController(const std::string& identifier, ControllerFactory factory);
    bool hasController(const std::string& identifier) const;
    // A new controller with its identifier and storyboard set, its view not yet built; nullptr
    // for an unknown identifier.
    std::shared_ptr<ViewController> instantiateController(const std::string& identifier);
    template <class T>
    std::shared_ptr<T> instantiate(const std::string& identifier) {
        return std::dynamic_pointer_cast<T>(instantiateController(identifier));
    }

    using WindowControllerFactory = std::function<std::shared_ptr<WindowController>()>;
    void registerWindowController(const std::string& identifier, WindowControllerFactory factory);
    // A new window controller ("Document Window Controller"), or nullptr.
    std::shared_ptr<WindowController> instantiateWindowController(const std::string& identifier) const;

    void registerView(const std::string& identifier, ViewFactory factory);
    // A new view for the identifier (a table cell), or nullptr.
    View* makeView(const std::string& identifier) const;

    void addSegue(SegueRow row);
    std::optional<SegueRow> segue(const std::string& source, const std::string& identifier) const;
    std::vector<SegueRow> segues() const;

  private:
    std::string name_;
    mutable std::mutex mutex_;
    std::map<std::string, ControllerFactory> controllers_;
    std::map<std::string, ViewFactory> views_;
    std::map<std::string, WindowControllerFactory> windowControllers_;
    std::map<std::pair<std::string, std::string>, SegueRow> segues_;
};

// The segue table of the storyboard "Main".
void addMainStoryboardSegues(Storyboard& storyboard);

}  // namespace appkit
