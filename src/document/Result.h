#pragma once

#include <QString>

#include <utility>

namespace vexel {

// Outcome of an operation that can fail with a message for the user.
class Status {
public:
    static Status success() { return Status(); }
    static Status failure(QString message) { return Status(std::move(message)); }

    bool ok() const { return error_.isEmpty(); }
    explicit operator bool() const { return ok(); }
    const QString& error() const { return error_; }

private:
    Status() = default;
    explicit Status(QString message)
        : error_(message.isEmpty() ? QStringLiteral("Unknown error") : std::move(message)) {}
    QString error_;
};

// A value, or the message that explains why there is none.
template <class T>
class Expected {
public:
    Expected(T value) : value_(std::move(value)), ok_(true) {}
    // A failed Status only; a successful one carries no value to hold.
    Expected(const Status& failed) : error_(failed.ok() ? QStringLiteral("Unknown error") : failed.error()) {}
    static Expected failure(QString message) { return Expected(Status::failure(std::move(message))); }

    bool ok() const { return ok_; }
    explicit operator bool() const { return ok_; }
    const T& value() const& { return value_; }
    T& value() & { return value_; }
    T&& value() && { return std::move(value_); }
    const T& operator*() const { return value_; }
    const T* operator->() const { return &value_; }
    const QString& error() const { return error_; }
    Status status() const { return ok_ ? Status::success() : Status::failure(error_); }

private:
    T value_{};
    QString error_;
    bool ok_ = false;
};

} // namespace vexel
