#include "Platform/Foundation/NotificationCenter.h"

#include <algorithm>

namespace foundation {

struct NotificationCenter::Token::Entry {
    const void* owner;
    std::string name;
    Callback callback;
    // Held while the callback runs, so that a removal returns only once no call is in flight.
    std::recursive_mutex callMutex;
    bool alive = true;
};

NotificationCenter::Token& NotificationCenter::Token::operator=(Token&& other) noexcept {
    if (this != &other) {
        reset();
        center_ = other.center_;
        entry_ = std::move(other.entry_);
        other.center_ = nullptr;
    }
    return *this;
}

NotificationCenter::Token::~Token() {
    reset();
}

void NotificationCenter::Token::reset() {
    if (center_ && entry_) center_->remove(entry_);
    center_ = nullptr;
    entry_.reset();
}

NotificationCenter& NotificationCenter::defaultCenter() {
    static NotificationCenter center;
    return center;
}

NotificationCenter::Token NotificationCenter::addObserver(const void* owner, std::string name,
                                                          Callback callback) {
    auto entry = std::make_shared<Token::Entry>();
    entry->owner = owner;
    entry->name = std::move(name);
    entry->callback = std::move(callback);
    std::lock_guard lock(mutex_);
    entries_.push_back(entry);
    return Token(this, entry);
}

void NotificationCenter::remove(const std::shared_ptr<Token::Entry>& entry) {
    {
        std::lock_guard lock(mutex_);
        std::erase(entries_, entry);
    }
    std::lock_guard call(entry->callMutex);
    entry->alive = false;
}

void NotificationCenter::removeObserver(const void* owner) {
    std::vector<std::shared_ptr<Token::Entry>> removed;
    {
        std::lock_guard lock(mutex_);
        for (auto it = entries_.begin(); it != entries_.end();) {
            if ((*it)->owner == owner) {
                removed.push_back(*it);
                it = entries_.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (const auto& e : removed) {
        std::lock_guard call(e->callMutex);
        e->alive = false;
    }
}

void NotificationCenter::post(const std::string& name, const void* object, PlistDictionary userInfo) {
    std::vector<std::shared_ptr<Token::Entry>> targets;
    {
        std::lock_guard lock(mutex_);
        for (const auto& e : entries_)
            if (e->name == name) targets.push_back(e);
    }
    const Notification note{name, object, std::move(userInfo)};
    for (const auto& e : targets) {
        std::lock_guard call(e->callMutex);
        if (e->alive) e->callback(note);
    }
}

}  // namespace foundation
