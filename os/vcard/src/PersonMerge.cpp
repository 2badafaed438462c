#include "vcard/PersonMerge.h"

#include <string>
#include <unordered_map>

namespace contacts {
namespace {

std::string key_of(const ab::Person& person)
{
    // The separators keep ("Ana Maria", "Silva") apart from ("Ana", "Maria Silva"); text never
    // holds a NUL, which the reader refuses.
    std::string key = person.first_name ? "+" + *person.first_name : "-";
    key += '\0';
    key += person.last_name ? "+" + *person.last_name : "-";
    key += '\0';
    if (person.birthday)
        key += std::to_string(person.birthday->year * 10000 + person.birthday->month * 100 +
                              person.birthday->day);
    return key;
}

// Stored persons by a key, each list in identifier order, handing out each person once.
class Index {
public:
    void add(const std::string& key, size_t position) { lists_[key].push_back(position); }

    // The first person under the key that is still free and passes `eligible`.
    template <class Eligible>
    std::optional<size_t> take(const std::string& key, std::vector<bool>& taken, Eligible eligible)
    {
        const auto it = lists_.find(key);
        if (it == lists_.end())
            return std::nullopt;
        for (const size_t position : it->second)
            if (!taken[position] && eligible(position)) {
                taken[position] = true;
                return position;
            }
        return std::nullopt;
    }

private:
    std::unordered_map<std::string, std::vector<size_t>> lists_;
};

} // namespace

ab::Changes plan_merge(const std::vector<ab::Person>& stored, const std::vector<ab::Person>& cards,
                       MergeMode mode, MergeCounts& counts)
{
    const bool sync = mode == MergeMode::kSync;
    Index by_uid, by_key;
    for (size_t i = 0; i < stored.size(); ++i) {
        if (stored[i].uid)
            by_uid.add(*stored[i].uid, i);
        if (!sync || stored[i].synced)
            by_key.add(key_of(stored[i]), i);
    }
    std::vector<bool> taken(stored.size(), false);
    std::vector<std::optional<size_t>> match(cards.size());
    const auto any = [](size_t) { return true; };
    // UIDs first, so that a card without one never takes the person another card names.
    for (size_t c = 0; c < cards.size(); ++c)
        if (cards[c].uid)
            match[c] = by_uid.take(*cards[c].uid, taken, any);
    for (size_t c = 0; c < cards.size(); ++c) {
        if (match[c])
            continue;
        const bool has_uid = cards[c].uid.has_value();
        match[c] = by_key.take(key_of(cards[c]), taken,
                               [&](size_t s) { return !has_uid || !stored[s].uid; });
    }

    ab::Changes changes;
    for (size_t c = 0; c < cards.size(); ++c) {
        ab::Person person = cards[c];
        person.synced = sync;
        if (!match[c]) {
            person.id = ab::kInvalidRecordID;
            changes.saves.push_back(std::move(person));
            ++counts.added;
            continue;
        }
        const ab::Person& before = stored[*match[c]];
        person.id = before.id;
        if (!person.uid)
            person.uid = before.uid;
        if (!sync)
            person.synced = before.synced;
        if (person == before) {
            ++counts.unchanged;
        } else {
            changes.saves.push_back(std::move(person));
            ++counts.updated;
        }
    }
    if (sync)
        for (size_t s = 0; s < stored.size(); ++s)
            if (stored[s].synced && !taken[s]) {
                changes.removals.push_back(stored[s].id);
                ++counts.removed;
            }
    return changes;
}

} // namespace contacts
