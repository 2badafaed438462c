#pragma once
// Contact photos decoded for the rows on display. A photo is read from the address book and
// decoded when its row is first shown, at the size the row draws it (however large the photo, a
// kept one costs a few kilobytes), then kept while it is among the most recently shown, so
// scrolling back and forth decodes nothing again and a long list holds only a screenful or so.
#include "addressbook/AddressBook.h"
#include "engine/BirthdayRecord.h"
#include "uikit/UIImage.h"

#include <cstddef>
#include <list>
#include <memory>
#include <unordered_map>
#include <utility>

class PhotoCache {
public:
    static constexpr size_t kDefaultCapacity = 64;

    explicit PhotoCache(const ab::AddressBook& addressBook, size_t capacity = kDefaultCapacity);

    // The photo of a record; the placeholder "contact.png" when it has none, or its data does not
    // decode or has more pixels than the system decodes (written by another program than ours).
    std::shared_ptr<UIImage> photoFor(const engine::ImageRef& image);
    // Forgets every photo, so the next rows read them anew (after the address book changed).
    void clear();
    size_t size() const { return entries_.size(); }

private:
    using Entry = std::pair<ab::RecordID, std::shared_ptr<UIImage>>;

    const ab::AddressBook& addressBook_;
    size_t capacity_;
    std::list<Entry> entries_; // most recently shown first
    std::unordered_map<ab::RecordID, std::list<Entry>::iterator> index_;
};
