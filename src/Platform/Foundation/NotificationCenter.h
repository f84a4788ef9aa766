#pragma once
// NotificationCenter: named in-process notifications ("onWindowResized") with an object and a
// user-info dictionary. Observers are registered under an owner; removing the owner, or dropping
// the returned token, guarantees the callback is not called afterwards. Thread-safe; callbacks run
// on the thread that posts.

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "Platform/Foundation/PlistValue.h"

namespace foundation {

struct Notification {
    std::string name;
    const void* object = nullptr;
    PlistDictionary userInfo;
};

class NotificationCenter {
  public:
    using Callback = std::function<void(const Notification&)>;

    // Removes the observation when destroyed.
    class Token {
      public:
        Token() = default;
        Token(Token&&) noexcept = default;
        Token& operator=(Token&&) noexcept;
        Token(const Token&) = delete;
        Token& operator=(const Token&) = delete;
        ~Token();
        void reset();

      private:
        friend class NotificationCenter;
        struct Entry;
        Token(NotificationCenter* center, std::shared_ptr<Entry> entry)
            : center_(center), entry_(std::move(entry)) {}
        NotificationCenter* center_ = nullptr;
        std::shared_ptr<Entry> entry_;
    };

    static NotificationCenter& defaultCenter();

    // `owner` identifies the observer for removeObserver; it may be null when only the token is used.
    [[nodiscard]] Token addObserver(const void* owner, std::string name, Callback callback);
    void removeObserver(const void* owner);
    void post(const std::string& name, const void* object = nullptr, PlistDictionary userInfo = {});

  private:
    void remove(const std::shared_ptr<Token::Entry>& entry);

    std::mutex mutex_;
    std::vector<std::shared_ptr<Token::Entry>> entries_;
};

}  // namespace foundation
