// An optional value kept on the heap: the size of a pointer when absent.
//
// The readers' models hold many properties that most paragraphs, runs and
// cells never set (a section's settings, borders, shading). Held inline as
// std::optional each costs its full size in every element of a long
// document; boxed it costs a pointer until it is set. Copies are deep, so
// a Boxed behaves as the std::optional it replaces.
#pragma once

#include <memory>
#include <optional>
#include <stdexcept>
#include <utility>

namespace fq::model {

template <typename T>
class Boxed {
public:
    Boxed() = default;
    Boxed(std::nullopt_t) {}
    Boxed(const T& v) : p_(std::make_unique<T>(v)) {}
    Boxed(T&& v) : p_(std::make_unique<T>(std::move(v))) {}
    Boxed(const std::optional<T>& v) : p_(v ? std::make_unique<T>(*v) : nullptr) {}
    Boxed(std::optional<T>&& v) : p_(v ? std::make_unique<T>(std::move(*v)) : nullptr) {}
    Boxed(const Boxed& o) : p_(o.p_ ? std::make_unique<T>(*o.p_) : nullptr) {}
    Boxed(Boxed&&) noexcept = default;
    Boxed& operator=(const Boxed& o) {
        if (this != &o) p_ = o.p_ ? std::make_unique<T>(*o.p_) : nullptr;
        return *this;
    }
    Boxed& operator=(Boxed&&) noexcept = default;
    Boxed& operator=(std::nullopt_t) {
        p_.reset();
        return *this;
    }
    Boxed& operator=(const T& v) {
        if (p_) *p_ = v;
        else p_ = std::make_unique<T>(v);
        return *this;
    }
    Boxed& operator=(T&& v) {
        if (p_) *p_ = std::move(v);
        else p_ = std::make_unique<T>(std::move(v));
        return *this;
    }

    bool has_value() const { return p_ != nullptr; }
    explicit operator bool() const { return p_ != nullptr; }
    T& operator*() { return *p_; }
    const T& operator*() const { return *p_; }
    T* operator->() { return p_.get(); }
    const T* operator->() const { return p_.get(); }
    const T& value() const {
        if (!p_) throw std::bad_optional_access();
        return *p_;
    }
    template <typename U>
    T value_or(U&& fallback) const {
        return p_ ? *p_ : static_cast<T>(std::forward<U>(fallback));
    }
    template <typename... Args>
    T& emplace(Args&&... args) {
        p_ = std::make_unique<T>(std::forward<Args>(args)...);
        return *p_;
    }
    void reset() { p_.reset(); }

    friend bool operator==(const Boxed& a, const Boxed& b) {
        return a.p_ && b.p_ ? *a.p_ == *b.p_ : a.p_ == b.p_;
    }

private:
    std::unique_ptr<T> p_;
};

} // namespace fq::model
