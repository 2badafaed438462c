#pragma once
// One argument or result of a message: nothing (nil), an object, a text, an integer, a number or
// a flag. Reading a Value as another kind than it holds gives that kind's empty value, the way a
// message to nil answers 0.
#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

struct objc_object;

class Value {
public:
    Value() = default;
    Value(std::nullptr_t) {}
    Value(objc_object* object) : v_(object) {}
    Value(const char* text) : v_(text ? std::string(text) : std::string()) {}
    Value(std::string text) : v_(std::move(text)) {}
    Value(std::string_view text) : v_(std::string(text)) {}
    template <std::integral T>
    requires(!std::same_as<T, bool>) Value(T integer) : v_(static_cast<int64_t>(integer)) {}
    Value(double number) : v_(number) {}
    Value(bool flag) : v_(flag) {}

    // Nothing, or a null object.
    bool isNil() const;
    objc_object* object() const;
    const std::string& text() const;
    int64_t integer() const;
    double number() const;
    bool boolean() const;

private:
    std::variant<std::monostate, objc_object*, std::string, int64_t, double, bool> v_;
};
