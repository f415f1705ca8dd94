#pragma once

#include <string>
#include <utility>

namespace vexel {

// Outcome of an operation that can fail with a message for the user.
class Status {
public:
    static Status success() { return Status(); }
    static Status failure(std::string message) { return Status(std::move(message)); }

    bool ok() const { return error_.empty(); }
    explicit operator bool() const { return ok(); }
    const std::string& error() const { return error_; }

private:
    Status() = default;
    explicit Status(std::string message) : error_(message.empty() ? "Unknown error" : std::move(message)) {}
    std::string error_;
};

// A value, or the message that explains why there is none.
template <class T>
class Expected {
public:
    Expected(T value) : value_(std::move(value)), ok_(true) {}
    // A failed Status only; a successful one carries no value to hold.
    Expected(const Status& failed) : error_(failed.ok() ? "Unknown error" : failed.error()) {}
    static Expected failure(std::string message) { return Expected(Status::failure(std::move(message))); }

    bool ok() const { return ok_; }
    explicit operator bool() const { return ok_; }
    const T& value() const& { return value_; }
    T& value() & { return value_; }
    T&& value() && { return std::move(value_); }
    const T& operator*() const { return value_; }
    const T* operator->() const { return &value_; }
    const std::string& error() const { return error_; }
    Status status() const { return ok_ ? Status::success() : Status::failure(error_); }

private:
    T value_{};
    std::string error_;
    bool ok_ = false;
};

} // namespace vexel
