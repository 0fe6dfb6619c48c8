// A small stand-in for std::expected and std::unexpected, for compilers whose standard
// library leaves <expected> out although the language level asks for it: clang 14 with
// GCC 12's library, which the fuzz build uses. It offers what the project calls and no
// more; with GCC the real std::expected is used.
#pragma once

#include <optional>
#include <type_traits>
#include <utility>
#include <variant>

namespace gradation::fallback {

template <class E>
class unexpected {
public:
    explicit unexpected(E error) : error_(std::move(error)) {}
    const E& error() const& noexcept { return error_; }
    E&& error() && noexcept { return std::move(error_); }

private:
    E error_;
};

template <class T>
inline constexpr bool is_unexpected = false;
template <class E>
inline constexpr bool is_unexpected<unexpected<E>> = true;

template <class T, class E>
class expected {
public:
    expected() : v_(std::in_place_index<0>) {}
    template <class U = T, std::enable_if_t<!std::is_same_v<std::remove_cvref_t<U>, expected> &&
                                                !is_unexpected<std::remove_cvref_t<U>> && std::is_constructible_v<T, U&&>,
                                            int> = 0>
    expected(U&& value) : v_(std::in_place_index<0>, std::forward<U>(value)) {}
    expected(const unexpected<E>& u) : v_(std::in_place_index<1>, u.error()) {}
    expected(unexpected<E>&& u) : v_(std::in_place_index<1>, std::move(u).error()) {}

    bool has_value() const noexcept { return v_.index() == 0; }
    explicit operator bool() const noexcept { return has_value(); }
    T& operator*() & { return std::get<0>(v_); }
    const T& operator*() const& { return std::get<0>(v_); }
    T&& operator*() && { return std::get<0>(std::move(v_)); }
    T* operator->() { return &std::get<0>(v_); }
    const T* operator->() const { return &std::get<0>(v_); }
    T& value() & { return std::get<0>(v_); }
    const T& value() const& { return std::get<0>(v_); }
    T&& value() && { return std::get<0>(std::move(v_)); }
    const E& error() const& { return std::get<1>(v_); }
    E&& error() && { return std::get<1>(std::move(v_)); }
    template <class U>
    T value_or(U&& other) const& { return has_value() ? **this : static_cast<T>(std::forward<U>(other)); }
    template <class U>
    T value_or(U&& other) && { return has_value() ? std::move(**this) : static_cast<T>(std::forward<U>(other)); }

    friend bool operator==(const expected& result, const T& value) { return result.has_value() && *result == value; }
    friend bool operator==(const expected& a, const expected& b) { return a.v_ == b.v_; }

private:
    std::variant<T, E> v_;
};

template <class E>
class expected<void, E> {
public:
    expected() = default;
    expected(const unexpected<E>& u) : error_(u.error()) {}
    expected(unexpected<E>&& u) : error_(std::move(u).error()) {}

    bool has_value() const noexcept { return !error_; }
    explicit operator bool() const noexcept { return has_value(); }
    void value() const {}
    const E& error() const& { return *error_; }
    E&& error() && { return std::move(*error_); }

private:
    std::optional<E> error_;
};

}  // namespace gradation::fallback
