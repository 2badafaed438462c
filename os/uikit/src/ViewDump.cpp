#include "uikit/ViewDump.h"

#include "uikit/UIColor.h"

#include <cmath>
#include <cstdio>

namespace uikit {

DumpRecord::Value& DumpRecord::slot(std::string_view key)
{
    for (auto& [name, value] : entries_)
        if (name == key)
            return value;
    return entries_.emplace_back(std::string(key), Value{}).second;
}

void DumpRecord::set(std::string_view key, std::string_view text) { slot(key) = std::string(text); }
void DumpRecord::set(std::string_view key, bool flag) { slot(key) = flag; }
void DumpRecord::set(std::string_view key, double number) { slot(key) = number; }
void DumpRecord::set(std::string_view key, Numbers numbers) { slot(key) = std::move(numbers); }
void DumpRecord::set(std::string_view key, List records) { slot(key) = std::move(records); }
void DumpRecord::set(std::string_view key, const UIColor& color) { set(key, color.hexString()); }

DumpRecord& DumpRecord::append(std::string_view key)
{
    Value& value = slot(key);
    if (!std::holds_alternative<List>(value))
        value = List{};
    return std::get<List>(value).emplace_back();
}

const DumpRecord::Value* DumpRecord::find(std::string_view key) const
{
    for (const auto& [name, value] : entries_)
        if (name == key)
            return &value;
    return nullptr;
}

std::optional<std::string> DumpRecord::text(std::string_view key) const
{
    const Value* value = find(key);
    if (!value || !std::holds_alternative<std::string>(*value))
        return std::nullopt;
    return std::get<std::string>(*value);
}

const DumpRecord::List* DumpRecord::list(std::string_view key) const
{
    const Value* value = find(key);
    return value ? std::get_if<List>(value) : nullptr;
}

namespace {

void writeString(std::string& out, std::string_view text)
{
    out += '"';
    for (unsigned char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out += char(c);
            }
        }
    }
    out += '"';
}

void writeNumber(std::string& out, double number)
{
    if (!std::isfinite(number)) {
        out += "null";
        return;
    }
    char text[32];
    if (number == std::floor(number) && std::fabs(number) < 1e15)
        std::snprintf(text, sizeof text, "%.0f", number);
    else
        std::snprintf(text, sizeof text, "%.6g", number);
    out += text;
}

void writeRecord(std::string& out, const DumpRecord& record);

void writeValue(std::string& out, const DumpRecord::Value& value)
{
    if (auto* text = std::get_if<std::string>(&value)) {
        writeString(out, *text);
    } else if (auto* flag = std::get_if<bool>(&value)) {
        out += *flag ? "true" : "false";
    } else if (auto* number = std::get_if<double>(&value)) {
        writeNumber(out, *number);
    } else if (auto* numbers = std::get_if<DumpRecord::Numbers>(&value)) {
        out += '[';
        for (size_t i = 0; i < numbers->size(); ++i) {
            if (i)
                out += ", ";
            writeNumber(out, (*numbers)[i]);
        }
        out += ']';
    } else {
        const auto& list = std::get<DumpRecord::List>(value);
        out += '[';
        for (size_t i = 0; i < list.size(); ++i) {
            if (i)
                out += ", ";
            writeRecord(out, list[i]);
        }
        out += ']';
    }
}

void writeRecord(std::string& out, const DumpRecord& record)
{
    out += '{';
    bool first = true;
    for (const auto& [key, value] : record.entries()) {
        if (!first)
            out += ", ";
        first = false;
        writeString(out, key);
        out += ": ";
        writeValue(out, value);
    }
    out += '}';
}

} // namespace

std::string DumpRecord::toJson() const
{
    std::string out;
    writeRecord(out, *this);
    return out;
}

} // namespace uikit
