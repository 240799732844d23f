// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a reader of an outside file gives back: the value it read, or why there is none. Readers
// never throw; the caller shows the message the program gives and logs the reason.
#include <QString>

#include <optional>
#include <utility>

template <class T>
class Result {
public:
    Result(T value) : value_(std::move(value)) {}
    static Result failure(QString why)
    {
        Result r;
        r.error_ = std::move(why);
        return r;
    }

    explicit operator bool() const { return value_.has_value(); }
    const T &operator*() const & { return *value_; }
    T &operator*() & { return *value_; }
    T &&operator*() && { return std::move(*value_); }
    const T *operator->() const { return &*value_; }
    // Empty when there is a value.
    const QString &error() const { return error_; }

private:
    Result() = default;
    std::optional<T> value_;
    QString error_;
};
