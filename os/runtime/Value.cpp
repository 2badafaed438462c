#include "runtime/Value.h"

namespace {
const std::string kEmptyText;
}

bool Value::isNil() const
{
    if (std::holds_alternative<std::monostate>(v_))
        return true;
    const auto* object = std::get_if<objc_object*>(&v_);
    return object != nullptr && *object == nullptr;
}

objc_object* Value::object() const
{
    const auto* object = std::get_if<objc_object*>(&v_);
    return object ? *object : nullptr;
}

const std::string& Value::text() const
{
    const auto* text = std::get_if<std::string>(&v_);
    return text ? *text : kEmptyText;
}

int64_t Value::integer() const
{
    if (const auto* integer = std::get_if<int64_t>(&v_))
        return *integer;
    if (const auto* flag = std::get_if<bool>(&v_))
        return *flag ? 1 : 0;
    return 0;
}

double Value::number() const
{
    if (const auto* number = std::get_if<double>(&v_))
        return *number;
    return static_cast<double>(integer());
}

bool Value::boolean() const
{
    if (const auto* flag = std::get_if<bool>(&v_))
        return *flag;
    if (const auto* number = std::get_if<double>(&v_))
        return *number != 0.0;
    if (std::holds_alternative<objc_object*>(v_))
        return object() != nullptr;
    return integer() != 0;
}
