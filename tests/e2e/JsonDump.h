#pragma once
// A view-tree dump that a program's automation wrote (the `dump` command), read back as JSON.
#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

inline QJsonObject read_dump(const std::filesystem::path& file)
{
    std::ifstream in(file);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    return QJsonDocument::fromJson(QByteArray::fromStdString(text)).object();
}

// Every view that `match` takes, depth first, back to front; hidden views and what is in them
// are left out.
inline void collect_shown(const QJsonObject& view,
                          const std::function<bool(const QJsonObject&)>& match,
                          std::vector<QJsonObject>& found)
{
    if (view["hidden"].toBool())
        return;
    if (match(view))
        found.push_back(view);
    for (const auto& child : view["children"].toArray())
        collect_shown(child.toObject(), match, found);
}

// The shown views whose key holds the text.
inline std::vector<QJsonObject> shown_with(const QJsonObject& dump, const QString& key,
                                           const QString& value)
{
    std::vector<QJsonObject> found;
    collect_shown(
        dump, [&](const QJsonObject& v) { return v[key].toString() == value; }, found);
    return found;
}
